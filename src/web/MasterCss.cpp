#include "web/MasterCss.h"

namespace web {

const char kMasterCss[] = R"css(
html { display: block; position: relative; }
head, script, style, title, meta, link, base, noscript, template { display: none; }
body { display: block; margin: 8px; height: 100%; }
p { display: block; margin-top: 1em; margin-bottom: 1em; }
div, section, article, header, footer, nav, main, aside, address, figure, figcaption,
center, blockquote, form, fieldset, dl, dd, dt, hr { display: block; }
center { text-align: center; }
blockquote { margin: 1em 40px; }
dd { margin-left: 40px; }
hr { border: 1px inset; margin: 0.5em auto; }
h1, h2, h3, h4, h5, h6 { display: block; font-weight: bold; }
h1 { font-size: 2em; margin: 0.67em 0; }
h2 { font-size: 1.5em; margin: 0.83em 0; }
h3 { font-size: 1.17em; margin: 1em 0; }
h4 { margin: 1.33em 0; }
h5 { font-size: 0.83em; margin: 1.67em 0; }
h6 { font-size: 0.67em; margin: 2.33em 0; }
b, strong, th { font-weight: bold; }
i, em, cite, var, dfn { font-style: italic; }
u, ins { text-decoration: underline; }
s, strike, del { text-decoration: line-through; }
small { font-size: smaller; }
big { font-size: larger; }
sub { vertical-align: sub; font-size: smaller; }
sup { vertical-align: super; font-size: smaller; }
pre, code, kbd, samp, tt { font-family: monospace; }
pre { display: block; white-space: pre; margin: 1em 0; }
a:link, a { color: #0000ee; text-decoration: underline; cursor: pointer; }
ul, ol, menu, dir { display: block; margin: 1em 0; padding-left: 40px; }
ul { list-style-type: disc; }
ol { list-style-type: decimal; }
ul ul, ol ul { list-style-type: circle; margin: 0; }
li { display: list-item; }
img { display: inline-block; }
table { display: table; border-collapse: separate; border-spacing: 2px; }
thead { display: table-header-group; vertical-align: middle; }
tbody { display: table-row-group; vertical-align: middle; }
tfoot { display: table-footer-group; vertical-align: middle; }
tr { display: table-row; vertical-align: inherit; }
td, th { display: table-cell; vertical-align: inherit; padding: 1px; }
th { text-align: center; }
caption { display: table-caption; text-align: center; }
col { display: table-column; }
colgroup { display: table-column-group; }
input, button, select, textarea { display: inline-block; border: 1px solid #808080; padding: 1px 4px; }
br { display: block; }
)css";

}  // namespace web
