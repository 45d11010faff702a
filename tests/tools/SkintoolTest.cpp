#include <gtest/gtest.h>

#include "PngFile.h"
#include "ToolFiles.h"
#include "ToolRun.h"
#include "resources/Giz.h"

namespace {

using tooltest::Skintool;

// A picture with a uniform border, a gradient, a few transparent pixels and
// one opaque black pixel.
skin::TRgbaImage TestPicture() {
    skin::TRgbaImage image;
    image.Resize(37, 23);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            uint8_t* p = image.At(x, y);
            const bool border = x < 3 || y < 2 || x >= image.width - 4 || y >= image.height - 1;
            p[0] = border ? 40 : static_cast<uint8_t>(x * 7);
            p[1] = border ? 90 : static_cast<uint8_t>(y * 11);
            p[2] = border ? 200 : static_cast<uint8_t>(255 - x * 3);
            p[3] = 255;
        }
    image.At(10, 10)[3] = 0;                                       // transparent
    image.At(11, 10)[3] = 100;                                     // mostly transparent
    std::fill(image.At(12, 10), image.At(12, 10) + 3, uint8_t{0});  // opaque black
    return image;
}

class SkintoolTest : public ::testing::Test {
protected:
    void SetUp() override { m_dir = tooltest::FreshDir(); }
    std::string Path(const std::string& name) const { return m_dir + "/" + name; }
    void WriteText(const std::string& name, const std::string& text) const {
        std::string error;
        ASSERT_TRUE(skin::WriteFileText(Path(name), text, error)) << error;
    }

    std::string m_dir;
};

TEST_F(SkintoolTest, EncodeThenDecodeAt32GivesTheQuantisedPixels) {
    const skin::TRgbaImage original = TestPicture();
    std::string error;
    ASSERT_TRUE(skin::WritePng(Path("in.png"), original, error)) << error;
    const auto encode = Skintool({"giz", "encode", Path("in.png"), Path("pic.giz")});
    ASSERT_EQ(encode.exitCode, 0) << encode.output;

    // The uniform border became the margins.
    std::vector<uint8_t> stream;
    ASSERT_TRUE(skin::ReadFileBytes(Path("pic.giz"), stream, error));
    TGizHeader header;
    ASSERT_TRUE(GizReadHeader(stream.data(), static_cast<int64_t>(stream.size()), header));
    EXPECT_EQ(header.left, 3);
    EXPECT_EQ(header.top, 2);
    EXPECT_EQ(header.right, 4);
    EXPECT_EQ(header.bottom, 1);

    const auto decode = Skintool({"giz", "decode", Path("pic.giz"), Path("out.png"), "--depth", "32"});
    ASSERT_EQ(decode.exitCode, 0) << decode.output;
    skin::TRgbaImage back;
    ASSERT_TRUE(skin::ReadPng(Path("out.png"), back, error)) << error;
    ASSERT_EQ(back.width, original.width);
    ASSERT_EQ(back.height, original.height);
    for (int y = 0; y < original.height; ++y)
        for (int x = 0; x < original.width; ++x) {
            const uint8_t* o = original.At(x, y);
            const uint8_t* b = back.At(x, y);
            SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
            if (o[3] < 128) {
                EXPECT_EQ(b[3], 0);
                continue;
            }
            const bool black = (o[0] >> 3) == 0 && (o[1] >> 3) == 0 && (o[2] >> 3) == 0;
            // Opaque black would be the transparent 0, so it becomes near-black.
            EXPECT_EQ(b[0], black ? 8 : o[0] & 0xF8);
            EXPECT_EQ(b[1], black ? 8 : o[1] & 0xF8);
            EXPECT_EQ(b[2], black ? 8 : o[2] & 0xF8);
            EXPECT_EQ(b[3], 255);
        }
}

TEST_F(SkintoolTest, DecodeAt16KeepsSixBitsOfGreenAndDefaultsTo32) {
    skin::TRgbaImage image;
    image.Resize(2, 1);
    const uint8_t colours[2][4] = {{255, 255, 255, 255}, {0, 0, 255, 255}};
    std::copy(colours[0], colours[0] + 4, image.At(0, 0));
    std::copy(colours[1], colours[1] + 4, image.At(1, 0));
    std::string error;
    ASSERT_TRUE(skin::WritePng(Path("in.png"), image, error));
    ASSERT_EQ(Skintool({"giz", "encode", Path("in.png"), Path("p.giz")}).exitCode, 0);
    ASSERT_EQ(Skintool({"giz", "decode", Path("p.giz"), Path("p16.png"), "--depth", "16"}).exitCode, 0);
    ASSERT_EQ(Skintool({"giz", "decode", Path("p.giz"), Path("p32.png")}).exitCode, 0);
    skin::TRgbaImage p16, p32;
    ASSERT_TRUE(skin::ReadPng(Path("p16.png"), p16, error));
    ASSERT_TRUE(skin::ReadPng(Path("p32.png"), p32, error));
    // White at depth 16 is 0xFFDF: green 62 of 63, shown as 248.
    EXPECT_EQ(p16.At(0, 0)[0], 248);
    EXPECT_EQ(p16.At(0, 0)[1], 248);
    EXPECT_EQ(p32.At(1, 0)[2], 248);
    EXPECT_EQ(p32.At(1, 0)[0], 0);
}

