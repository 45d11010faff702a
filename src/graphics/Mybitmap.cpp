// Loading, sharing and the simple pixel operations of TMybitmap. The drawing
// modes are in MybitmapDraw.cpp.
#include "graphics/Mybitmap.h"

#include <algorithm>
#include <cstring>

#include "graphics/GreatBitmap.h"
#include "graphics/LooseFile.h"
#include "resources/Giz.h"
#include "resources/Paths.h"
#include "resources/StrFuncs.h"

namespace {

constexpr int kLoadWeight = 10;

// The loose file of an image, its name matched without regard to case: the
// file whose path is the name, else the program directory's "gfx/" + name +
// ".giz"; empty when there is neither.
std::string LooseImageFile(const std::string& name) {
    std::string path = FindFileIgnoringCase(name);
    if (path.empty()) path = FindFileIgnoringCase(ProgramDirectory() + "gfx/" + name + ".giz");
    return path;
}

}  // namespace

TMybitmap::TMybitmap(int width, int height, int depth)
    : m_width(width), m_height(height), m_depth(depth),
      m_bytesPerPixel(DepthBytesPerPixel(depth)) {
    m_pixels.FixedCapacity = true;
}

TMybitmap::~TMybitmap() = default;

TMybitmap* TMybitmap::Load(const std::string& name) {
    TGreatBitmap& registry = TGreatBitmap::Instance();
    auto* bitmap = new TMybitmap(0, 0, registry.Depth());
    if (!bitmap->DecodeNamed(name)) {
        delete bitmap;
        TGreatBitmap::FileNotFound(name);
    }
    registry.AddToCache(LowerCaseAscii(name), bitmap);
    registry.ReportProgress(bitmap, kLoadWeight);
    return bitmap;
}

// The pack member first; then the loose file, read into the scratch buffer
// and decoded from there.
bool TMybitmap::DecodeNamed(const std::string& name) {
    return TGreatBitmap::Instance().UseResource(
        name, [&] { return LooseImageFile(name); },
        [this](const uint8_t* stream, int64_t length) { return DecodeStream(stream, length); });
}

TMybitmap* TMybitmap::Acquire(const std::string& name, bool* loaded) {
    TMybitmap* cached = TGreatBitmap::Instance().Cached(name);
    if (loaded) *loaded = cached == nullptr;
    if (!cached) return Load(name);
    cached->AddRef();
    return cached;
}

TMybitmap* TMybitmap::CreateBlank(int width, int height, TRenderCallback render,
                                  void* argument) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (int64_t(width) * height > kMaxPixels) width = height = 0;
    auto* bitmap = new TMybitmap(width, height, TGreatBitmap::Instance().Depth());
    if (!bitmap->m_pixels.SetSize(int64_t(width) * height * bitmap->m_bytesPerPixel))
        bitmap->m_width = bitmap->m_height = 0;
    bitmap->m_render = std::move(render);
    bitmap->m_renderArgument = argument;
    if (bitmap->m_render) bitmap->m_render(*bitmap, argument);
    return bitmap;
}

bool TMybitmap::Exists(const std::string& name) {
    return TGreatBitmap::Instance().Packs().IndexOf(name) >= 0 || !LooseImageFile(name).empty();
}

// Streams whose picture would exceed kMaxPixels are refused before anything
// is allocated.
bool TMybitmap::DecodeStream(const uint8_t* stream, int64_t length) {
    TGizHeader header;
    if (!GizDepthSupported(m_depth) || !GizReadHeader(stream, length, header)) return false;
    if (int64_t(header.width) * header.height > kMaxPixels) return false;
    if (!GizDecode(stream, length, m_depth, m_pixels, header)) return false;
    m_width = header.width;
    m_height = header.height;
    return true;
}

void TMybitmap::Release() {
    if (--m_references > 0) return;
    if (TGreatBitmap::Created()) TGreatBitmap::Instance().RemoveFromCache(this);
    delete this;
}

bool TMybitmap::SamePicture(const TMybitmap& other) const {
    if (&other == this) return true;
    if (other.m_width != m_width || other.m_height != m_height || other.m_depth != m_depth) return false;
    const size_t bytes = static_cast<size_t>(Pitch()) * static_cast<size_t>(m_height);
    return bytes == 0 || std::memcmp(Pixels(), other.Pixels(), bytes) == 0;
}

uint32_t TMybitmap::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
    return LoadPixel(Row(x, y), m_bytesPerPixel);
}

const uint8_t* TMybitmap::Row(int x, int y) const {
    return m_pixels.Memory() + (int64_t(y) * m_width + x) * m_bytesPerPixel;
}

platform::Surface TMybitmap::AsSurface() {
    return {m_pixels.Memory(), m_width, m_height, Pitch(), m_depth};
}

void TMybitmap::SetTint(TColour colour) {
    m_tintColour = colour;
    m_tintPixel = colour == 0 ? 0 : ColourToPixel(colour, m_depth);
}

void TMybitmap::Fill(const platform::Rect& area, TColour colour) {
    const platform::Rect r = platform::Intersect(area, Bounds());
    if (r.Empty()) return;
    const uint32_t pixel = ColourToPixel(colour, m_depth);
    for (int y = r.top; y < r.bottom; ++y) {
        uint8_t* p = m_pixels.Memory() + (int64_t(y) * m_width + r.left) * m_bytesPerPixel;
        for (int x = r.left; x < r.right; ++x, p += m_bytesPerPixel)
            StorePixel(p, m_bytesPerPixel, pixel);
    }
}

void TMybitmap::Clear() {
    if (m_pixels.Size() > 0) std::memset(m_pixels.Memory(), 0, size_t(m_pixels.Size()));
}

void TMybitmap::Capture(const platform::Surface& source, int x, int y) {
    if (source.pixels == nullptr || source.depth != m_depth || m_pixels.Size() == 0) return;
    const platform::Rect wanted{x, y, x + m_width, y + m_height};
    const platform::Rect r = platform::Intersect(wanted, {0, 0, source.width, source.height});
    if (r.Empty()) return;
    const size_t rowBytes = size_t(r.Width()) * size_t(m_bytesPerPixel);
    for (int sy = r.top; sy < r.bottom; ++sy) {
        const uint8_t* from = source.pixels + int64_t(sy) * source.pitch +
                              int64_t(r.left) * m_bytesPerPixel;
        uint8_t* to = m_pixels.Memory() +
                      (int64_t(sy - y) * m_width + (r.left - x)) * m_bytesPerPixel;
        std::memmove(to, from, rowBytes);
    }
}
