#include "graphics/GreatBitmap.h"

#include <algorithm>
#include <cstdlib>

#include "graphics/GraphicsState.h"
#include "graphics/PixelFormat.h"
#include "platform/Platform.h"
#include "resources/Paths.h"

TGreatBitmap& TGreatBitmap::Instance() {
    auto& registry = GraphicsState().Bitmaps;
    if (!registry) registry.reset(new TGreatBitmap());
    return *registry;
}

bool TGreatBitmap::Created() {
    const TGraphicsState* state = CurrentGraphicsState();
    return state && state->Bitmaps;
}

void TGreatBitmap::Destroy() { GraphicsState().Bitmaps.reset(); }

TGreatBitmap::TGreatBitmap() {
    MeasureDepth();
    m_packs.AddPack(ProgramDirectory() + "gfx/data.pac");
}

TGreatBitmap::~TGreatBitmap() = default;

void TGreatBitmap::MeasureDepth() {
    m_depth = platform::Video().CurrentMode().depth;
    m_bytesPerPixel = DepthBytesPerPixel(m_depth);
    m_translucency.clear();
    m_translucency.shrink_to_fit();
}

bool TGreatBitmap::UseResource(const std::string& name, const std::function<std::string()>& loosePath,
                               const TResourceUse& use) {
    const int member = m_packs.IndexOf(name);
    if (member >= 0) {
        const uint8_t* data = m_packs.Member(member);
        return data != nullptr && use(data, m_packs.MemberSize(member));
    }
    const std::string path = loosePath();
    m_scratch.Clear();
    m_scratch.SetPosition(0);
    if (path.empty() || !m_scratch.LoadFromFile(path)) {
        m_scratch.Clear();
        return false;
    }
    const bool used = use(m_scratch.Memory(), m_scratch.Size());
    m_scratch.Clear();
    return used;
}

TMybitmap* TGreatBitmap::Cached(const std::string& lowerName) const {
    for (const auto& entry : m_cache)
        if (entry.first == lowerName) return entry.second;
    return nullptr;
}

void TGreatBitmap::AddToCache(const std::string& lowerName, TMybitmap* bitmap) {
    m_cache.emplace_back(lowerName, bitmap);
}

void TGreatBitmap::RemoveFromCache(const TMybitmap* bitmap) {
    auto it = std::find_if(m_cache.begin(), m_cache.end(),
                           [bitmap](const auto& entry) { return entry.second == bitmap; });
    if (it != m_cache.end()) m_cache.erase(it);
}

const uint16_t* TGreatBitmap::TranslucencyTable() {
    if (m_depth != 15 && m_depth != 16) return nullptr;
    if (m_translucency.empty()) BuildTranslucency();
    return m_translucency.data();
}

// Every channel of every pixel value scaled by level / 32, rounded down.
// Values with bit 15 set at depth 15 never occur in a bitmap; they get the
// entries of their colour bits.
void TGreatBitmap::BuildTranslucency() {
    constexpr size_t kValues = 65536;
    m_translucency.resize(kLevels * kValues);
    for (uint32_t level = 0; level < kLevels; ++level) {
        uint16_t* row = m_translucency.data() + level * kValues;
        for (uint32_t p = 0; p < kValues; ++p) {
            TChannels c = SplitPixel(p, m_depth);
            c.r = c.r * level / 32;
            c.g = c.g * level / 32;
            c.b = c.b * level / 32;
            row[p] = static_cast<uint16_t>(JoinPixel(c, m_depth));
        }
    }
}

void TGreatBitmap::ReportProgress(const void* sender, int weight) {
    if (m_startingUp && m_hook) m_hook(sender, weight);
}

void TGreatBitmap::FileNotFound(const std::string& name) {
    platform::Dialogs().MessageBox(platform::BoxKind::Error, "File not found " + name, "error");
    platform::Shell().Halt(0);
    std::_Exit(0);  // not reached; keeps the promise should a backend return
}
