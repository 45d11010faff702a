// Bitmap fonts: the resource format, TextWidth and DrawText with blanks,
// control bytes, zero-width glyphs, tint and clipping, damaged resources and
// the registry.
#include "GraphicsFixture.h"

namespace gfxtest {
namespace {

// Strip of 'a' (2 wide) and 'b' (3 wide), 3 rows; 'c' has width 0.
//   a: W W   b: R . R
//      W .      R R R
//      W W      . R .
const std::vector<uint16_t> kStrip = {
    kWhite, kWhite, kRed, 0,    kRed,  //
    kWhite, 0,      kRed, kRed, kRed,  //
    kWhite, kWhite, 0,    kRed, 0,     //
};
const std::map<uint8_t, int> kWidths = {{'a', 2}, {'b', 3}, {'c', 0}};
constexpr int kHeight = 3, kSpace = 2;

class FontTest : public DepthTest {
protected:
    void SetUp() override {
        DepthTest::SetUp();
        WritePack({{"font1", FontResource(kHeight, kSpace, kWidths, Giz(kStrip, 5, 3))}});
        m_font = TFonts::Instance().GetFont("Font1");
        m_background = Px(0x2D6B);
    }

    // The strip pixel of a glyph column and row, as the screen holds it.
    uint32_t Glyph(char ch, int column, int row) const {
        const int offset = ch == 'a' ? 0 : 2;
        return Px(kStrip[size_t(row * 5 + offset + column)]);
    }
    // Checks a glyph drawn at x, y: strip pixels where not 0, else untouched.
    void ExpectGlyph(const TTestSurface& s, char ch, int x, int y) const {
        const int w = kWidths.at(uint8_t(ch));
        for (int row = 0; row < kHeight; ++row)
            for (int col = 0; col < w; ++col) {
                const uint32_t g = Glyph(ch, col, row);
                EXPECT_EQ(s.At(x + col, y + row), g != 0 ? g : m_background)
                    << ch << " column " << col << " row " << row;
            }
    }
    void ExpectUntouched(const TTestSurface& s, int x0, int x1, int y0, int y1) const {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) EXPECT_EQ(s.At(x, y), m_background) << x << "," << y;
    }
    platform::Rect All(const TTestSurface& s) const { return {0, 0, s.Width(), s.Height()}; }

