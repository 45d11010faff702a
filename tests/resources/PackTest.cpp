#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "TempFolder.h"
#include "platform/Files.h"
#include "platform/headless/Headless.h"
#include "resources/LittleEndian.h"
#include "resources/Pack.h"

namespace {

using Bytes = std::vector<uint8_t>;

// A directory entry with the name padded by blanks and the given offset.
void PutEntry(Bytes& out, const std::string& name, uint32_t offset, uint8_t reserved = 0) {
    std::string padded = name;
    padded.resize(11, ' ');
    out.insert(out.end(), padded.begin(), padded.end());
    out.push_back(reserved);
    AppendLE32(out, offset);
}

// A well-formed pack of the members in the order given.
Bytes MakePack(const std::vector<std::pair<std::string, Bytes>>& members) {
    Bytes out;
    uint32_t offset = static_cast<uint32_t>(16 * members.size());
    for (const auto& [name, data] : members) {
        PutEntry(out, name, offset);
        offset += static_cast<uint32_t>(data.size());
    }
    for (const auto& member : members) out.insert(out.end(), member.second.begin(), member.second.end());
    return out;
}

Bytes Pattern(size_t n, uint8_t seed) {
    Bytes b(n);
    for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(seed + i * 7);
    return b;
}

Bytes Read(const uint8_t* p, int64_t n) { return Bytes(p, p + n); }

class PackTest : public ::testing::Test {
protected:
    void SetUp() override { platform::headless::InstallFresh(); }
    void TearDown() override { TMypack::SetWindowMinimum(TMypack::kDefaultWindowMinimum); }

    std::string Write(const std::string& name, const Bytes& bytes) {
        const std::string path = m_dir + "/" + name;
        EXPECT_TRUE(platform::WriteWholeFile(path, bytes.data(), static_cast<int64_t>(bytes.size())));
        return path;
    }

