#include "graphics/PixelFormat.h"

uint32_t ColourToPixel(TColour colour, int depth) {
    const uint32_t r = ColourRed(colour), g = ColourGreen(colour), b = ColourBlue(colour);
    switch (depth) {
    case 15: return (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3);
    case 16: return (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3);
    case 24:
    case 32: return b | g << 8 | r << 16;
    default: return 0;
    }
}

TChannels SplitPixel(uint32_t pixel, int depth) {
    switch (depth) {
    case 15: return {(pixel >> 10) & 31, (pixel >> 5) & 31, pixel & 31};
    case 16: return {(pixel >> 11) & 31, (pixel >> 5) & 63, pixel & 31};
    case 24:
    case 32: return {(pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255};
    default: return {};
    }
}

uint32_t JoinPixel(const TChannels& c, int depth) {
    switch (depth) {
    case 15: return (c.r & 31) << 10 | (c.g & 31) << 5 | (c.b & 31);
    case 16: return (c.r & 31) << 11 | (c.g & 63) << 5 | (c.b & 31);
    case 24:
    case 32: return (c.r & 255) << 16 | (c.g & 255) << 8 | (c.b & 255);
    default: return 0;
    }
}