TEST_F(SkintoolTest, PackCreateListAndExtractRoundTrip) {
    std::string error;
    ASSERT_TRUE(skin::MakeDirectories(Path("src"), error)) << error;
    WriteText("src/splash.giz", "SPLASHDATA");
    WriteText("src/Font1", "fontbytes");
    WriteText("src/2_chekof", "c");
    const auto create = Skintool({"pack", "create", Path("src"), Path("data.pac")});
    ASSERT_EQ(create.exitCode, 0) << create.output;

    const auto list = Skintool({"pack", "list", Path("data.pac")});
    ASSERT_EQ(list.exitCode, 0) << list.output;
    const size_t chek = list.output.find("2_chekof"), font = list.output.find("Font1"),
                 splash = list.output.find("splash");
    ASSERT_NE(splash, std::string::npos) << list.output;
    EXPECT_LT(chek, font);
    EXPECT_LT(font, splash);
    EXPECT_EQ(list.output.find("splash.giz"), std::string::npos);

    const auto extract = Skintool({"pack", "extract", Path("data.pac"), Path("out")});
    ASSERT_EQ(extract.exitCode, 0) << extract.output;
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(skin::ReadFileBytes(Path("out/splash"), bytes, error)) << error;
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "SPLASHDATA");
    ASSERT_TRUE(skin::ReadFileBytes(Path("out/Font1"), bytes, error)) << error;
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "fontbytes");
}

TEST_F(SkintoolTest, PackCreateRefusesBrokenNameRules) {
    std::string error;
    skin::MakeDirectories(Path("long"), error);
    WriteText("long/abcdefghijkl", "x");
    auto run = Skintool({"pack", "create", Path("long"), Path("a.pac")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("abcdefghijkl"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("at most 11"), std::string::npos) << run.output;

    skin::MakeDirectories(Path("twice"), error);
    WriteText("twice/logo", "x");
    WriteText("twice/LOGO.giz", "y");
    run = Skintool({"pack", "create", Path("twice"), Path("b.pac")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("already used"), std::string::npos) << run.output;

    skin::MakeDirectories(Path("empty"), error);
    run = Skintool({"pack", "create", Path("empty"), Path("c.pac")});
    EXPECT_EQ(run.exitCode, 1);
    std::vector<uint8_t> none;
    EXPECT_FALSE(skin::ReadFileBytes(Path("c.pac"), none, error));
}

TEST_F(SkintoolTest, BadInputGivesAClearMessageAndNonZeroExit) {
    WriteText("notpng.png", "this is text, not a picture");
    WriteText("garbage.giz", std::string("\x10\x00\x10\x00\x00\x00\x00\x00\x00\x00\x00\x00\x05", 13));
    WriteText("bad.pac", std::string(40, 'z'));
    WriteText("cut.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0", 18));
    // A pack whose one member is called "..": extracting it would leave the
    // target folder.
    WriteText("dots.pac", std::string("..         \0\x10\0\0\0x", 17));

    struct TCase {
        std::vector<std::string> args;
        int exit;
        std::string message;
    };
    const std::vector<TCase> cases = {
        {{"giz", "encode", Path("missing.png"), Path("o.giz")}, 1, "cannot open"},
        {{"giz", "encode", Path("notpng.png"), Path("o.giz")}, 1, "is not a PNG"},
        {{"giz", "encode", Path("cut.png"), Path("o.giz")}, 1, "damaged PNG"},
        {{"pack", "extract", Path("dots.pac"), Path("out")}, 1, "cannot be a file name"},
        {{"giz", "decode", Path("missing.giz"), Path("o.png")}, 1, "cannot open"},
        {{"giz", "decode", Path("garbage.giz"), Path("o.png")}, 1, "not a valid GIZ"},
        {{"giz", "decode", Path("garbage.giz"), Path("o.png"), "--depth", "8"}, 2, "depth \"8\""},
        {{"giz", "decode", Path("garbage.giz"), Path("o.png"), "--depth"}, 2, "--depth"},
        {{"pack", "list", Path("bad.pac")}, 1, "damaged directory"},
        {{"pack", "list", Path("missing.pac")}, 1, "cannot open"},
        {{"pack", "create", Path("nofolder"), Path("x.pac")}, 1, "not a folder"},
        {{"font", "render", Path("notpng.png"), Path("f.png")}, 1, "font resource"},
        {{"frobnicate"}, 2, "unknown command"},
        {{"pack"}, 2, "usage"},
    };
    for (const TCase& c : cases) {
        const auto run = Skintool(c.args);
        EXPECT_EQ(run.exitCode, c.exit) << c.args[0] << " " << (c.args.size() > 1 ? c.args[1] : "");
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    }
}

}  // namespace
