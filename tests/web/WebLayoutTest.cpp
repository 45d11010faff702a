// Pages laid out and drawn into a view, compared by pixels: boxes, borders,
// the background colour and the zero-margin rule exactly; text by where it
// lies and by drawing the same pixels twice with the same font file, also
// from a face another view opened and no longer exists.
#include "web/FontLibrary.h"
#include "web/LitehtmlView.h"
#include "web/WebFixture.h"

namespace webtest {
namespace {

constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF, kPanel = 0x102030;

const char kBoxes[] =
    "<html><body style=\"margin:4px\">"
    "<div style=\"width:30px;height:10px;background:#ff0000\"></div>"
    "<div style=\"width:20px;height:4px;border:2px solid #0000ff;padding:3px\"></div>"
    "<div style=\"height:200px\"></div></body></html>";

class WebLayoutTest : public WebFixture {};

TEST_F(WebLayoutTest, BoxesBordersAndBackgroundLandOnTheirPixels) {
    web::TLitehtmlView view(60, 40, DejaVuSettings());
    view.SetBackground(kPanel);
    view.ShowHtml(kBoxes, "http://127.0.0.1/");

    EXPECT_EQ(PixelAt(view, 3, 3), kPanel);  // the body's margin
    EXPECT_EQ(PixelAt(view, 4, 4), kRed);
    EXPECT_EQ(PixelAt(view, 33, 13), kRed);
    EXPECT_EQ(PixelAt(view, 34, 4), kPanel);
    // The bordered box: 2 + 3 + 20 + 3 + 2 wide, from y = 14.
    EXPECT_EQ(PixelAt(view, 4, 14), kBlue);
    EXPECT_EQ(PixelAt(view, 5, 15), kBlue);
    EXPECT_EQ(PixelAt(view, 6, 16), kPanel);
    EXPECT_EQ(PixelAt(view, 33, 20), kBlue);
    EXPECT_EQ(PixelAt(view, 34, 20), kPanel);
    EXPECT_EQ(PixelAt(view, 10, 27), kBlue);
    EXPECT_EQ(PixelAt(view, 10, 28), kPanel);

    view.SetZeroMargins(true);
    EXPECT_EQ(PixelAt(view, 0, 0), kRed);
    EXPECT_EQ(PixelAt(view, 30, 0), kPanel);
}

TEST_F(WebLayoutTest, ScrollingMovesThePageWithinItsRange) {
    web::TLitehtmlView view(60, 40, DejaVuSettings());
    view.SetZeroMargins(true);
    view.ShowHtml(kBoxes, "http://127.0.0.1/");
    // 10 + 14 + 200 pixels of page in a view 40 high.
    EXPECT_EQ(view.ScrollRange(), 224 - 40);
    view.ScrollTo(5);
    EXPECT_EQ(PixelAt(view, 0, 4), kRed);
    EXPECT_NE(PixelAt(view, 0, 5), kRed);
    view.ScrollTo(100000);
    EXPECT_EQ(view.ScrollPos(), view.ScrollRange());
    view.ScrollTo(-3);
    EXPECT_EQ(view.ScrollPos(), 0);
}

TEST_F(WebLayoutTest, TextDrawsTheSamePixelsEveryTimeInsideItsBox) {
    const std::string page =
        "<html><body style=\"margin:0;color:#000000;font-size:14px\">"
        "<div style=\"margin-left:10px\">Yatzy tonight</div></body></html>";
    web::TLitehtmlView first(120, 30, DejaVuSettings());
    web::TLitehtmlView second(120, 30, DejaVuSettings());
    first.ShowHtml(page, "http://127.0.0.1/");
    second.ShowHtml(page, "http://127.0.0.1/");

    int inked = 0, outside = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            ASSERT_EQ(PixelAt(first, x, y), PixelAt(second, x, y)) << x << "," << y;
            if (PixelAt(first, x, y) == 0xFFFFFF) continue;
            ++inked;
            // One line of 14-pixel text starting at x = 10.
            if (x < 10 || y >= 20) ++outside;
        }
    EXPECT_GT(inked, 60);
    EXPECT_EQ(outside, 0);
}

// Views open a font file once between them, and a face outlives the view
// that opened it.
TEST_F(WebLayoutTest, ViewsShareTheirFacesAndDrawAfterTheFirstViewIsGone) {
    const std::string page =
        "<html><body style=\"margin:0;color:#000000;font-size:15px\">Backgammon</body></html>";
    auto first = std::make_unique<web::TLitehtmlView>(120, 30, DejaVuSettings());
    first->ShowHtml(page, "http://127.0.0.1/");
    std::vector<uint32_t> drawn(first->Pixels(), first->Pixels() + 120 * 30);
    const int faces = web::TFontLibrary::Shared().OpenFaces();

    web::TLitehtmlView second(120, 30, DejaVuSettings());
    first.reset();
    second.ShowHtml(page, "http://127.0.0.1/");
    EXPECT_EQ(web::TFontLibrary::Shared().OpenFaces(), faces);
    int inked = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            ASSERT_EQ(PixelAt(second, x, y), drawn[static_cast<size_t>(y) * 120 + x] & 0xFFFFFF) << x << "," << y;
            inked += PixelAt(second, x, y) != 0xFFFFFF ? 1 : 0;
        }
    EXPECT_GT(inked, 60);
}

}  // namespace
}  // namespace webtest
