// The screen depths the client draws in and the SDL pixel formats that hold
// them byte for byte, so a back buffer goes to its texture without
// conversion: 15 bits as x1r5g5b5 and 16 as r5g6b5 (little-endian words),
// 24 as the bytes b, g, r and 32 as the bytes b, g, r, 0.
#pragma once

#include <SDL.h>

#include <cstdint>

namespace platform::sdl {

// The texture format for a depth (15, 16, 24 or 32); SDL_PIXELFORMAT_UNKNOWN
// for any other.
Uint32 PixelFormatForDepth(int depth);

// Bytes per pixel of a depth: depth / 7 rounded down (15 and 16 give 2).
int BytesPerPixel(int depth);

// The depth the client sees for a desktop in this SDL format: formats of
// four bytes a pixel count as 32 (SDL calls x8r8g8b8 24 bits), three as 24,
// narrower ones by their bits. 0 for an unknown format.
int DepthOfFormat(Uint32 format);

// A depth forced by the environment variable QV_SCREEN_DEPTH (15, 16, 24 or
// 32), or 0 when it is unset or holds anything else.
int ForcedDepth();

}  // namespace platform::sdl
