// Shared set-up of the graphics tests: a headless backend at a chosen screen
// depth, a program directory of its own with "gfx" and "sound" folders, and
// builders for GIZ images, packs, font resources and small test surfaces.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "FreshStates.h"
#include "TempFolder.h"
#include "graphics/GreatBitmap.h"
#include "graphics/Myfont.h"
#include "graphics/Mybitmap.h"
#include "graphics/PixelFormat.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessVideo.h"
#include "resources/Giz.h"
#include "resources/GizEncoder.h"
#include "resources/PackWriter.h"
#include "resources/Paths.h"

namespace gfxtest {

using Bytes = std::vector<uint8_t>;
using Members = std::vector<std::pair<std::string, Bytes>>;

// 15-bit colours used by the tests.
constexpr uint16_t kWhite = 0x7FFF, kRed = 0x7C00, kGreen = 0x03E0, kBlue = 0x001F;

inline Bytes Giz(const std::vector<uint16_t>& pixels, int width, int height) {
    Bytes stream;
    EXPECT_TRUE(GizEncode(pixels.data(), width, height, stream));
    return stream;
}

inline Bytes SolidGiz(int width, int height, uint16_t colour) {
    return Giz(std::vector<uint16_t>(size_t(width) * size_t(height), colour), width, height);
}

// A font resource: metrics, widths by byte value (the rest 0), and the strip.
inline Bytes FontResource(int height, int spaceWidth, const std::map<uint8_t, int>& widths,
                          const Bytes& stripGiz) {
    TFontHeader header;
    header.height = height;
    header.spaceWidth = spaceWidth;
    for (const auto& [ch, width] : widths)
        if (ch >= TFontHeader::kFirstGlyph) header.widths[size_t(ch - TFontHeader::kFirstGlyph)] = uint8_t(width);
    Bytes out;
    std::string error;
    EXPECT_TRUE(WriteFontHeader(header, out, error)) << error;
    out.insert(out.end(), stripGiz.begin(), stripGiz.end());
    return out;
}

// Writes the error box's text to stderr, so death tests can match it.
class TEchoDialogs : public platform::IDialogs {
public:
    platform::BoxResult MessageBox(platform::BoxKind, const std::string& text,
                                   const std::string& caption) override {
        std::fprintf(stderr, "[%s|%s]\n", text.c_str(), caption.c_str());
        return platform::BoxResult::Ok;
    }
};

// A surface of its own bytes, every pixel set to one value.
class TTestSurface {
public:
    TTestSurface(int width, int height, int depth, uint32_t fill = 0)
        : m_bytes(DepthBytesPerPixel(depth)),
          // Four spare bytes at the end: GCC cannot see that the pixel
          // size is fixed and warns about wider stores into tiny surfaces.
          m_data(size_t(width) * size_t(height) * size_t(m_bytes) + 4) {
        m_surface = {m_data.data(), width, height, width * m_bytes, depth};
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) Set(x, y, fill);
    }
    const platform::Surface& Get() const { return m_surface; }
    uint32_t At(int x, int y) const {
        return LoadPixel(m_data.data() + (size_t(y) * size_t(m_surface.width) + size_t(x)) * size_t(m_bytes), m_bytes);
    }
    void Set(int x, int y, uint32_t v) {
        StorePixel(m_data.data() + (size_t(y) * size_t(m_surface.width) + size_t(x)) * size_t(m_bytes), m_bytes, v);
    }
    int Width() const { return m_surface.width; }
    int Height() const { return m_surface.height; }

private:
    int m_bytes;
    std::vector<uint8_t> m_data;
    platform::Surface m_surface;
};

class GraphicsTest : public ::testing::Test {
protected:
    // First, so they end after everything the fixture and its subclasses
    // own: the states before the folder, so what they save on ending lands.
    TTempFolder m_folder{"qvgfx"};
    TFreshGraphics m_states;

    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        platform::headless::InstallFresh();
        SetProgramDirectory(m_dir);
        std::filesystem::create_directory(m_dir + "gfx");
        std::filesystem::create_directory(m_dir + "sound");
        UseDepth(32);
    }
    // Fresh registries at this depth (created on their next use, so write
    // the pack first).
    void UseDepth(int depth) {
        TFonts::Destroy();
        TGreatBitmap::Destroy();
        platform::headless::Video().SetDesktopMode({1024, 768, depth});
        m_depth = depth;
    }
    const std::string& Dir() const { return m_dir; }

    void WriteFile(const std::string& path, const Bytes& bytes) {
        ASSERT_TRUE(platform::WriteWholeFile(path, bytes.data(), int64_t(bytes.size()))) << path;
    }
    void WriteLoose(const std::string& name, const Bytes& giz) {
        WriteFile(m_dir + "gfx/" + name + ".giz", giz);
    }
    void WritePack(const Members& members, const std::string& path = "") {
        TPackWriter writer;
        std::string error;
        for (const auto& [name, data] : members) ASSERT_TRUE(writer.Add(name, data, error)) << error;
        ASSERT_TRUE(writer.Write(path.empty() ? m_dir + "gfx/data.pac" : path, error)) << error;
    }

    // Runs the code with the current directory set to the program directory.
    template <typename F>
    void InProgramDirectory(F&& f) {
        const auto previous = std::filesystem::current_path();
        std::filesystem::current_path(m_dir);
        f();
        std::filesystem::current_path(previous);
    }

    // The screen pixel of a 15-bit colour at the test's depth.
    uint32_t Px(uint16_t colour15) const { return GizConvertPixel(colour15, m_depth); }

    // Swaps in dialogs that echo to stderr; for the child of a death test.
    static void EchoBoxes() { platform::Current().dialogs = std::make_unique<TEchoDialogs>(); }

    std::string m_dir = m_folder.Dir();
    int m_depth = 32;
};

// Depth-parametrised variant.
class DepthTest : public GraphicsTest, public ::testing::WithParamInterface<int> {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        UseDepth(GetParam());
    }
};

inline std::string DepthName(const ::testing::TestParamInfo<int>& info) {
    return "Depth" + std::to_string(info.param);
}

}  // namespace gfxtest
