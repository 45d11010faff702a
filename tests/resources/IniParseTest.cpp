// Reading ini files: line ends, blanks, sections, key lines, the "=" escape,
// integers and integer lists.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/headless/Headless.h"
#include "IniFolderFixture.h"
#include "resources/Inifile.h"
#include "shell/MyTimer.h"

namespace fs = std::filesystem;

namespace {

class IniParseTest : public TIniFolderTest {
protected:
    static std::vector<std::string> Keys(const TSection& s) {
        std::vector<std::string> keys;
        for (int i = 0; i < s.Count(); ++i) keys.push_back(s.Key(i));
        return keys;
    }
};

TEST_F(IniParseTest, LinesEndAtCrWithAnOptionalLf) {
    auto ini = Load("[s]\r\nA=1\rB=2\r\n\r\n\rC=3");
    EXPECT_EQ(ini->ReadString("s", "A", "-"), "1");
    EXPECT_EQ(ini->ReadString("s", "B", "-"), "2");
    EXPECT_EQ(ini->ReadString("s", "C", "-"), "3");  // last line without an end
    // Only one LF after a CR is skipped; a second one starts the next line.
    auto second = Load("[s]\r\n\nD=4\r");
    EXPECT_EQ(second->ReadString("s", "\nD", "-"), "4");
}

TEST_F(IniParseTest, LfOnlyFileIsOneLine) {
    auto ini = Load("[Main]\nA=1\nB=2\n[Other]\nC=3\n");
    ASSERT_EQ(ini->SectionCount(), 1);
    EXPECT_EQ(ini->Section(0).Name(), "main");
    EXPECT_EQ(ini->Section(0).Count(), 0);  // the rest of the header line is ignored
    auto keyFirst = Load("[s]\rKey=1\nOther=2\n");
    EXPECT_EQ(keyFirst->ReadString("s", "Key", "-"), "1\nOther=2\n");
    EXPECT_EQ(keyFirst->ReadString("s", "Other", "-"), "-");
}

TEST_F(IniParseTest, LeadingBlanksAndUnclosedHeaders) {
    auto ini = Load("  [Main]\r   Key=1\r\tTab=2\r[Main\r[Broken=3\rAfter=4\r");
    ASSERT_EQ(ini->SectionCount(), 1);
    EXPECT_EQ(ini->Section(0).Name(), "main");
    EXPECT_EQ(ini->ReadString("main", "Key", "-"), "1");
    EXPECT_EQ(ini->ReadString("main", "\tTab", "-"), "2");  // only byte 32 is a blank
    EXPECT_EQ(ini->ReadString("main", "After", "-"), "4");  // "[Main" kept the section
    EXPECT_EQ(ini->ReadString("main", "[Broken", "-"), "-");
}

TEST_F(IniParseTest, KeyAndValueSplitAtTheFirstEquals) {
    auto ini = Load("[s]\rKey = Value \ra=b=c\r;x=1\rnoequals\r==v\r[t] trailing=1\r");
    EXPECT_EQ(ini->ReadString("s", "Key ", "-"), " Value ");
    EXPECT_EQ(ini->ReadString("s", "Key", "-"), "-");
    EXPECT_EQ(ini->ReadString("s", "a", "-"), "b=c");
    EXPECT_EQ(ini->ReadString("s", ";x", "-"), "1");  // no comment syntax
    EXPECT_EQ(ini->ReadString("s", "", "-"), "=v");
    EXPECT_EQ(Keys(ini->FindSection("s")), (std::vector<std::string>{"", ";x", "a", "Key "}));
    EXPECT_EQ(ini->FindSection("t").Count(), 0);
}

TEST_F(IniParseTest, KeysBeforeTheFirstSectionAreIgnored) {
    auto ini = Load("orphan=1\r[s]\rk=2\r");
    ASSERT_EQ(ini->SectionCount(), 1);
    EXPECT_EQ(Keys(ini->Section(0)), std::vector<std::string>{"k"});
}

TEST_F(IniParseTest, SectionsMergeWithoutRegardToCase) {
    auto ini = Load("[A]\rx=1\r[b]\ry=2\r[a]\rz=3\r");
    ASSERT_EQ(ini->SectionCount(), 2);
    EXPECT_EQ(ini->Section(0).Name(), "a");
    EXPECT_EQ(Keys(ini->Section(0)), (std::vector<std::string>{"x", "z"}));
    EXPECT_EQ(ini->SavedText(), "[a]\r\nx=1\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
}

TEST_F(IniParseTest, LaterEqualKeyWinsWithItsLetterCase) {
    auto ini = Load("[s]\rkey=1\rOther=x\rKEY=2\rKey=3\r");
    EXPECT_EQ(Keys(ini->Section(0)), (std::vector<std::string>{"Key", "Other"}));
    EXPECT_EQ(ini->ReadString("S", "kEy", "-"), "3");
}

TEST_F(IniParseTest, KeysAreSortedCaseInsensitively) {
    auto ini = Load("[s]\rzeta=1\rAlpha=2\rbeta=3\rGamma=4\r_u=5\r");
    EXPECT_EQ(Keys(ini->Section(0)), (std::vector<std::string>{"_u", "Alpha", "beta", "Gamma", "zeta"}));
}

TEST_F(IniParseTest, EscapedEqualsInAKeyIsRead) {
    auto ini = Load("[s]\ra\xFF" "b=1\r");
    EXPECT_EQ(ini->ReadString("s", "a=b", "-"), "1");
}

TEST_F(IniParseTest, MissingFileGivesAnEmptyObject) {
    TInifile ini(PathOf("absent.ini"));
    EXPECT_EQ(ini.SectionCount(), 0);
    EXPECT_EQ(ini.ReadString("s", "k", "dflt"), "dflt");
    EXPECT_EQ(ini.SectionCount(), 1);  // reading created the section
    EXPECT_FALSE(ini.Dirty());
}

TEST_F(IniParseTest, LoadingDoesNotMarkDirty) {
    auto ini = Load("[s]\rk=1\r");
    EXPECT_FALSE(ini->Dirty());
    ini->ReadString("other", "k", "");
    EXPECT_FALSE(ini->Dirty());
}

TEST_F(IniParseTest, ReadIntegerAcceptsDecimalAndHexOnly) {
    auto ini = Load("[n]\rdec=  -42\rhex=$1F\rx=x10\rzx=0x10\rbig=2147483648\rtrail=12a\r"
                    "empty=\rblank=1 \rall=$FFFFFFFF\rmin=-2147483648\r");
    EXPECT_EQ(ini->ReadInteger("n", "dec", 0), -42);
    EXPECT_EQ(ini->ReadInteger("n", "hex", 0), 31);
    EXPECT_EQ(ini->ReadInteger("n", "x", 0), 16);
    EXPECT_EQ(ini->ReadInteger("n", "zx", 0), 16);
    EXPECT_EQ(ini->ReadInteger("n", "all", 0), -1);
    EXPECT_EQ(ini->ReadInteger("n", "min", 0), INT32_MIN);
    EXPECT_EQ(ini->ReadInteger("n", "big", 7), 7);
    EXPECT_EQ(ini->ReadInteger("n", "trail", 7), 7);
    EXPECT_EQ(ini->ReadInteger("n", "empty", 7), 7);
    EXPECT_EQ(ini->ReadInteger("n", "blank", 7), 7);
    EXPECT_EQ(ini->ReadInteger("n", "absent", 7), 7);
}

TEST_F(IniParseTest, ReadIntListOrdersAndMarksNonNumbers) {
    auto ini = Load("[l]\rmix=5,1-3,2,x\rempty=\rback=3-1\rneg=-5,7,x,1,y\rtrail=1,2,\r"
                    "hex=$10-$12\r");
    EXPECT_EQ(ini->ReadIntList("l", "mix"), (std::vector<int32_t>{1, 2, 3, 5, -1}));
    EXPECT_TRUE(ini->ReadIntList("l", "empty").empty());
    EXPECT_TRUE(ini->ReadIntList("l", "absent").empty());
    EXPECT_EQ(ini->ReadIntList("l", "back"), std::vector<int32_t>{-1});
    EXPECT_EQ(ini->ReadIntList("l", "neg"), (std::vector<int32_t>{-5, 1, 7, -1, -1}));
    EXPECT_EQ(ini->ReadIntList("l", "trail"), (std::vector<int32_t>{1, 2, -1}));
    EXPECT_EQ(ini->ReadIntList("l", "hex"), (std::vector<int32_t>{16, 17, 18}));
}

TEST_F(IniParseTest, HugeRangeFromAFileIsCut) {
    auto ini = Load("[l]\rwide=0-2000000000\rall=5,0-2147483647,x\rneg=-3-5\r");
    std::vector<int32_t> wide = ini->ReadIntList("l", "wide");
    ASSERT_EQ(wide.size(), TInifile::kMaxIntListNumbers);
    EXPECT_EQ(wide.front(), 0);
    EXPECT_EQ(wide.back(), static_cast<int32_t>(TInifile::kMaxIntListNumbers - 1));
    std::vector<int32_t> all = ini->ReadIntList("l", "all");
    ASSERT_EQ(all.size(), TInifile::kMaxIntListNumbers);  // the "x" no longer fits
    EXPECT_EQ(all.front(), 0);
    EXPECT_EQ(all.back(), static_cast<int32_t>(TInifile::kMaxIntListNumbers - 1));
    // A range splits at its first "-", so one cannot start below zero.
    EXPECT_EQ(ini->ReadIntList("l", "neg"), std::vector<int32_t>{-1});
}

TEST(IntListTextTest, RunsBecomeRanges) {
    EXPECT_EQ(IntListText({1, 2, 3, 5}), "1-3,5");
    EXPECT_EQ(IntListText({1, 2, 3, 5, 7, 8}), "1-3,5,7-8");
    EXPECT_EQ(IntListText({}), "");
    EXPECT_EQ(IntListText({5, 3, 4, 1}), "5,3-4,1");
    EXPECT_EQ(IntListText({2147483646, 2147483647, INT32_MIN}), "2147483646-2147483647,-2147483648");
    EXPECT_EQ(ParseIntList(IntListText({1, 2, 3, 9, 10, 40})), (std::vector<int32_t>{1, 2, 3, 9, 10, 40}));
}

}  // namespace
