// The GIZ image decoder: turns a GIZ stream (15-bit pixels, run-length coded
// row by row, with a plain margin of one colour on each side) into top-down
// pixels in the screen's format, so that drawing never converts.
//
// Stream: width, height, reserved, margin colour (16-bit little-endian each),
// then the left, top, right and bottom margins (one byte each), then the
// coded rows. A coded row is a sequence of runs: control byte K >= 128 is a
// literal run of K - 127 pixels that follow; K < 128 a repeat run of K + 2
// copies of the one pixel that follows. Runs never cross a row's end.
//
// Target pixels: depth 15 keeps the value, depth 16 is RGB565 with the lowest
// green bit 0, depths 24 and 32 are the bytes b, g, r (and a zero byte) with
// each 5-bit channel shifted up by 3 (no bit replication). A stored 0 stays 0
// and so is transparent wherever the image is drawn with transparency.
//
// Invalid streams are rejected: a header whose margins leave no coded pixel,
// a run that overruns its row, or rows that run past the stream's length make
// the decoder return false. It never reads past the given length nor writes
// past the destination; on failure the destination holds a partial picture.
#pragma once

#include <cstdint>

class TMymem;

struct TGizHeader {
    int width = 0, height = 0;
    uint16_t margin = 0;  // 15-bit colour of the margins
    int left = 0, top = 0, right = 0, bottom = 0;

    int InnerWidth() const { return width - left - right; }
    int CodedRows() const { return height - top - bottom; }
};

// Size of the header in bytes; the coded rows follow it.
constexpr int kGizHeaderSize = 12;

// True for the depths the decoder writes: 15, 16, 24 and 32.
bool GizDepthSupported(int depth);
// Bytes per pixel of a supported depth (2, 2, 3, 4); 0 otherwise.
int GizBytesPerPixel(int depth);
// Converts one 15-bit pixel to the target depth's value (the bytes as stored
// in memory, little-endian, for 24 and 32).
uint32_t GizConvertPixel(uint16_t pixel, int depth);

// Reads and checks the header: false when the stream is shorter than a
// header, leaves no coded pixel, or is too short to hold the coded rows at
// the densest possible coding (which bounds what the picture can cost).
bool GizReadHeader(const uint8_t* stream, int64_t length, TGizHeader& header);

// Decodes into a caller's buffer of destinationSize bytes. Each row of
// width × bytes-per-pixel bytes is followed by rowGap skipped bytes, so the
// buffer needs height × (width × bytes-per-pixel + rowGap) bytes. False when
// the stream is invalid, the depth unsupported or the buffer too small.
bool GizDecode(const uint8_t* stream, int64_t length, uint8_t* destination,
               int64_t destinationSize, int rowGap, int depth);

// Decodes into pixels, sized exactly width × height × bytes-per-pixel with
// the fixed-capacity flag (no row gap), and reports the header. On failure
// the buffer is emptied.
bool GizDecode(const uint8_t* stream, int64_t length, int depth, TMymem& pixels,
               TGizHeader& header);