    TMyfont* m_font = nullptr;
    uint32_t m_background = 0;
};

TEST_P(FontTest, ReadsTheResource) {
    EXPECT_EQ(m_font->Name(), "font1");
    EXPECT_EQ(m_font->Height(), kHeight);
    EXPECT_EQ(m_font->SpaceWidth(), kSpace);
    EXPECT_EQ(m_font->GlyphWidth('b'), 3);
    EXPECT_EQ(m_font->GlyphOffset('b'), 2);
    EXPECT_EQ(m_font->GlyphOffset('c'), 5);
    EXPECT_EQ(m_font->GlyphWidth(' '), 0);
    EXPECT_EQ(m_font->Strip().Width(), 5);
    EXPECT_EQ(m_font->Strip().Depth(), m_depth);
}

TEST_P(FontTest, TextWidthCountsBlanksButNotOtherControlBytes) {
    EXPECT_EQ(m_font->TextWidth("a b"), 2 + kSpace + 3);
    EXPECT_EQ(m_font->TextWidth("a\tb"), 5);
    EXPECT_EQ(m_font->TextWidth("acb"), 5);
    EXPECT_EQ(m_font->TextWidth(""), 0);
    EXPECT_EQ(m_font->TextWidth("\xFF"), 0);
}

TEST_P(FontTest, DrawsGlyphsSideBySide) {
    TTestSurface s(12, 5, m_depth, m_background);
    EXPECT_EQ(m_font->DrawText(s.Get(), All(s), "ab", 1, 1), 5);
    ExpectGlyph(s, 'a', 1, 1);
    ExpectGlyph(s, 'b', 3, 1);
    ExpectUntouched(s, 6, 12, 0, 5);
    ExpectUntouched(s, 0, 12, 0, 1);
    ExpectUntouched(s, 0, 12, 4, 5);
}

TEST_P(FontTest, TabAdvancesByTheSpaceWidthWhenDrawn) {
    TTestSurface s(12, 4, m_depth, m_background);
    EXPECT_EQ(m_font->DrawText(s.Get(), All(s), "a\tb", 0, 0), 2 + kSpace + 3);
    ExpectGlyph(s, 'a', 0, 0);
    ExpectUntouched(s, 2, 4, 0, 3);  // without a tint the blank draws nothing
    ExpectGlyph(s, 'b', 4, 0);
}

TEST_P(FontTest, ZeroWidthGlyphDrawsNothingAndStays) {
    TTestSurface s(12, 4, m_depth, m_background);
    EXPECT_EQ(m_font->DrawText(s.Get(), All(s), "acb", 0, 0), 5);
    ExpectGlyph(s, 'a', 0, 0);
    ExpectGlyph(s, 'b', 2, 0);
}

TEST_P(FontTest, TintedTextIsDarkOnABlockAndBlanksFillTheirCell) {
    const TColour colour = RgbColour(250, 200, 10);
    m_font->SetTint(colour);
    const uint32_t tint = ColourToPixel(colour, m_depth), mask = PixelMask(m_depth);
    TTestSurface s(10, 4, m_depth, m_background);
    EXPECT_EQ(m_font->DrawText(s.Get(), All(s), "a b", 1, 0), 7);
    for (int row = 0; row < kHeight; ++row) {
        for (int col = 0; col < 2; ++col) {
            const uint32_t g = Glyph('a', col, row);
            EXPECT_EQ(s.At(1 + col, row), g != 0 ? (~g & mask) : tint);
        }
        EXPECT_EQ(s.At(3, row), tint);
        EXPECT_EQ(s.At(4, row), tint);
        for (int col = 0; col < 3; ++col) {
            const uint32_t g = Glyph('b', col, row);
            EXPECT_EQ(s.At(5 + col, row), g != 0 ? (~g & mask) : tint);
        }
    }
    ExpectUntouched(s, 0, 10, 3, 4);
    ExpectUntouched(s, 8, 10, 0, 3);
}

// Clipped drawing equals unclipped drawing inside the clip rectangle and
// leaves everything outside alone; also with a tint, where blanks fill.
TEST_P(FontTest, ClipRectangleCutsGlyphsAndBlankCells) {
    const platform::Rect clips[] = {{2, 1, 4, 3}, {0, 0, 3, 9}, {4, 2, 30, 3}, {-5, -5, 2, 2},
                                    {7, 0, 7, 5}};
    for (bool tinted : {false, true}) {
        m_font->SetTint(tinted ? RgbColour(9, 99, 199) : 0);
        TTestSurface whole(12, 5, m_depth, m_background);
        const int advance = m_font->DrawText(whole.Get(), All(whole), "b ab", -1, 1);
        for (const platform::Rect& clip : clips) {
            TTestSurface cut(12, 5, m_depth, m_background);
            EXPECT_EQ(m_font->DrawText(cut.Get(), clip, "b ab", -1, 1), advance);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 12; ++x) {
                    const bool inside = x >= clip.left && x < clip.right && y >= clip.top &&
                                        y < clip.bottom;
                    ASSERT_EQ(cut.At(x, y), inside ? whole.At(x, y) : m_background)
                        << x << "," << y << " tinted " << tinted;
                }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllDepths, FontTest, ::testing::Values(15, 16, 24, 32), DepthName);

// ---------------------------------------------------------------------------

using FontResourceTest = GraphicsTest;

TEST_F(FontResourceTest, RegistryLowerCasesAndKeepsOneFontPerName) {
    WritePack({{"font1", FontResource(3, 2, kWidths, Giz(kStrip, 5, 3))},
               {"font99", FontResource(3, 4, kWidths, Giz(kStrip, 5, 3))}});
    TFonts& fonts = TFonts::Instance();
    TMyfont* one = fonts.GetFont("FONT1");
    EXPECT_EQ(fonts.GetFont("font1"), one);
    TMyfont* symbols = fonts.GetFont("Font99");
    EXPECT_EQ(one->Index(), 0);
    EXPECT_EQ(symbols->Index(), 1);
    EXPECT_EQ(fonts.At(1), symbols);
    EXPECT_EQ(fonts.At(2), nullptr);
    EXPECT_EQ(fonts.Count(), 2);
    EXPECT_EQ(symbols->SpaceWidth(), 4);
}

TEST_F(FontResourceTest, LoadsAFileOfExactlyTheName) {
    InProgramDirectory([&] {
        WriteFile(Dir() + "myfont", FontResource(3, 5, kWidths, Giz(kStrip, 5, 3)));
        WriteLoose("other", FontResource(3, 5, kWidths, Giz(kStrip, 5, 3)));
        EXPECT_EQ(TFonts::Instance().GetFont("MyFont")->SpaceWidth(), 5);
        // The registry lower-cases names; the file's letter case does not matter.
        WriteFile(Dir() + "Font7", FontResource(3, 6, kWidths, Giz(kStrip, 5, 3)));
        EXPECT_EQ(TFonts::Instance().GetFont("Font7")->SpaceWidth(), 6);
    });
    EXPECT_EQ(TGreatBitmap::Instance().Scratch().Size(), 0);
    // Fonts never come from the gfx folder.
    EXPECT_EXIT(
        {
            EchoBoxes();
            TFonts::Instance().GetFont("other");
        },
        ::testing::ExitedWithCode(0), "\\[File not found other\\|error\\]");
}

// Widths that run past the strip draw only what the strip holds, and a glyph
// height above the strip's draws only the strip's rows; the advance stays.
TEST_F(FontResourceTest, GlyphsPastTheStripAreClipped) {
    UseDepth(16);
    const std::map<uint8_t, int> widths = {{'a', 2}, {'b', 6}, {'d', 200}};
    WritePack({{"wide", FontResource(5, 2, widths, Giz(kStrip, 5, 3))}});
    TMyfont* font = TFonts::Instance().GetFont("wide");
    const uint32_t bg = Px(0x2D6B);
    TTestSurface s(220, 6, 16, bg);
    EXPECT_EQ(font->DrawText(s.Get(), {0, 0, 220, 6}, "bd", 0, 0), 206);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 220; ++x) {
            const bool fromStrip = x < 3 && y < 3;
            const uint32_t strip = fromStrip ? Px(kStrip[size_t(y * 5 + 2 + x)]) : 0;
            ASSERT_EQ(s.At(x, y), strip != 0 ? strip : bg) << x << "," << y;
        }
}

TEST_F(FontResourceTest, MissingOrDamagedFontEndsTheProcess) {
    Bytes shortResource = FontResource(3, 2, kWidths, Giz(kStrip, 5, 3));
    shortResource.resize(TMyfont::kHeaderSize + 5);
    Bytes badStrip = FontResource(3, 2, kWidths, Giz(kStrip, 5, 3));
    badStrip.resize(badStrip.size() - 3);
    WritePack({{"short", shortResource}, {"badstrip", badStrip}});
    EXPECT_EXIT(
        {
            EchoBoxes();
            TFonts::Instance().GetFont("Font7");
        },
        ::testing::ExitedWithCode(0), "\\[File not found font7\\|error\\]");
    EXPECT_EXIT(
        {
            EchoBoxes();
            TFonts::Instance().GetFont("short");
        },
        ::testing::ExitedWithCode(0), "File not found short");
    EXPECT_EXIT(
        {
            EchoBoxes();
            TFonts::Instance().GetFont("badstrip");
        },
        ::testing::ExitedWithCode(0), "File not found badstrip");
}

}  // namespace
}  // namespace gfxtest
