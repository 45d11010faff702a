// The splash window's pictures: the background "splash" and the progress
// bar "progon" that fills the track the background draws at the bar's place.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ArtKit.h"
#include "Canvas.h"
#include "Palette.h"

namespace skin {

struct TSplashLayout {
    int barX = 0, barY = 0;  // settings.ini [Splash] Progress
};

constexpr int kSplashWidth = 560;
constexpr int kSplashHeight = 340;
constexpr int kBarWidth = 300;
constexpr int kBarHeight = 8;

// The bar picture (teal gradient with a gloss), also the update window's.
void PaintBar(const TPalette& palette, TCanvas& canvas);

// False with a message when the bar's place does not fit the picture.
bool DrawSplash(const TPalette& palette, const TFaces& faces, const TSplashLayout& layout,
                std::vector<TImage>& images, std::string& error);

}  // namespace skin
