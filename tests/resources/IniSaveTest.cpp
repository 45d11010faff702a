// Writing ini files: the saved bytes, the write-back timer on virtual time,
// failed saves and their retries, atomic replacement, the list of live files
// and the save at process exit.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "platform/headless/Headless.h"
#include "IniFolderFixture.h"
#include "resources/Inifile.h"
#include "shell/MyTimer.h"

namespace fs = std::filesystem;

namespace {

using IniSaveTest = TIniFolderTest;

TEST_F(IniSaveTest, SavedBytesAreExact) {
    std::string path = PathOf("s.ini");
    {
        TInifile ini(path);
        ini.WriteString("Second", "b", "2");
        ini.ReadString("Empty", "x", "");
        ini.WriteString("First", "Zed", " spaced value ");
        ini.WriteString("First", "alpha", "a=b");
        ini.WriteInteger("Second", "A", -17);
        ini.WriteIntList("second", "List", std::vector<int32_t>{1, 2, 3, 5});
    }
    EXPECT_EQ(FileText(path),
              "[second]\r\nA=-17\r\nb=2\r\nList=1-3,5\r\n"
              "\r\n"
              "[first]\r\nalpha=a=b\r\nZed= spaced value \r\n");
}

TEST_F(IniSaveTest, WritingInOtherCaseReplacesTheKey) {
    TInifile ini(PathOf("s.ini"));
    ini.WriteString("s", "Key", "1");
    ini.WriteString("s", "KEY", "2");
    EXPECT_EQ(ini.SavedText(), "[s]\r\nKEY=2\r\n");
}

TEST_F(IniSaveTest, KeyWithEqualsSurvivesSaveAndReload) {
    std::string path = PathOf("s.ini");
    {
        TInifile ini(path);
        ini.WriteString("s", "a=b", "1");
        ini.WriteString("s", "c\xFF" "d", "2");  // 0xFF in a key is "="
    }
    EXPECT_EQ(FileText(path), "[s]\r\na\xFF" "b=1\r\nc\xFF" "d=2\r\n");
    TInifile again(path);
    EXPECT_EQ(again.ReadString("s", "a=b", "-"), "1");
    EXPECT_EQ(again.ReadString("s", "c=d", "-"), "2");
}

TEST_F(IniSaveTest, SectionsOnlyReadAreNotWritten) {
    std::string path = PathOf("s.ini");
    WriteText(path, "[keep]\rk=1\r");
    {
        TInifile ini(path);
        ini.ReadString("Ghost", "k", "");
        ini.ReadInteger("Ghost2", "k", 0);
        ini.WriteString("keep", "j", "2");
    }
    EXPECT_EQ(FileText(path), "[keep]\r\nj=2\r\nk=1\r\n");
}

TEST_F(IniSaveTest, DeletedKeyLeavesAnEmptySectionUnwritten) {
    std::string path = PathOf("s.ini");
    WriteText(path, "[a]\rk=1\r[b]\rk=2\r");
    TInifile ini(path);
    EXPECT_FALSE(ini.DeleteKey("a", "other"));
    EXPECT_FALSE(ini.Dirty());
    EXPECT_TRUE(ini.DeleteKey("A", "K"));
    EXPECT_TRUE(ini.Dirty());
    RunFor(1100);
    EXPECT_EQ(FileText(path), "[b]\r\nk=2\r\n");
}

TEST_F(IniSaveTest, UnchangedFileIsNeverRewritten) {
    std::string path = PathOf("s.ini");
    std::string original = "[S]\nodd=1\n";
    WriteText(path, original);
    TInifile ini(path);
    ini.ReadString("s", "odd", "");
    RunFor(2500);
    EXPECT_EQ(FileText(path), original);
}

TEST_F(IniSaveTest, WriteReachesTheDiskAfterOneSecond) {
    std::string path = PathOf("s.ini");
    TInifile ini(path);
    ini.WriteString("s", "k", "1");
    EXPECT_TRUE(ini.Dirty());
    RunFor(900);
    EXPECT_FALSE(fs::exists(path));
    RunFor(200);
    EXPECT_EQ(FileText(path), "[s]\r\nk=1\r\n");
    EXPECT_FALSE(ini.Dirty());
    // Further writes within the second go out together.
    ini.WriteString("s", "k", "2");
    RunFor(300);
    ini.WriteString("s", "m", "3");
    EXPECT_EQ(FileText(path), "[s]\r\nk=1\r\n");
    RunFor(800);
    EXPECT_EQ(FileText(path), "[s]\r\nk=2\r\nm=3\r\n");
}

TEST_F(IniSaveTest, FlushOnACleanFileOnlyStopsTheTimer) {
    std::string path = PathOf("s.ini");
    TInifile ini(path);
    ini.Flush();
    EXPECT_FALSE(fs::exists(path));
    ini.WriteString("s", "k", "1");
    ini.Flush();
    EXPECT_FALSE(ini.Dirty());
    EXPECT_EQ(FileText(path), "[s]\r\nk=1\r\n");
}

TEST_F(IniSaveTest, DestroyingADirtyFileSavesIt) {
    std::string path = PathOf("s.ini");
    auto ini = std::make_unique<TInifile>(path);
    ini->WriteString("s", "k", "1");
    ini.reset();
    EXPECT_EQ(FileText(path), "[s]\r\nk=1\r\n");
    EXPECT_EQ(TMaintimer::Instance().Count(), 0);
}

TEST_F(IniSaveTest, FailedSaveStaysDirtyAndRetries) {
    std::string sub = PathOf("sub");
    fs::create_directory(sub);
    std::string path = sub + "/s.ini";
    TInifile ini(path);
    fs::remove_all(sub);
    ini.WriteString("s", "k", "1");
    RunFor(1100);
    EXPECT_TRUE(ini.Dirty());
    RunFor(1000);
    EXPECT_TRUE(ini.Dirty());
    fs::create_directory(sub);
    RunFor(1100);
    EXPECT_FALSE(ini.Dirty());
    EXPECT_EQ(FileText(path), "[s]\r\nk=1\r\n");
}

TEST_F(IniSaveTest, FileThatVanishesOrTurnsIntoADirectory) {
    std::string path = PathOf("s.ini");
    TInifile ini(path);
    ini.WriteString("s", "a", "1");
    RunFor(1100);
    fs::remove(path);
    ini.WriteString("s", "b", "2");
    RunFor(1100);
    EXPECT_EQ(FileText(path), "[s]\r\na=1\r\nb=2\r\n");
    // A directory in its place cannot be replaced: the save fails until it
    // is gone, and no temporary file is left behind.
    fs::remove(path);
    fs::create_directory(path);
    fs::create_directory(path + "/inner");
    ini.WriteString("s", "c", "3");
    RunFor(2100);
    EXPECT_TRUE(ini.Dirty());
    fs::remove_all(path);
    RunFor(1100);
    EXPECT_FALSE(ini.Dirty());
    EXPECT_EQ(FileText(path), "[s]\r\na=1\r\nb=2\r\nc=3\r\n");
    int entries = 0;
    for (const auto& entry : fs::directory_iterator(m_dir)) entries += entry.is_regular_file() ? 1 : 0;
    EXPECT_EQ(entries, 1);
}

// The atomic replacement must not get round what the file itself says: a
// read-only file stays as it is (the save fails and retries), a link stays a
// link, and the file keeps its permissions.
TEST_F(IniSaveTest, ReadOnlyFileIsNotReplacedAndTheSaveRetries) {
    const std::string path = PathOf("settings.ini");
    WriteText(path, "[s]\r\nk=0\r\n");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    TInifile ini(path);
    ini.WriteString("s", "k", "1");
    RunFor(2100);
    EXPECT_TRUE(ini.Dirty());
    EXPECT_EQ(FileText(path), "[s]\r\nk=0\r\n");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms::owner_read | fs::perms::group_read);

