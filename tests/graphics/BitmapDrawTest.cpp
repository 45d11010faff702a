// The drawing modes compared pixel by pixel in small surfaces at every depth:
// opaque, transparent and tinted with source rectangles and clipping,
// translucent blending, colour conversion, fill, capture and scaling.
#include "GraphicsFixture.h"

namespace gfxtest {
namespace {

constexpr int kW = 4, kH = 3;
const std::vector<uint16_t> kPattern = {
    kRed,  0,      kGreen, kBlue,    //
    kWhite, 0x1234, 0,     0x4210,   //
    0x0421, 0x2108, 0x56B5, 0,       //
};

enum class Mode { Opaque, Transparent, Tinted };

struct TPlacement {
    platform::Rect source;
    int x, y;
};

// Source rectangles inside, across and beyond the bitmap, and positions that
// push the picture over every edge of the 6 × 5 surface.
const TPlacement kPlacements[] = {
    {{0, 0, kW, kH}, 1, 1},    {{1, 1, 3, 3}, 0, 0},   {{0, 0, kW, kH}, -2, -1},
    {{0, 0, kW, kH}, 4, 3},    {{-2, -1, 6, 5}, 0, 0}, {{2, 0, 9, 2}, 5, 4},
    {{1, 0, 4, 3}, -3, 2},     {{0, 0, 0, 3}, 1, 1},   {{0, 0, kW, kH}, 6, 0},
};

class DrawTest : public DepthTest {
protected:
    void SetUp() override {
        DepthTest::SetUp();
        WriteLoose("pattern", Giz(kPattern, kW, kH));
        m_bitmap = TMybitmap::Load("pattern");
    }
    void TearDown() override {
        m_bitmap->Release();
        DepthTest::TearDown();
    }

    // What a target pixel must hold, worked out from the target's side.
    uint32_t Expected(const TPlacement& p, int tx, int ty, uint32_t background, Mode mode,
                      uint32_t tint) const {
        const int sx = tx - p.x + p.source.left, sy = ty - p.y + p.source.top;
        const bool inside = sx >= std::max(p.source.left, 0) && sx < std::min(p.source.right, kW) &&
                            sy >= std::max(p.source.top, 0) && sy < std::min(p.source.bottom, kH);
        if (!inside) return background;
        const uint32_t v = Px(kPattern[size_t(sy * kW + sx)]);
        switch (mode) {
        case Mode::Opaque: return v;
        case Mode::Transparent: return v != 0 ? v : background;
        case Mode::Tinted: return v != 0 ? (~v & PixelMask(m_depth)) : tint;
        }
        return background;
    }

    void CheckMode(Mode mode) {
        const uint32_t background = Px(0x2D6B);
        for (const TPlacement& p : kPlacements) {
            TTestSurface surface(6, 5, m_depth, background);
            if (mode == Mode::Opaque) m_bitmap->DrawOpaque(p.source, surface.Get(), p.x, p.y);
            else m_bitmap->DrawTransparent(p.source, surface.Get(), p.x, p.y);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 6; ++x)
                    ASSERT_EQ(surface.At(x, y),
                              Expected(p, x, y, background, mode, m_bitmap->TintPixel()))
                        << "pixel " << x << "," << y << " source " << p.source.left << ","
                        << p.source.top << " at " << p.x << "," << p.y;
        }
    }