    TTempFolder m_folder{"qvpack"};
    const std::string m_dir = m_folder.Path();
};

TEST_F(PackTest, OneMemberRunsFromTheDirectoryToTheEnd) {
    const Bytes data = Pattern(50, 1);
    TMypack pack(Write("data.pac", MakePack({{"splash", data}})));
    ASSERT_EQ(pack.Count(), 1);
    EXPECT_EQ(pack.Offset(0), 16);
    EXPECT_EQ(pack.MemberSize(0), 50);
    EXPECT_EQ(pack.Name(0), "splash");
    ASSERT_NE(pack.Member(0), nullptr);
    EXPECT_EQ(Read(pack.Member(0), 50), data);
}

TEST_F(PackTest, SizesComeFromTheNextOffset) {
    const Bytes a = Pattern(10, 1), b = Pattern(1, 2), c = Pattern(33, 3);
    TMypack pack(Write("data.pac", MakePack({{"a", a}, {"b", b}, {"c", c}})));
    ASSERT_EQ(pack.Count(), 3);
    EXPECT_EQ(pack.MemberSize(0), 10);
    EXPECT_EQ(pack.MemberSize(1), 1);
    EXPECT_EQ(pack.MemberSize(2), 33);
    EXPECT_EQ(Read(pack.Member(2), 33), c);
    EXPECT_EQ(Read(pack.Member(0), 10), a);
    EXPECT_EQ(Read(pack.Member(1), 1), b);
    EXPECT_EQ(pack.Member(3), nullptr);
    EXPECT_EQ(pack.Member(-1), nullptr);
}

TEST_F(PackTest, NamesDropTrailingBlanksAndMatchWithoutCase) {
    Bytes file;
    PutEntry(file, "2_chekof", 48, 'x');  // the reserved byte is ignored
    PutEntry(file, "a b", 49, ' ');
    PutEntry(file, "SPLASH", 50);
    file.insert(file.end(), {1, 2, 3});
    TMypack pack(Write("data.pac", file));
    ASSERT_EQ(pack.Count(), 3);
    EXPECT_EQ(pack.Name(0), "2_chekof");
    EXPECT_EQ(pack.Name(1), "a b");
    EXPECT_EQ(pack.IndexOf("2_CHEKOF"), 0);
    EXPECT_EQ(pack.IndexOf("A B"), 1);
    EXPECT_EQ(pack.IndexOf("splash"), 2);
    EXPECT_EQ(pack.IndexOf("Splash"), 2);
    EXPECT_EQ(pack.IndexOf("splash "), -1);
    EXPECT_EQ(pack.IndexOf("2_chek"), -1);
    EXPECT_EQ(pack.IndexOf(""), -1);
}

TEST_F(PackTest, MissingFileHasNoMembersAndIsDropped) {
    TMypack pack(m_dir + "/absent.pac");
    EXPECT_EQ(pack.Count(), 0);
    EXPECT_EQ(pack.Member(0), nullptr);
    EXPECT_EQ(pack.IndexOf("splash"), -1);

    TMypacks packs;
    packs.AddPack(m_dir + "/absent.pac");
    packs.AddPack(m_dir);  // a directory is no pack either
    EXPECT_EQ(packs.PackCount(), 0);
    EXPECT_EQ(packs.IndexOf("splash"), -1);
    EXPECT_EQ(packs.Member(0), nullptr);
}

TEST_F(PackTest, FirstPackWinsAndGlobalIndexCountsOn) {
    const Bytes first = Pattern(20, 10), second = Pattern(30, 20), only = Pattern(5, 30);
    TMypacks packs;
    packs.AddPack(Write("gfx.pac", MakePack({{"back", Pattern(4, 0)}, {"splash", first}})));
    packs.AddPack(m_dir + "/absent.pac");
    packs.AddPack(Write("root.pac", MakePack({{"only", only}, {"SPLASH", second}})));
    ASSERT_EQ(packs.PackCount(), 2);
    EXPECT_EQ(packs.Count(), 4);

    const int splash = packs.IndexOf("Splash");
    EXPECT_EQ(splash, 1);
    EXPECT_EQ(packs.MemberSize(splash), 20);
    EXPECT_EQ(Read(packs.Member(splash), 20), first);

    const int onlyIndex = packs.IndexOf("ONLY");
    EXPECT_EQ(onlyIndex, 2);
    EXPECT_EQ(Read(packs.Member(onlyIndex), 5), only);
    EXPECT_EQ(packs.MemberSize(3), 30);  // the second "splash" is still reachable by index

    EXPECT_EQ(packs.Member(4), nullptr);
    EXPECT_EQ(packs.Member(-1), nullptr);
    EXPECT_EQ(packs.MemberSize(4), 0);
    EXPECT_EQ(packs.IndexOf("nothing"), -1);
}

TEST_F(PackTest, LargestMemberWidensTheWindow) {
    TMypack::SetWindowMinimum(64);
    TMypack small(Write("small.pac", MakePack({{"a", Pattern(10, 0)}})));
    EXPECT_EQ(small.WindowCapacity(), 64);
    TMypack large(Write("large.pac", MakePack({{"a", Pattern(10, 0)}, {"b", Pattern(100, 1)}})));
    EXPECT_EQ(large.WindowCapacity(), 100);
    EXPECT_EQ(Read(large.Member(1), 100), Pattern(100, 1));
}

TEST_F(PackTest, MemberAboveTheDefaultMinimumSetsTheWindow) {
    ASSERT_EQ(TMypack::WindowMinimum(), 3'000'000);
    const Bytes big = Pattern(3'000'001, 5);
    TMypack pack(Write("data.pac", MakePack({{"tiny", Pattern(3, 0)}, {"big", big}})));
    EXPECT_EQ(pack.WindowCapacity(), 3'000'001);
    EXPECT_EQ(Read(pack.Member(1), 3'000'001), big);
    EXPECT_EQ(Read(pack.Member(0), 3), Pattern(3, 0));
}

TEST_F(PackTest, WindowSlidesToFarMembersAndInvalidatesOldAddresses) {
    TMypack::SetWindowMinimum(64);
    std::vector<std::pair<std::string, Bytes>> members;
    for (int i = 0; i < 5; ++i) members.push_back({"m" + std::to_string(i), Pattern(40, uint8_t(i * 50))});
    TMypack pack(Write("data.pac", MakePack(members)));
    ASSERT_EQ(pack.WindowCapacity(), 64);
    EXPECT_EQ(pack.WindowStart(), 80);

    const uint8_t* first = pack.Member(0);
    EXPECT_EQ(Read(first, 40), members[0].second);
    EXPECT_EQ(pack.WindowStart(), 80);

    // The last member lies at 240..280: the window ends at the file's end.
    const uint8_t* last = pack.Member(4);
    EXPECT_EQ(pack.WindowStart(), 280 - 64);
    EXPECT_EQ(Read(last, 40), members[4].second);
    EXPECT_NE(Read(first, 40), members[0].second);

    // A middle member starts the window.
    EXPECT_EQ(Read(pack.Member(2), 40), members[2].second);
    EXPECT_EQ(pack.WindowStart(), 160);
    // Member 3 (200..240) fits the window at 160..224 only partly: it moves.
    EXPECT_EQ(Read(pack.Member(3), 40), members[3].second);
    EXPECT_EQ(pack.WindowStart(), 200);
}

TEST_F(PackTest, PackSmallerThanTheWindowIsReadOnce) {
    const Bytes a = Pattern(30, 1), b = Pattern(30, 2);
    const std::string path = Write("data.pac", MakePack({{"a", a}, {"b", b}}));
    TMypack pack(path);
    // Rewriting the file afterwards does not reach the pack: it never reads again.
    Write("data.pac", MakePack({{"a", Pattern(30, 9)}, {"b", Pattern(30, 8)}}));
    EXPECT_EQ(Read(pack.Member(1), 30), b);
    EXPECT_EQ(Read(pack.Member(0), 30), a);
    EXPECT_EQ(pack.WindowStart(), 32);
}

TEST_F(PackTest, MemberGoneFromAShrunkFileIsNotHandedOut) {
    TMypack::SetWindowMinimum(64);
    const Bytes file = MakePack({{"a", Pattern(40, 1)}, {"b", Pattern(40, 2)}, {"c", Pattern(40, 3)}});
    const std::string path = Write("data.pac", file);
    TMypack pack(path);
    ASSERT_EQ(pack.Count(), 3);
    // Another writer cuts the file short while the pack is open.
    Write("data.pac", Bytes(file.begin(), file.begin() + 100));
    EXPECT_EQ(pack.Member(2), nullptr);
    EXPECT_NE(pack.Member(0), nullptr);
}

TEST_F(PackTest, EmptyMembersAndABareDirectoryHaveSizeZero) {
    // Two members share an offset: the first is empty.
    Bytes shared;
    PutEntry(shared, "a", 48);
    PutEntry(shared, "b", 48);
    PutEntry(shared, "c", 50);
    shared.insert(shared.end(), {7, 8, 9});
    TMypack pack(Write("shared.pac", shared));
    ASSERT_EQ(pack.Count(), 3);
    EXPECT_EQ(pack.MemberSize(0), 0);
    EXPECT_NE(pack.Member(0), nullptr);
    EXPECT_EQ(pack.MemberSize(1), 2);
    EXPECT_EQ(Read(pack.Member(1), 2), (Bytes{7, 8}));
    EXPECT_EQ(Read(pack.Member(2), 1), (Bytes{9}));

    // A pack of nothing but its directory: every member is empty, and the
    // pack is kept, since it has members.
    Bytes bare;
    PutEntry(bare, "x", 32);
    PutEntry(bare, "y", 32);
    TMypacks packs;
    packs.AddPack(Write("bare.pac", bare));
    ASSERT_EQ(packs.PackCount(), 1);
    EXPECT_EQ(packs.IndexOf("Y"), 1);
    EXPECT_EQ(packs.MemberSize(0), 0);
    EXPECT_EQ(packs.MemberSize(1), 0);
    EXPECT_NE(packs.Member(1), nullptr);
}

// A damaged header or directory ends the process at once, with exit code 0
// and without a message box.
class PackDeathTest : public PackTest {
protected:
    void ExpectHalt(const Bytes& file) {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        const std::string path = Write("bad.pac", file);
        EXPECT_EXIT(
            {
                TMypacks packs;
                packs.AddPack(path);
            },
            ::testing::ExitedWithCode(0), "");
    }
};

TEST_F(PackDeathTest, TruncatedHeaderEndsTheProcess) {
    ExpectHalt({});
    ExpectHalt(Bytes(15, ' '));
    Bytes longDirectory;
    PutEntry(longDirectory, "a", 64);  // claims four entries in a 20-byte file
    longDirectory.resize(20, 0);
    ExpectHalt(longDirectory);
}

TEST_F(PackDeathTest, DamagedDirectoryEndsTheProcess) {
    Bytes descending;
    PutEntry(descending, "a", 32);
    PutEntry(descending, "b", 31);
    descending.resize(40, 1);
    ExpectHalt(descending);

    Bytes intoDirectory;
    PutEntry(intoDirectory, "a", 32);
    PutEntry(intoDirectory, "b", 20);
    intoDirectory.resize(40, 1);
    ExpectHalt(intoDirectory);

    Bytes pastEnd;
    PutEntry(pastEnd, "a", 32);
    PutEntry(pastEnd, "b", 0xFFFFFFF0u);
    pastEnd.resize(40, 1);
    ExpectHalt(pastEnd);

    Bytes justPastEnd;
    PutEntry(justPastEnd, "a", 32);
    PutEntry(justPastEnd, "b", 41);
    justPastEnd.resize(40, 1);
    ExpectHalt(justPastEnd);

    Bytes ragged;
    PutEntry(ragged, "a", 20);  // not a whole number of entries
    ragged.resize(30, 1);
    ExpectHalt(ragged);

    Bytes empty;
    PutEntry(empty, "a", 0);
    empty.resize(30, 1);
    ExpectHalt(empty);
}

}  // namespace
