#include "platform/sdl/SdlPixels.h"

#include <cstdlib>
#include <cstring>

namespace platform::sdl {

Uint32 PixelFormatForDepth(int depth) {
    switch (depth) {
        case 15: return SDL_PIXELFORMAT_RGB555;
        case 16: return SDL_PIXELFORMAT_RGB565;
        case 24: return SDL_PIXELFORMAT_BGR24;
        case 32:
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
            return SDL_PIXELFORMAT_RGB888;
#else
            return SDL_PIXELFORMAT_BGRX8888;
#endif
        default: return SDL_PIXELFORMAT_UNKNOWN;
    }
}

int BytesPerPixel(int depth) { return depth / 7 > 0 ? depth / 7 : 1; }

int DepthOfFormat(Uint32 format) {
    if (format == SDL_PIXELFORMAT_UNKNOWN) return 0;
    int bytes = SDL_BYTESPERPIXEL(format);
    if (bytes == 4) return 32;
    if (bytes == 3) return 24;
    return static_cast<int>(SDL_BITSPERPIXEL(format));
}

int ForcedDepth() {
    const char* value = std::getenv("QV_SCREEN_DEPTH");
    if (!value) return 0;
    for (const char* depth : {"15", "16", "24", "32"}) {
        if (std::strcmp(value, depth) == 0) return std::atoi(depth);
    }
    return 0;
}

}  // namespace platform::sdl
