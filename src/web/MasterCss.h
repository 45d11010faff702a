// The browser view's own default style sheet: how HTML elements look before
// a page's CSS says otherwise (block and inline elements, headings, lists,
// tables, links, forms shown as plain boxes, scripts and styles hidden).
#pragma once

namespace web {

extern const char kMasterCss[];

}  // namespace web