    TMybitmap* m_bitmap = nullptr;
};

TEST_P(DrawTest, OpaqueCopiesEveryPixelClipped) { CheckMode(Mode::Opaque); }

TEST_P(DrawTest, TransparentSkipsZeroPixels) { CheckMode(Mode::Transparent); }

TEST_P(DrawTest, TintDrawsComplementOnBlockOfTintColour) {
    m_bitmap->SetTint(RgbColour(200, 40, 90));
    EXPECT_EQ(m_bitmap->TintPixel(), ColourToPixel(RgbColour(200, 40, 90), m_depth));
    EXPECT_EQ(m_bitmap->TintColour(), RgbColour(200, 40, 90));
    CheckMode(Mode::Tinted);
    m_bitmap->SetTint(0);
    EXPECT_EQ(m_bitmap->TintPixel(), 0u);
    CheckMode(Mode::Transparent);
}

TEST_P(DrawTest, SurfaceOfAnotherDepthReceivesNothing) {
    const int other = m_depth == 32 ? 16 : 32;
    TTestSurface surface(6, 5, other, 5);
    m_bitmap->DrawOpaque(m_bitmap->Bounds(), surface.Get(), 0, 0);
    m_bitmap->DrawTranslucent(m_bitmap->Bounds(), surface.Get(), 0, 0, 16);
    EXPECT_EQ(surface.At(0, 0), 5u);
}

TEST_P(DrawTest, TranslucentBlendsAtLowDepthsOnly) {
    const uint32_t background = Px(0x2D6B);
    TTestSurface surface(kW, kH, m_depth, background);
    m_bitmap->DrawTranslucent(m_bitmap->Bounds(), surface.Get(), 0, 0, 8);
    const bool blends = m_depth == 15 || m_depth == 16;
    EXPECT_EQ(TGreatBitmap::Instance().HasTranslucencyTable(), blends);
    // Transparent pixels leave the target alone in every depth.
    EXPECT_EQ(surface.At(1, 0), background);
    if (!blends) {
        EXPECT_EQ(surface.At(0, 0), Px(kRed));
        return;
    }
    // A quarter of each channel of the source plus three quarters of the
    // target's, each rounded down.
    const TChannels s = SplitPixel(Px(kRed), m_depth), t = SplitPixel(background, m_depth);
    const TChannels mix{s.r * 8 / 32 + t.r * 24 / 32, s.g * 8 / 32 + t.g * 24 / 32,
                        s.b * 8 / 32 + t.b * 24 / 32};
    EXPECT_EQ(surface.At(0, 0), JoinPixel(mix, m_depth));
}

TEST_P(DrawTest, FillClearAndColourConversion) {
    TMybitmap* blank = TMybitmap::CreateBlank(3, 2);
    blank->Clear();
    blank->Fill({1, 0, 9, 1}, RgbColour(255, 128, 8));
    const uint32_t expected = m_depth == 15   ? 0x7E01u
                              : m_depth == 16 ? 0xFC01u
                                              : 0xFF8008u;  // bytes 08 80 FF
    EXPECT_EQ(blank->PixelAt(0, 0), 0u);
    EXPECT_EQ(blank->PixelAt(1, 0), expected);
    EXPECT_EQ(blank->PixelAt(2, 0), expected);
    EXPECT_EQ(blank->PixelAt(2, 1), 0u);
    if (m_depth >= 24) {
        const uint8_t* second = blank->Pixels() + blank->BytesPerPixel();
        EXPECT_EQ(second[0], 0x08);
        EXPECT_EQ(second[1], 0x80);
        EXPECT_EQ(second[2], 0xFF);
        if (m_depth == 32) {
            EXPECT_EQ(second[3], 0x00);
        }
    }
    blank->Clear();
    EXPECT_EQ(blank->PixelAt(1, 0), 0u);
    blank->Release();
}

TEST_P(DrawTest, CaptureCopiesTheSurfaceAreaAndKeepsTheRest) {
    TTestSurface surface(3, 3, m_depth);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x) surface.Set(x, y, Px(uint16_t(1 + x + 3 * y)));
    TMybitmap* blank = TMybitmap::CreateBlank(2, 2);
    blank->Fill(blank->Bounds(), RgbColour(0, 0, 255));
    const uint32_t kept = blank->PixelAt(0, 0);
    blank->Capture(surface.Get(), -1, 2);  // only surface pixel (0, 2) lies under it
    EXPECT_EQ(blank->PixelAt(0, 0), kept);
    EXPECT_EQ(blank->PixelAt(1, 0), Px(7));
    EXPECT_EQ(blank->PixelAt(0, 1), kept);
    EXPECT_EQ(blank->PixelAt(1, 1), kept);
    blank->Capture(surface.Get(), 1, 1);
    EXPECT_EQ(blank->PixelAt(0, 0), Px(5));
    EXPECT_EQ(blank->PixelAt(1, 1), Px(9));
    blank->Release();
}

INSTANTIATE_TEST_SUITE_P(AllDepths, DrawTest, ::testing::Values(15, 16, 24, 32), DepthName);

// ---------------------------------------------------------------------------

