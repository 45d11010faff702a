// Loading bitmaps by name: the order of the sources, the shared cache and its
// reference counting, progress during start-up, and the fatal cases.
#include "GraphicsFixture.h"
#include "graphics/Mybitmaplist.h"

namespace gfxtest {
namespace {

using BitmapLoadTest = GraphicsTest;

TEST_F(BitmapLoadTest, PackWinsOverLooseFileAndNamesIgnoreCase) {
    WritePack({{"splash", SolidGiz(3, 2, kRed)}});
    WriteLoose("splash", SolidGiz(3, 2, kBlue));
    TMybitmap* bitmap = TMybitmap::Load("SPLASH");
    EXPECT_EQ(bitmap->Width(), 3);
    EXPECT_EQ(bitmap->Height(), 2);
    EXPECT_EQ(bitmap->Depth(), 32);
    EXPECT_EQ(bitmap->PixelAt(2, 1), Px(kRed));
    // Cached under the lower-case name.
    EXPECT_EQ(TGreatBitmap::Instance().Cached("splash"), bitmap);
    EXPECT_EQ(TGreatBitmap::Instance().Cached("SPLASH"), nullptr);
    bitmap->Release();
}

TEST_F(BitmapLoadTest, ExactPathComesBeforeTheGfxFolder) {
    InProgramDirectory([&] {
        WriteFile(Dir() + "pic", SolidGiz(2, 2, kGreen));
        WriteLoose("pic", SolidGiz(2, 2, kBlue));
        TMybitmap* exact = TMybitmap::Load("pic");
        EXPECT_EQ(exact->PixelAt(0, 0), Px(kGreen));
        exact->Release();
        ASSERT_TRUE(platform::RemoveFile(Dir() + "pic"));
        EXPECT_TRUE(TMybitmap::Exists("pic"));
        TMybitmap* loose = TMybitmap::Load("pic");
        EXPECT_EQ(loose->PixelAt(1, 1), Px(kBlue));
        loose->Release();
    });
    EXPECT_EQ(TGreatBitmap::Instance().Scratch().Size(), 0);
}

TEST_F(BitmapLoadTest, ExistsLooksAtPacksExactPathsAndGfx) {
    WritePack({{"inpack", SolidGiz(1, 1, kRed)}});
    WriteLoose("loose", SolidGiz(1, 1, kRed));
    WriteFile(Dir() + "exact", SolidGiz(1, 1, kRed));
    EXPECT_TRUE(TMybitmap::Exists("INPACK"));
    EXPECT_TRUE(TMybitmap::Exists("loose"));
    EXPECT_TRUE(TMybitmap::Exists(Dir() + "exact"));
    EXPECT_FALSE(TMybitmap::Exists("nothing"));
    EXPECT_FALSE(TMybitmap::Exists("exact"));  // not in the current directory
}

// Loose files are found whatever the letter case of their names, of the
// extension, and of the name asked for; a numbered series too.
TEST_F(BitmapLoadTest, LooseFilesMatchWithoutRegardToCase) {
    WriteFile(Dir() + "gfx/Logon.giz", SolidGiz(2, 1, kGreen));
    WriteFile(Dir() + "gfx/back.GIZ", SolidGiz(1, 1, kBlue));
    WriteFile(Dir() + "gfx/Cur00001.giz", SolidGiz(1, 1, kRed));
    WriteFile(Dir() + "gfx/cur00002.Giz", SolidGiz(1, 1, kRed));
    EXPECT_TRUE(TMybitmap::Exists("logon"));
    EXPECT_TRUE(TMybitmap::Exists("LOGON"));
    TMybitmap* logon = TMybitmap::Load("logon");
    EXPECT_EQ(logon->PixelAt(1, 0), Px(kGreen));
    TMybitmap* back = TMybitmap::Load("Back");
    EXPECT_EQ(back->PixelAt(0, 0), Px(kBlue));
    TMybitmaplist* list = TMybitmaplist::Create();
    EXPECT_EQ(list->AddSequence("cur").count, 2);
    list->Release();
    logon->Release();
    back->Release();
    // The exact path of a name matches loosely in its own folder too.
    WriteFile(Dir() + "Exact.GIZ", SolidGiz(1, 1, kRed));
    EXPECT_TRUE(TMybitmap::Exists(Dir() + "exact.giz"));
    EXPECT_FALSE(TMybitmap::Exists("gfx"));  // a folder is no image
}

TEST_F(BitmapLoadTest, SharedBitmapSurvivesReleaseByOneUser) {
    WritePack({{"2_chekof", SolidGiz(4, 4, kWhite)}});
    bool loaded = false;
    TMybitmap* first = TMybitmap::Acquire("2_chekof", &loaded);
    EXPECT_TRUE(loaded);
    TMybitmap* second = TMybitmap::Acquire("2_chekof", &loaded);
    EXPECT_FALSE(loaded);
    ASSERT_EQ(first, second);
    EXPECT_EQ(first->References(), 2);

    first->Release();
    EXPECT_EQ(second->References(), 1);
    EXPECT_EQ(second->PixelAt(3, 3), Px(kWhite));
    EXPECT_EQ(TGreatBitmap::Instance().Cached("2_chekof"), second);

    // The cache holds no reference: the last release empties it, and the next
    // use decodes again.
    second->Release();
    EXPECT_EQ(TGreatBitmap::Instance().CacheCount(), 0);
    TMybitmap* again = TMybitmap::Acquire("2_chekof", &loaded);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(again->References(), 1);
    again->Release();
}

TEST_F(BitmapLoadTest, DecodesAtTheScreenDepth) {
    UseDepth(16);
    WriteLoose("w", Giz({kWhite, 0, kBlue}, 3, 1));
    TMybitmap* bitmap = TMybitmap::Load("w");
    EXPECT_EQ(TGreatBitmap::Instance().BytesPerPixel(), 2);
    EXPECT_EQ(bitmap->PixelAt(0, 0), 0xFFDFu);
    EXPECT_EQ(bitmap->PixelAt(1, 0), 0u);
    EXPECT_EQ(bitmap->PixelAt(2, 0), 0x001Fu);
    bitmap->Release();
}

TEST_F(BitmapLoadTest, BlankBitmapCallsItsRenderCallbackOnce) {
    int calls = 0;
    int argument = 7;
    TMybitmap* blank = TMybitmap::CreateBlank(
        5, 3,
        [&](TMybitmap& b, void* arg) {
            ++calls;
            EXPECT_EQ(arg, &argument);
            b.Fill(b.Bounds(), RgbColour(255, 0, 0));
        },
        &argument);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(blank->Width(), 5);
    EXPECT_EQ(blank->PixelAt(4, 2), 0xFF0000u);
    EXPECT_EQ(TGreatBitmap::Instance().CacheCount(), 0);
    blank->Release();

    TMybitmap* huge = TMybitmap::CreateBlank(65535, 65535);
    EXPECT_EQ(huge->Width(), 0);
    huge->Release();
}

TEST_F(BitmapLoadTest, ProgressIsReportedOnlyDuringStartUp) {
    WritePack({{"a", SolidGiz(1, 1, kRed)}, {"b", SolidGiz(1, 1, kRed)}});
    std::vector<int> weights;
    TGreatBitmap& registry = TGreatBitmap::Instance();
    registry.SetProgressHook([&](const void*, int weight) { weights.push_back(weight); });

    TMybitmap* before = TMybitmap::Load("a");  // flag not set yet
    EXPECT_TRUE(weights.empty());

    registry.SetStartingUp(true);
    TMybitmap* shared = TMybitmap::Acquire("a");  // from the cache: nothing
    EXPECT_TRUE(weights.empty());
    TMybitmaplist* list = TMybitmaplist::Create();
    list->Add("a");  // cached: nothing
    EXPECT_TRUE(weights.empty());
    list->Add("b");  // loaded: 10 for the bitmap, 1 for the list
    EXPECT_EQ(weights, (std::vector<int>{10, 1}));
    registry.SetStartingUp(false);

    list->Release();
    shared->Release();
    before->Release();
    TMybitmap* after = TMybitmap::Load("b");
    EXPECT_EQ(weights.size(), 2u);
    after->Release();
}

TEST_F(BitmapLoadTest, MissingImageEndsTheProcessWithTheErrorBox) {
    EXPECT_EXIT(
        {
            EchoBoxes();
            TMybitmap::Load("nothing");
        },
        ::testing::ExitedWithCode(0), "\\[File not found nothing\\|error\\]");
}

TEST_F(BitmapLoadTest, UndecodableStreamCountsAsMissing) {
    Bytes truncated = SolidGiz(40, 3, kRed);
    truncated.resize(truncated.size() - 2);
    Bytes overrun = SolidGiz(3, 1, kRed);  // repeat run of 3 in a row of 2
    overrun[0] = 2;
    WritePack({{"cut", truncated}, {"over", overrun}});
    EXPECT_EXIT(
        {
            EchoBoxes();
            TMybitmap::Load("cut");
        },
        ::testing::ExitedWithCode(0), "\\[File not found cut\\|error\\]");
    EXPECT_EXIT(
        {
            EchoBoxes();
            TMybitmap::Load("over");
        },
        ::testing::ExitedWithCode(0), "File not found over");
}

// A tiny stream may declare a huge picture (wide margins cost nothing); it is
// refused before anything is allocated.
TEST_F(BitmapLoadTest, OversizedPictureIsRefused) {
    // 65535 × 300 with a top margin of 255 and a bottom one of 44: one coded
    // row, 508 repeat runs of 129 pixels and one of 3.
    Bytes stream{0xFF, 0xFF, 0x2C, 0x01, 0, 0, 0, 0, 0, 255, 0, 44};
    for (int i = 0; i < 508; ++i) stream.insert(stream.end(), {127, 0x00, 0x7C});
    stream.insert(stream.end(), {1, 0x00, 0x7C});
    WriteLoose("big", stream);
    EXPECT_EXIT(
        {
            EchoBoxes();
            TMybitmap::Load("big");
        },
        ::testing::ExitedWithCode(0), "File not found big");
}

}  // namespace
}  // namespace gfxtest
