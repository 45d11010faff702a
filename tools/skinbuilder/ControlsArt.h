// The pictures of the skinned controls that every window shares:
//
//   Listup, Listdo (+on/of)   scroll buttons, 14 × 14, opaque on the deep of
//                             list wells
//   Listbar (+on/of)          scroll thumb, 8 × 28, transparent
//   cur00001 ... cur00010     the entry caret, 2 × body line height, 100 ms
//                             per frame: lit, fading, dark (transparent)
//   Barle, Barrig (+on/of)    tab bar arrows, 16 × 22, opaque on panel
//   Blinkon, Blinkof          a tab's attention ring, 20 × 20, transparent
//   Chekof, Chekon (+on/of)   the two states of a toggle, 18 × 18,
//                             transparent over panel
//   Glide                     the glide menus' background, 480 × 400 with a
//                             frame of [Glide] Framewidth (as large as a row
//                             of six captioned items)
//   Symbol                    the symbol picker, drawn around [Charselect]
//                             List
//   Updateon                  the update window's progress bar (as progon)
#pragma once

#include <string>
#include <vector>

#include "ArtKit.h"

namespace skin {

constexpr int kGlideWidth = 480;
constexpr int kGlideHeight = 400;

bool DrawControls(const TArtContext& context, std::vector<TImage>& images, std::string& error);

// The background of the glide menus of a skin section, named after it, with
// the frame of [section] Framewidth; accent tints the frame ("": plain).
bool GlidePicture(const TArtContext& context, const std::string& section, int width, int height,
                  const std::string& accent, std::vector<TImage>& images, std::string& error);

}  // namespace skin
