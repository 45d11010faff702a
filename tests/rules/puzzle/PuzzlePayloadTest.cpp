// Payload bytes: round trips, range checks, the result's seed field.
#include <gtest/gtest.h>

#include "rules/puzzle/PuzzlePayload.h"
#include "rules/puzzle/PuzzlePreview.h"
#include "PuzzleTestSupport.h"

using rules::TPuzzleCode;
using rules::TPuzzleParseStatus;

namespace {

TEST(PuzzlePayloadTest, BuiltPayloadsParseBackWithRawBytes) {
    std::string shot = rules::BuildPuzzleShot(7, 61, {0, 19});
    EXPECT_EQ(shot, std::string("\x8c\x07\x3d\x00\x13", 5));
    rules::TPuzzlePayload parsed = rules::ParsePuzzlePayload(shot);
    ASSERT_EQ(parsed.Status, TPuzzleParseStatus::Ok);
    EXPECT_EQ(parsed.Code, TPuzzleCode::Shot);
    EXPECT_EQ(parsed.Colour, 7);
    EXPECT_EQ(parsed.Entry, 61);
    EXPECT_EQ(parsed.Cell, (rules::TPuzzleCell{0, 19}));

    EXPECT_EQ(rules::ParsePuzzlePayload(rules::BuildPuzzlePlaced(3, {6, 1})).Cell, (rules::TPuzzleCell{6, 1}));
    EXPECT_EQ(rules::ParsePuzzlePayload(rules::BuildPuzzleFallen(6)).Colour, 6);
    EXPECT_EQ(rules::ParsePuzzlePayload(rules::BuildPuzzleEmptied({7, 0})).Code, TPuzzleCode::Emptied);
    EXPECT_EQ(rules::ParsePuzzlePayload(rules::BuildPuzzleLevel(3)).Level, 3);
    EXPECT_EQ(rules::BuildPuzzleSignal(TPuzzleCode::Ready), ">");
    EXPECT_EQ(rules::BuildPuzzleSignal(TPuzzleCode::Pause), "=");
    EXPECT_EQ(rules::BuildPuzzleSignal(TPuzzleCode::Shot), "");
}

TEST(PuzzlePayloadTest, OutOfRangeOrShortPayloadsAreMalformedAndStrangeCodesUnknown) {
    auto status = [](std::string bytes) { return rules::ParsePuzzlePayload(bytes).Status; };
    EXPECT_EQ(status(std::string("\x8c\x02\x7f\x00\x00", 5)), TPuzzleParseStatus::Malformed);  // entry 127
    EXPECT_EQ(status(std::string("\x8c\x08\x10\x00\x00", 5)), TPuzzleParseStatus::Malformed);  // colour 8
    EXPECT_EQ(status(std::string("\x8c\x02\x10\x07\x01", 5)), TPuzzleParseStatus::Malformed);  // (7, 1)
    EXPECT_EQ(status(std::string("\x8c\x02\x10\x00\x14", 5)), TPuzzleParseStatus::Malformed);  // row 20
    EXPECT_EQ(status(std::string("\x8c\x02\x10\x00", 4)), TPuzzleParseStatus::Malformed);
    EXPECT_EQ(status(std::string("\x8d\x07", 2)), TPuzzleParseStatus::Malformed);  // a bomb as trash
    EXPECT_EQ(status(std::string("\x16\x01", 2)), TPuzzleParseStatus::Malformed);  // result too short
    EXPECT_EQ(status(""), TPuzzleParseStatus::Malformed);
    EXPECT_EQ(status("A"), TPuzzleParseStatus::Unknown);
    EXPECT_EQ(rules::BuildPuzzleShot(2, 10, {7, 1}), "");
    EXPECT_EQ(rules::BuildPuzzleLevel(256), "");
}

TEST(PuzzlePayloadTest, ResultCarriesItsBytesAndANewSeedOnlyWhenItIsANumber) {
    std::string result = rules::BuildPuzzleResult(false, 2, 3, 40, 4000000000u);
    EXPECT_EQ(result, std::string("\xa8\x02\x03\x28" "4000000000\x01", 15));
    rules::TPuzzlePayload parsed = rules::ParsePuzzlePayload(result);
    ASSERT_EQ(parsed.Status, TPuzzleParseStatus::Ok);
    EXPECT_EQ(parsed.Code, TPuzzleCode::Beaten);
    EXPECT_EQ(parsed.OwnByte, 2);
    EXPECT_EQ(parsed.PointsByte, 40);
    EXPECT_EQ(parsed.Seed, 4000000000u);

    EXPECT_EQ(rules::ParsePuzzlePayload(std::string("\x16\x01\x01\x00", 4)).Seed, std::nullopt);
    EXPECT_EQ(rules::ParsePuzzleSeed("-1"), 0xFFFFFFFFu);
    EXPECT_EQ(rules::ParsePuzzleSeed("12x"), std::nullopt);
    EXPECT_EQ(rules::ParsePuzzleSeed("4294967296"), std::nullopt);
    EXPECT_EQ(rules::ParsePuzzleSeed(""), std::nullopt);
}

TEST(PuzzlePreviewTest, ThePreviewShowsTheTopLeftSevenByTenCells) {
    EXPECT_EQ(rules::PreviewCellOf({6, 0}), (rules::TPuzzleCell{6, 0}));
    EXPECT_EQ(rules::PreviewCellOf({7, 0}), std::nullopt);
    EXPECT_EQ(rules::PreviewCellOf({6, 1}), std::nullopt);
    EXPECT_EQ(rules::PreviewCellOf({0, 10}), std::nullopt);
    rules::TPuzzleField field = puzzletest::FieldOf({"12345671", "6543217"});
    std::string grid = rules::PreviewGrid(field);
    ASSERT_EQ(grid.size(), 70u);
    EXPECT_EQ(grid.substr(0, 14), std::string("\x01\x02\x03\x04\x05\x06\x07\x06\x05\x04\x03\x02\x01\x00", 14));
}

}  // namespace
