// The GIZ decoder at every screen depth, into exactly sized buffers (so any
// write past the picture is caught) with and without row gaps. A stream that
// decodes is encoded again, and the new stream must decode to the same
// picture: reader and writer agree on every picture the reader accepts.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "FuzzHarness.h"
#include "resources/Giz.h"
#include "resources/GizEncoder.h"
#include "resources/MyMem.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

constexpr int kDepths[] = {15, 16, 24, 32};

// The caller-buffer form with an odd row gap, which leaves pixels unaligned;
// the gap bytes must keep their value.
void DecodeWithGap(const uint8_t* data, size_t size, const TGizHeader& header, int depth,
                   const TMymem& plain) {
    constexpr int kGap = 3;
    constexpr uint8_t kFill = 0xA5;
    const int64_t rowBytes = int64_t(header.width) * GizBytesPerPixel(depth);
    std::vector<uint8_t> buffer(size_t(header.height * (rowBytes + kGap)), kFill);
    Check(!GizDecode(data, int64_t(size), buffer.data(), int64_t(buffer.size()) - 1, kGap, depth));
    Check(GizDecode(data, int64_t(size), buffer.data(), int64_t(buffer.size()), kGap, depth));
    for (int y = 0; y < header.height; ++y) {
        const uint8_t* row = buffer.data() + y * (rowBytes + kGap);
        Check(std::memcmp(row, plain.Memory() + y * rowBytes, size_t(rowBytes)) == 0);
        for (int g = 0; g < kGap; ++g) Check(row[rowBytes + g] == kFill);
    }
}

void RoundTrip(const TMymem& pixels, const TGizHeader& header) {
    std::vector<uint16_t> picture(size_t(header.width) * size_t(header.height));
    std::memcpy(picture.data(), pixels.Memory(), picture.size() * 2);
    std::vector<uint8_t> stream;
    Check(GizEncode(picture.data(), header.width, header.height, stream));
    TMymem again;
    TGizHeader second;
    Check(GizDecode(stream.data(), int64_t(stream.size()), 15, again, second));
    Check(second.width == header.width && second.height == header.height);
    Check(again.Size() == pixels.Size() &&
          std::memcmp(again.Memory(), pixels.Memory(), size_t(pixels.Size())) == 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TGizHeader header;
    const bool readable = GizReadHeader(data, int64_t(size), header);
    for (int depth : kDepths) {
        TMymem pixels;
        TGizHeader decoded;
        const bool ok = GizDecode(data, int64_t(size), depth, pixels, decoded);
        if (!ok) {
            Check(pixels.Size() == 0);
            continue;
        }
        Check(readable && decoded.width == header.width && decoded.height == header.height);
        Check(pixels.Size() ==
              int64_t(header.width) * header.height * GizBytesPerPixel(depth));
        DecodeWithGap(data, size, header, depth, pixels);
        if (depth == 15) RoundTrip(pixels, header);
    }
    return 0;
}
