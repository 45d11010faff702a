// Ini files from outside: junk bytes, NUL bytes, very long lines, very large
// files, and files with a great many keys or sections (which must load in
// n log n time, so these cases would take minutes if parsing were quadratic).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "platform/headless/Headless.h"
#include "IniFolderFixture.h"
#include "resources/Inifile.h"
#include "shell/MyTimer.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

class IniBadInputTest : public TIniFolderTest {
protected:
    // A file of head, then a hole up to size - tail.size(), then tail; the
    // hole costs no disk space.
    std::string SparseFile(const std::string& head, int64_t size, const std::string& tail) {
        std::string path = PathOf("big.ini");
        std::ofstream out(path, std::ios::binary);
        out << head;
        out.seekp(size - static_cast<int64_t>(tail.size()));
        out << tail;
        return path;
    }

    // Bytes weighted towards the ones the parser looks at.
    static std::string Junk(size_t n, uint32_t seed) {
        static const char kSpecial[] = {'\r', '\n', '[', ']', '=', ' ', '\0', '\xFF', 'a', 'B'};
        std::string bytes(n, '\0');
        for (char& c : bytes) {
            seed = seed * 134775813u + 1;
            uint32_t r = seed >> 24;
            c = r < 160 ? kSpecial[r % sizeof kSpecial] : static_cast<char>(seed >> 16);
        }
        return bytes;
    }
};

TEST_F(IniBadInputTest, JunkLoadsAndSavesStably) {
    for (uint32_t seed = 1; seed <= 4; ++seed) {
        auto first = Load(Junk(512 * 1024, seed));
        std::string saved = first->SavedText();
        EXPECT_GT(saved.size(), 1000u);
        auto second = Load(saved);
        // Whatever the junk held, its saved form reads back to itself.
        EXPECT_EQ(second->SavedText(), saved) << "seed " << seed;
    }
}

TEST_F(IniBadInputTest, NulBytesAreOrdinaryBytes) {
    auto ini = Load("[s\0x]\rA\0B=1\0\r\0[t]\r"s);
    EXPECT_EQ(ini->ReadString("s\0x"s, "A\0B"s, "-"), "1\0"s);
    EXPECT_EQ(ini->SectionCount(), 1);  // "\0[t]" is a key-less, "="-less line
}

TEST_F(IniBadInputTest, LineOfSeveralMegabytes) {
    std::string value(8 << 20, 'v');
    auto ini = Load("[s]\rlong=" + value + "\r[" + std::string(3 << 20, 'n') + "]\rk=1\r");
    EXPECT_EQ(ini->ReadString("s", "long", "").size(), value.size());
    EXPECT_EQ(ini->Section(1).Name().size(), size_t{3} << 20);
    EXPECT_EQ(ini->Section(1).Count(), 1);
}

TEST_F(IniBadInputTest, HundredMegabyteFile) {
    std::string path = SparseFile("[s]\rfirst=1\r", int64_t{100} << 20, "\rlast=2");
    TInifile ini(path);
    EXPECT_EQ(ini.ReadString("s", "first", ""), "1");
    EXPECT_EQ(ini.ReadString("s", "last", ""), "2");
}

TEST_F(IniBadInputTest, FileBeyondTheLimitIsNotLoaded) {
    std::string path = SparseFile("[s]\rk=1\r", TInifile::kMaxFileSize + 1, "\r");
    TInifile ini(path);
    EXPECT_EQ(ini.ReadString("s", "k", "none"), "none");
}

TEST_F(IniBadInputTest, DirectoryInsteadOfAFile) {
    std::string path = PathOf("dir.ini");
    fs::create_directory(path);
    TInifile ini(path);
    EXPECT_EQ(ini.SectionCount(), 0);
    ini.WriteString("s", "k", "1");
    ini.Flush();
    EXPECT_TRUE(ini.Dirty());
    fs::remove(path);
    platform::headless::Loop().RunFor(1100);
    EXPECT_FALSE(ini.Dirty());
}

TEST_F(IniBadInputTest, ManyKeysInReverseOrder) {
    constexpr int kKeys = 300000;
    std::string text = "[s]\r\n";
    text.reserve(kKeys * 16);
    for (int i = kKeys - 1; i >= 0; --i) text += "key" + std::to_string(1000000 + i) + "=" + std::to_string(i) + "\r\n";
    text += "KEY1000007=last\r\n";  // replaces the earlier line of that key
    auto ini = Load(text);
    const TSection& s = ini->Section(0);
    ASSERT_EQ(s.Count(), kKeys);
    EXPECT_EQ(s.Key(0), "key1000000");
    EXPECT_EQ(s.Key(7), "KEY1000007");
    EXPECT_EQ(s.Value(7), "last");
    EXPECT_EQ(s.Key(kKeys - 1), "key" + std::to_string(1000000 + kKeys - 1));
    int misplaced = 0;
    for (int i = 0; i < s.Count(); ++i) misplaced += i != 7 && s.Value(i) != std::to_string(i);
    EXPECT_EQ(misplaced, 0);
}

TEST_F(IniBadInputTest, ManySections) {
    constexpr int kSections = 100000;
    std::string text;
    for (int i = 0; i < kSections; ++i) text += "[S" + std::to_string(i) + "]\rk=" + std::to_string(i) + "\r";
    text += "[s5]\rk=again\r";
    auto ini = Load(text);
    ASSERT_EQ(ini->SectionCount(), kSections);
    EXPECT_EQ(ini->Section(kSections - 1).Name(), "s" + std::to_string(kSections - 1));
    EXPECT_EQ(ini->ReadString("S5", "k", ""), "again");
}

}  // namespace
