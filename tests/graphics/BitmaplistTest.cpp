// Bitmap lists: sharing with the cache, numbered series and their names, and
// reference counting of the list.
#include "GraphicsFixture.h"
#include "graphics/Mybitmaplist.h"

namespace gfxtest {
namespace {

using BitmaplistTest = GraphicsTest;

TEST_F(BitmaplistTest, SequenceNamesArePaddedToEightCharacters) {
    EXPECT_EQ(TMybitmaplist::SequenceName("3_can", 1), "3_can001");
    EXPECT_EQ(TMybitmaplist::SequenceName("3_can", 43), "3_can043");
    EXPECT_EQ(TMybitmaplist::SequenceName("cur", 1), "cur00001");
    EXPECT_EQ(TMybitmaplist::SequenceName("3_bomb", 9), "3_bomb09");
    EXPECT_EQ(TMybitmaplist::SequenceName("3_bomb", 12), "3_bomb12");
    EXPECT_EQ(TMybitmaplist::SequenceName("1_explo", 1), "1_explo1");
    EXPECT_EQ(TMybitmaplist::SequenceName("1_explode", 2), "1_explode2");
    EXPECT_EQ(TMybitmaplist::SequenceName("3_can", 1000), "3_can1000");
}

TEST_F(BitmaplistTest, SequenceAddsEveryFrameUntilTheFirstGap) {
    Members members;
    for (int n = 1; n <= 12; ++n)
        members.push_back({TMybitmaplist::SequenceName("3_bomb", n), SolidGiz(n, 1, kRed)});
    members.push_back({"3_bomb14", SolidGiz(1, 1, kRed)});
    WritePack(members);
    TMybitmaplist* list = TMybitmaplist::Create();
    list->Add("3_bomb12");  // one bitmap before the series
    const auto series = list->AddSequence("3_bomb");
    EXPECT_EQ(series.count, 12);
    EXPECT_EQ(series.first, 2);
    EXPECT_EQ(series.last, 13);
    ASSERT_EQ(list->Count(), 13);
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(list->Get(i)->Width(), i);
    // The frame added twice is one shared bitmap.
    EXPECT_EQ(list->Get(0), list->Get(12));
    EXPECT_EQ(list->Get(0)->References(), 2);
    EXPECT_EQ(list->Get(13), nullptr);
    EXPECT_EQ(list->Get(-1), nullptr);
    list->Release();
    EXPECT_EQ(TGreatBitmap::Instance().CacheCount(), 0);
}

TEST_F(BitmaplistTest, MissingFrameStopsTheSequence) {
    Members members;
    for (int n = 1; n <= 12; ++n)
        if (n != 5) members.push_back({TMybitmaplist::SequenceName("3_bomb", n), SolidGiz(1, 1, kRed)});
    WritePack(members);
    TMybitmaplist* list = TMybitmaplist::Create();
    const auto series = list->AddSequence("3_bomb");
    EXPECT_EQ(series.count, 4);
    EXPECT_EQ(series.first, 1);
    EXPECT_EQ(series.last, 4);
    const auto none = list->AddSequence("nothing");
    EXPECT_EQ(none.count, 0);
    EXPECT_EQ(none.first, 5);
    EXPECT_EQ(none.last, 4);
    list->Release();
}

TEST_F(BitmaplistTest, SequenceFindsLooseFramesToo) {
    WritePack({{"cur00001", SolidGiz(1, 1, kRed)}});
    WriteLoose("cur00002", SolidGiz(2, 1, kRed));
    TMybitmaplist* list = TMybitmaplist::Create();
    EXPECT_EQ(list->AddSequence("cur").count, 2);
    EXPECT_EQ(list->Get(1)->Width(), 2);
    list->Release();
}

TEST_F(BitmaplistTest, ListIsReferenceCountedAndHoldsItsBitmaps) {
    WritePack({{"on", SolidGiz(1, 1, kRed)}, {"of", SolidGiz(1, 1, kBlue)}});
    TMybitmap* mine = TMybitmap::Acquire("on");
    TMybitmaplist* list = TMybitmaplist::Create();
    list->Add("on");
    list->Add("of");
    list->AddBitmap(mine);
    EXPECT_EQ(mine->References(), 3);
    list->AddRef();
    list->Release();
    EXPECT_EQ(list->Count(), 3);
    list->Release();  // the last reference releases every bitmap
    EXPECT_EQ(mine->References(), 1);
    EXPECT_EQ(TGreatBitmap::Instance().Cached("of"), nullptr);
    EXPECT_EQ(TGreatBitmap::Instance().Cached("on"), mine);
    mine->Release();
}

}  // namespace
}  // namespace gfxtest
