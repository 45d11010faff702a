// Bitmap fonts read from a file, at the screen depth the first byte picks
// (the format leaves it unused): metrics, the glyph strip, and every byte
// drawn, tinted and plain, at the surface's edges and beyond them. A font
// that does not decode ends the process by design; the harness turns that
// end into a return.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "FuzzHarness.h"
#include "graphics/GreatBitmap.h"
#include "graphics/Myfont.h"
#include "graphics/PixelFormat.h"
#include "platform/headless/HeadlessVideo.h"
#include "resources/Paths.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr int kDepths[] = {32, 16, 15, 24};

// Every byte once: the blank and the glyphs, then the bytes below 32.
std::string AllBytes() {
    std::string text;
    for (int ch = 32; ch <= 255; ++ch) text += char(ch);
    for (int ch = 1; ch < 32; ++ch) text += char(ch);
    return text;
}

void DrawEverywhere(const TMyfont& font, int depth) {
    constexpr int kWidth = 40, kHeight = 24;
    const int bytes = DepthBytesPerPixel(depth);
    std::vector<uint8_t> pixels(size_t(kWidth * kHeight * bytes));
    const platform::Surface surface{pixels.data(), kWidth, kHeight, kWidth * bytes, depth};
    const platform::Rect all{0, 0, kWidth, kHeight};
    const platform::Rect inner{3, 2, kWidth - 5, kHeight - 4};
    static const std::string text = AllBytes();
    const std::string glyphs = text.substr(0, 224);  // 32 ... 255
    Check(font.DrawText(surface, all, glyphs, 0, 0) == font.TextWidth(glyphs));
    font.DrawText(surface, inner, text, -7, -font.Height() / 2);
    font.DrawText(surface, all, text, kWidth - 3, kHeight - 2);
    // Glyph by glyph from the right, each starting at a different column.
    for (int ch = 33; ch <= 255; ++ch)
        font.DrawText(surface, inner, std::string(1, char(ch)), kWidth - 1 - ch % kWidth,
                      ch % 5 - 2);
}

void LoadAndDraw(const std::string& path, int depth) {
    auto font = std::make_unique<TMyfont>(path, 0);
    Check(font->Strip().Depth() == depth);
    DrawEverywhere(*font, depth);
    font->SetTint(RgbColour(200, 40, 90));
    DrawEverywhere(*font, depth);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::Prepare();
    fuzz::TInputStates states;
    const int depth = kDepths[size > 0 ? data[0] & 3 : 0];
    SetProgramDirectory(fuzz::ScratchDirectory());
    platform::headless::Video().SetDesktopMode({1024, 768, depth});
    const std::string path = fuzz::WriteScratch("font", data, size);
    fuzz::Guarded([&] { LoadAndDraw(path, depth); });
    return 0;
}