TEST_F(GraphicsTest, TranslucentHalfOfWhiteOverBlackAtDepth16) {
    UseDepth(16);
    WriteLoose("white", SolidGiz(2, 1, kWhite));
    TMybitmap* white = TMybitmap::Load("white");
    EXPECT_FALSE(TGreatBitmap::Instance().HasTranslucencyTable());
    TTestSurface surface(2, 1, 16, 0);
    white->DrawTranslucent(white->Bounds(), surface.Get(), 0, 0, 16);
    EXPECT_TRUE(TGreatBitmap::Instance().HasTranslucencyTable());
    EXPECT_EQ(surface.At(0, 0), 0x7BEFu);
    EXPECT_EQ(surface.At(1, 0), 0x7BEFu);
    // The same at depth 15: 15 of 31 in each channel.
    white->Release();
    UseDepth(15);
    white = TMybitmap::Load("white");
    TTestSurface low(1, 1, 15, 0);
    white->DrawTranslucent({0, 0, 1, 1}, low.Get(), 0, 0, 16);
    EXPECT_EQ(low.At(0, 0), 0x3DEFu);
    white->Release();
}

TEST_F(GraphicsTest, TranslucencyTableEndsAreNothingAndAll) {
    UseDepth(16);
    const uint16_t* table = TGreatBitmap::Instance().TranslucencyTable();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table[0 * 65536 + 0xFFFF], 0);
    EXPECT_EQ(table[32 * 65536 + 0xFFDF], 0xFFDF);
    EXPECT_EQ(table[16 * 65536 + 0xFFFF], 0x7BEF);
    UseDepth(32);
    EXPECT_EQ(TGreatBitmap::Instance().TranslucencyTable(), nullptr);
}

// Box filter at depth 32, where channels are 8 bits and the averages exact.
class ScaleTest : public GraphicsTest {
protected:
    TMybitmap* Grid(int w, int h, const std::vector<TColour>& colours) {
        TMybitmap* b = TMybitmap::CreateBlank(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) b->Fill({x, y, x + 1, y + 1}, colours[size_t(y * w + x)]);
        return b;
    }
};

TEST_F(ScaleTest, ShrinkAveragesEachBlock) {
    const TColour a = RgbColour(8, 0, 0), b = RgbColour(16, 0, 40), c = RgbColour(24, 4, 0),
                  d = RgbColour(32, 0, 0), z = 0;
    TMybitmap* source = Grid(4, 2, {a, b, z, z,  //
                                    c, d, a, z});
    TMybitmap* target = TMybitmap::CreateBlank(2, 1);
    target->Clear();
    source->DrawScaled(source->Bounds(), *target, target->Bounds(), false);
    EXPECT_EQ(target->PixelAt(0, 0), ColourToPixel(RgbColour(20, 1, 10), 32));
    EXPECT_EQ(target->PixelAt(1, 0), ColourToPixel(RgbColour(2, 0, 0), 32));
    source->DrawScaled(source->Bounds(), *target, target->Bounds(), true);
    EXPECT_EQ(target->PixelAt(1, 0), ColourToPixel(a, 32));
    source->Release();
    target->Release();
}

TEST_F(ScaleTest, AllTransparentBlockStaysTransparentAndEnlargingRepeats) {
    const TColour a = RgbColour(100, 50, 25);
    TMybitmap* source = Grid(2, 1, {0, a});
    TMybitmap* target = TMybitmap::CreateBlank(4, 2);
    target->Fill(target->Bounds(), RgbColour(1, 2, 3));
    source->DrawScaled(source->Bounds(), *target, target->Bounds(), true);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(target->PixelAt(0, y), 0u);
        EXPECT_EQ(target->PixelAt(1, y), 0u);
        EXPECT_EQ(target->PixelAt(2, y), ColourToPixel(a, 32));
        EXPECT_EQ(target->PixelAt(3, y), ColourToPixel(a, 32));
    }
    // A target area partly outside the target: only the inside is written,
    // with the mapping of the whole area.
    target->Fill(target->Bounds(), RgbColour(1, 2, 3));
    source->DrawScaled(source->Bounds(), *target, {-2, 0, 2, 1}, false);
    EXPECT_EQ(target->PixelAt(0, 0), ColourToPixel(a, 32));
    EXPECT_EQ(target->PixelAt(1, 0), ColourToPixel(a, 32));
    EXPECT_EQ(target->PixelAt(2, 0), ColourToPixel(RgbColour(1, 2, 3), 32));
    source->Release();
    target->Release();
}

}  // namespace
}  // namespace gfxtest
