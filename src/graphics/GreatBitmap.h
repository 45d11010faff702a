// TGreatBitmap: the image registry of the installed context. It knows the screen depth,
// opens the pack files, caches decoded bitmaps by name so every image is
// decoded once while it is in use, owns the translucency table, and carries
// the start-up progress hook.
//
// The cache holds no reference of its own: a bitmap whose last user releases
// it leaves the cache, and the next use decodes it again. Lookups compare the
// stored lower-case names exactly, so callers pass lower-case names.
//
// Progress: while the start-up flag is set and a hook is installed, image and
// window constructors report a weight (a loaded bitmap 10, a window's paint
// surface 50, ...) through ReportProgress; at any other time it does nothing.
//
// A missing or undecodable image or font ends the process: FileNotFound shows
// the platform error box "File not found " + name, caption "error", and halts
// with exit code 0.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "resources/MyMem.h"
#include "resources/Pack.h"

class TMybitmap;

// The hook gets the object reporting and the weight of its step.
using TProgressHook = std::function<void(const void* sender, int weight)>;

class TGreatBitmap {
public:
    // Levels of the translucency table: 0 (nothing of a pixel) ... 32 (all).
    static constexpr int kLevels = 33;

    // The installed context's registry (TGraphicsState), created on first
    // use: measures the screen depth and adds ProgramDirectory() +
    // "gfx/data.pac" as the first pack.
    static TGreatBitmap& Instance();
    // A context is installed and its registry exists.
    static bool Created();
    // Frees the installed context's registry (a new screen depth). Bitmaps
    // still alive keep working; they no longer appear in any cache.
    static void Destroy();

    TGreatBitmap(const TGreatBitmap&) = delete;
    TGreatBitmap& operator=(const TGreatBitmap&) = delete;
    ~TGreatBitmap();

    // The screen depth and its bytes per pixel (depth / 7).
    int Depth() const { return m_depth; }
    int BytesPerPixel() const { return m_bytesPerPixel; }
    // Reads the depth again from the display (after a mode change). Drops
    // the translucency table, which belongs to the old depth.
    void MeasureDepth();

    TMypacks& Packs() { return m_packs; }
    // Holds a loose image or font file while it is decoded; empty otherwise.
    TMymem& Scratch() { return m_scratch; }

    // Hands the bytes of a named resource to use: the pack member of the
    // name, else the loose file whose path loosePath finds (empty: none),
    // read into the scratch buffer and cleared after use. The result is
    // use's; false without calling it when neither source has the resource.
    using TResourceUse = std::function<bool(const uint8_t* data, int64_t length)>;
    bool UseResource(const std::string& name, const std::function<std::string()>& loosePath,
                     const TResourceUse& use);

    // The cached bitmap stored under exactly this name, or nullptr. Takes no
    // reference.
    TMybitmap* Cached(const std::string& lowerName) const;
    void AddToCache(const std::string& lowerName, TMybitmap* bitmap);
    // Removes the bitmap's entry, if it has one.
    void RemoveFromCache(const TMybitmap* bitmap);
    int CacheCount() const { return static_cast<int>(m_cache.size()); }

    // The table for depths 15 and 16, built on the first call: 33 levels of
    // 65536 entries, entry(level, p) = p with each channel × level / 32
    // rounded down. nullptr at depths 24 and 32 (no blending there).
    const uint16_t* TranslucencyTable();
    bool HasTranslucencyTable() const { return !m_translucency.empty(); }

    // Start-up progress.
    void SetProgressHook(TProgressHook hook) { m_hook = std::move(hook); }
    void ClearProgressHook() { m_hook = nullptr; }
    void SetStartingUp(bool startingUp) { m_startingUp = startingUp; }
    bool StartingUp() const { return m_startingUp; }
    // Calls the hook with the weight, only while starting up.
    void ReportProgress(const void* sender, int weight);

    // The "File not found " box and the end of the process.
    [[noreturn]] static void FileNotFound(const std::string& name);

private:
    TGreatBitmap();
    void BuildTranslucency();

    int m_depth = 0;
    int m_bytesPerPixel = 0;
    TMypacks m_packs;
    TMymem m_scratch;
    std::vector<std::pair<std::string, TMybitmap*>> m_cache;
    std::vector<uint16_t> m_translucency;
    TProgressHook m_hook;
    bool m_startingUp = false;
};
