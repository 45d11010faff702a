#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "PngFile.h"
#include "ToolFiles.h"
#include "ToolRun.h"

namespace {

namespace fs = std::filesystem;

const char* const kShots[] = {"1-initial", "2-after-12s", "3-glide-open", "4-symbols-open",
                              "5-list-sorted"};

// The built program directory's skin, or a skip: the gallery shows that skin.
bool SkinBuilt() { return fs::is_regular_file(std::string(QV_PROGRAM_DIR) + "gfx/data.pac"); }

tooltest::TRun Gallery(const std::vector<std::string>& args) {
    return tooltest::Run(QV_CONTROLGALLERY, args);
}

// Distinct colours of a picture, counted up to a limit.
size_t Colours(const skin::TRgbaImage& image, size_t limit) {
    std::set<uint32_t> seen;
    for (size_t i = 0; i + 3 < image.pixels.size() && seen.size() < limit; i += 4) {
        const uint8_t* p = &image.pixels[i];
        seen.insert(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16);
    }
    return seen.size();
}

class ControlgalleryTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        if (!SkinBuilt()) GTEST_SKIP() << "no skin in " << QV_PROGRAM_DIR << " (build target skin)";
        m_out = tooltest::FreshDir();
    }
    std::string m_out;
};

// Every shot is a whole window of the skin's 800 × 600 background with the
// controls on it, and time moved on between the first two.
TEST_P(ControlgalleryTest, HeadlessRunWritesEveryShot) {
    const auto run = Gallery({"--skin", QV_PROGRAM_DIR, "--png", m_out, "--depth", GetParam()});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    std::vector<skin::TRgbaImage> images;
    for (const char* shot : kShots) {
        skin::TRgbaImage image;
        std::string error;
        ASSERT_TRUE(skin::ReadPng(m_out + "/" + shot + ".png", image, error)) << shot << ": " << error;
        EXPECT_EQ(image.width, 800) << shot;
        EXPECT_EQ(image.height, 600) << shot;
        EXPECT_GT(Colours(image, 100), 50u) << shot << " is nearly uniform";
        images.push_back(std::move(image));
    }
    EXPECT_NE(images[0].pixels, images[1].pixels) << "nothing changed in twelve seconds";
}

INSTANTIATE_TEST_SUITE_P(Depths, ControlgalleryTest, ::testing::Values("16", "32"));

TEST(ControlgalleryFiles, TheShippedSettingsStayUntouched) {
    if (!SkinBuilt()) GTEST_SKIP() << "no skin in " << QV_PROGRAM_DIR;
    std::vector<uint8_t> before, after;
    std::string error;
    const std::string settings = std::string(QV_PROGRAM_DIR) + "settings.ini";
    ASSERT_TRUE(skin::ReadFileBytes(settings, before, error)) << error;
    const auto run = Gallery({"--skin", QV_PROGRAM_DIR, "--png", tooltest::FreshDir()});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    ASSERT_TRUE(skin::ReadFileBytes(settings, after, error)) << error;
    EXPECT_EQ(before, after);
}

TEST(ControlgalleryFiles, AFolderWithoutSkinIsRefused) {
    const std::string empty = tooltest::FreshDir();
    const auto run = Gallery({"--skin", empty, "--png", tooltest::FreshDir()});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("data.pac"), std::string::npos) << run.output;
}

TEST(ControlgalleryFiles, BadOptionsShowTheUsage) {
    const auto run = Gallery({"--depth", "8", "--png", tooltest::FreshDir()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("usage"), std::string::npos) << run.output;
}

}  // namespace