    fs::permissions(path, fs::perms::owner_write, fs::perm_options::add);
    RunFor(1100);
    EXPECT_FALSE(ini.Dirty());
    EXPECT_EQ(FileText(path), "[s]\r\nk=1\r\n");
}

TEST_F(IniSaveTest, LinkIsFollowedAndTheFileKeepsItsMode) {
    fs::create_directory(PathOf("real"));
    const std::string real = PathOf("real/settings.ini");
    WriteText(real, "[s]\r\nk=0\r\n");
    const fs::perms mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read;
    fs::permissions(real, mode);
    const std::string link = PathOf("settings.ini");
    fs::create_symlink("real/settings.ini", link);

    TInifile ini(link);
    EXPECT_EQ(ini.ReadString("s", "k", ""), "0");
    ini.WriteString("s", "k", "1");
    RunFor(1100);
    EXPECT_FALSE(ini.Dirty());
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(link)));
    EXPECT_EQ(FileText(real), "[s]\r\nk=1\r\n");
    EXPECT_EQ(fs::status(real).permissions(), mode);
}

TEST_F(IniSaveTest, LiveFilesListsEveryObject) {
    size_t before = TInifile::LiveFiles().size();
    auto a = std::make_unique<TInifile>(PathOf("a.ini"));
    {
        TInifile b(PathOf("b.ini"));
        ASSERT_EQ(TInifile::LiveFiles().size(), before + 2);
        EXPECT_EQ(TInifile::LiveFiles().back(), &b);
    }
    ASSERT_EQ(TInifile::LiveFiles().size(), before + 1);
    EXPECT_EQ(TInifile::LiveFiles().back(), a.get());
    a.reset();
    EXPECT_EQ(TInifile::LiveFiles().size(), before);
}

TEST_F(IniSaveTest, PendingChangesAreSavedAtExit) {
    std::string path = PathOf("exit.ini");
    EXPECT_EXIT(
        {
            auto* ini = new TInifile(path);  // deliberately never freed
            ini->WriteString("s", "k", "1");
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(FileText(path), "[s]\r\nk=1\r\n");
}

}  // namespace
