#include <gtest/gtest.h>

#include "ToolRun.h"
#include "platform/headless/Headless.h"
#include "resources/Pack.h"
#include "resources/PackWriter.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

class PackWriterTest : public ::testing::Test {
protected:
    void SetUp() override { platform::headless::InstallFresh(); }

    std::vector<TPackEntry> Directory(const TPackWriter& writer) {
        std::vector<uint8_t> bytes;
        std::string error;
        EXPECT_TRUE(writer.Build(bytes, error)) << error;
        std::vector<TPackEntry> entries;
        EXPECT_TRUE(ReadPackDirectory(bytes, entries, error)) << error;
        return entries;
    }
};

TEST_F(PackWriterTest, WrittenPackReadsBackThroughTheClientReader) {
    TPackWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Add("splash", Bytes("SPLASH-BYTES"), error)) << error;
    ASSERT_TRUE(writer.Add("Font1", Bytes("f"), error)) << error;
    ASSERT_TRUE(writer.Add("2_chekof", Bytes("checker off"), error)) << error;
    ASSERT_TRUE(writer.Add("abcdefghijk", Bytes("eleven"), error)) << error;
    const std::string path = tooltest::FreshDir() + "/data.pac";
    ASSERT_TRUE(writer.Write(path, error)) << error;

    TMypack pack(path);
    ASSERT_EQ(pack.Count(), 4);
    EXPECT_EQ(pack.Name(0), "2_chekof");
    EXPECT_EQ(pack.Name(1), "abcdefghijk");
    EXPECT_EQ(pack.Name(2), "Font1");
    EXPECT_EQ(pack.Name(3), "splash");
    EXPECT_EQ(pack.Offset(0), 4 * 16);
    const int splash = pack.IndexOf("SPLASH");
    ASSERT_EQ(splash, 3);
    ASSERT_EQ(pack.MemberSize(splash), 12);
    const uint8_t* member = pack.Member(splash);
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(member), 12), "SPLASH-BYTES");
    EXPECT_EQ(pack.MemberSize(pack.IndexOf("font1")), 1);
}

TEST_F(PackWriterTest, EntriesArePaddedWithBlanksAndReservedByteZero) {
    TPackWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Add("ab", Bytes("x"), error));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(writer.Build(bytes, error));
    ASSERT_EQ(bytes.size(), 17u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 11), "ab         ");
    EXPECT_EQ(bytes[11], 0);
    EXPECT_EQ(bytes[12], 16);
    EXPECT_EQ(bytes[13] | bytes[14] | bytes[15], 0);
    EXPECT_EQ(bytes[16], 'x');
}

TEST_F(PackWriterTest, NamesAreSortedWithoutRegardToCase) {
    TPackWriter writer;
    std::string error;
    for (const char* name : {"b", "C", "A", "B2", "_x", "9"}) ASSERT_TRUE(writer.Add(name, Bytes(name), error));
    const std::vector<TPackEntry> entries = Directory(writer);
    std::vector<std::string> names;
    for (const TPackEntry& e : entries) names.push_back(e.name);
    EXPECT_EQ(names, (std::vector<std::string>{"9", "_x", "A", "b", "B2", "C"}));
    // Members follow in directory order, back to back.
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(entries[i].size, static_cast<int64_t>(entries[i].name.size()));
        if (i > 0) {
            EXPECT_EQ(entries[i].offset, entries[i - 1].offset + entries[i - 1].size);
        }
    }
}

TEST_F(PackWriterTest, NameRulesAreChecked) {
    TPackWriter writer;
    std::string error;
    EXPECT_FALSE(writer.Add("abcdefghijkl", Bytes("x"), error));
    EXPECT_NE(error.find("at most 11"), std::string::npos) << error;
    EXPECT_FALSE(writer.Add("", Bytes("x"), error));
    EXPECT_FALSE(writer.Add("two words", Bytes("x"), error));
    EXPECT_FALSE(writer.Add("tail ", Bytes("x"), error));
    EXPECT_FALSE(writer.Add("tab\t", Bytes("x"), error));
    EXPECT_FALSE(writer.Add("caf\xE9", Bytes("x"), error));
    ASSERT_TRUE(writer.Add("Splash", Bytes("x"), error));
    EXPECT_FALSE(writer.Add("SPLASH", Bytes("y"), error));
    EXPECT_NE(error.find("already used"), std::string::npos) << error;
    EXPECT_FALSE(writer.Add("empty", {}, error));
    EXPECT_EQ(writer.Count(), 1);
}

TEST_F(PackWriterTest, AnEmptyPackIsRefused) {
    TPackWriter writer;
    std::vector<uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(writer.Build(bytes, error));
    EXPECT_FALSE(error.empty());
}

TEST_F(PackWriterTest, DirectoryCheckFindsDamage) {
    TPackWriter writer;
    std::string error;
    ASSERT_TRUE(writer.Add("a", Bytes("1"), error));
    ASSERT_TRUE(writer.Add("b", Bytes("22"), error));
    std::vector<uint8_t> good;
    ASSERT_TRUE(writer.Build(good, error));
    std::vector<TPackEntry> entries;

    EXPECT_FALSE(ReadPackDirectory(std::vector<uint8_t>(good.begin(), good.begin() + 10), entries, error));
    EXPECT_NE(error.find("truncated"), std::string::npos);

    std::vector<uint8_t> bad = good;
    bad[12] = 200;  // directory longer than the file
    EXPECT_FALSE(ReadPackDirectory(bad, entries, error));

    bad = good;
    bad[16 + 12] = static_cast<uint8_t>(bad[12] - 1);  // second offset below the first
    EXPECT_FALSE(ReadPackDirectory(bad, entries, error));

    // Equal offsets are an empty member, as the client's reader sees it.
    std::vector<uint8_t> empty = good;
    empty[16 + 12] = empty[12];
    ASSERT_TRUE(ReadPackDirectory(empty, entries, error)) << error;
    EXPECT_EQ(entries[0].size, 0);
    EXPECT_EQ(entries[1].size, 3);

    bad = good;
    bad[16 + 12] = 40;  // past the end of the file
    EXPECT_FALSE(ReadPackDirectory(bad, entries, error));

    ASSERT_TRUE(ReadPackDirectory(good, entries, error)) << error;
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[1].size, 2);
}

}  // namespace
