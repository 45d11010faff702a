// The GIZ image encoder, the writer beside the decoder in Giz.h: the skin
// tools turn pictures into GIZ streams with it, and tests build streams with
// it.
//
// The encoder takes the top-left pixel's colour as the margin colour and
// strips as many uniform rows and columns of it as the format allows (at most
// 255 on a side, always leaving one coded pixel per row and one coded row).
// Coded rows are split greedily: two or more equal pixels become a repeat run
// (up to 129), everything else literal runs (up to 128).
#pragma once

#include <cstdint>
#include <vector>

#include "resources/Giz.h"

// The 15-bit GIZ pixel of a colour with 8-bit channels.
uint16_t GizPixelFromRgb(uint8_t r, uint8_t g, uint8_t b);

// The margins the encoder would choose for these pixels.
TGizHeader GizFindMargins(const uint16_t* pixels, int width, int height);

// Encodes width × height 15-bit pixels (row-major, top row first; bit 15 is
// ignored) into stream, replacing its contents. False when the size is not
// 1 ... 65535 in both directions or pixels is null.
bool GizEncode(const uint16_t* pixels, int width, int height, std::vector<uint8_t>& stream);
