// Received files: collection up to the announced size, placement below the
// installation root, refusal of names that could leave it, and the
// replacement rule for a program in use. Also the root's derivation.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "resources/MyMem.h"
#include "resources/Paths.h"

namespace fs = std::filesystem;

namespace {

TEST(PathsTest, RootIsTheParentOfTheProgramDirectory) {
    std::string saved = ProgramDirectory();
    SetProgramDirectory("/opt/zone/bin/");
    EXPECT_EQ(ProgramDirectory(), "/opt/zone/bin/");
    EXPECT_EQ(InstallationRoot(), "/opt/zone/");
    SetProgramDirectory("/opt/zone/bin");  // the slash is added
    EXPECT_EQ(ProgramDirectory(), "/opt/zone/bin/");
    EXPECT_EQ(InstallationRoot(), "/opt/zone/");
    SetProgramDirectory("/opt/zone/bin//");
    EXPECT_EQ(InstallationRoot(), "/opt/zone/");
    SetProgramDirectory("/game/");
    EXPECT_EQ(InstallationRoot(), "/");
    SetProgramDirectory("prog/");
    EXPECT_EQ(InstallationRoot(), "./");
    SetProgramDirectory(saved);
}

TEST(PathsTest, ShortProgramDirectoryIsItsOwnRoot) {
    std::string saved = ProgramDirectory();
    SetProgramDirectory("/");
    EXPECT_EQ(InstallationRoot(), "/");
    SetProgramDirectory("/ab/");  // four characters: the parent
    EXPECT_EQ(InstallationRoot(), "/");
    SetProgramDirectory("/a/");  // three characters: itself
    EXPECT_EQ(InstallationRoot(), "/a/");
    SetProgramDirectory("");
    EXPECT_EQ(ProgramDirectory(), "./");
    EXPECT_EQ(InstallationRoot(), "./");
    SetProgramDirectory(saved);
}

// A scratch installation: <tmp>/outside/root/ is the root, bin/ below it the
// program directory, so a file escaping the root would land in outside/.
class TFileTest : public testing::Test {
protected:
    void SetUp() override {
        m_saved = ProgramDirectory();
        m_root = m_outside + "root/";
        fs::create_directories(m_root + "bin");
        SetProgramDirectory(m_root + "bin/");
        ASSERT_EQ(InstallationRoot(), m_root);
    }
    void TearDown() override {
        SetProgramDirectory(m_saved);
    }

    std::string Read(const std::string& relative) const {
        std::ifstream in(m_root + relative, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    // Every entry below the scratch folder, relative to it, sorted.
    std::vector<std::string> Tree() const {
        std::vector<std::string> all;
        for (auto& e : fs::recursive_directory_iterator(m_outside))
            all.push_back(fs::relative(e.path(), m_outside).string());
        std::sort(all.begin(), all.end());
        return all;
    }
    void Receive(const std::string& name, const std::string& content, bool keepPaths = false) {
        TFile f;
        f.KeepPaths = keepPaths;
        f.Begin(name, static_cast<int64_t>(content.size()));
        EXPECT_EQ(f.Append(content), 0);
    }

    std::string m_saved;
    TTempFolder m_folder{"tfile_"};
    const std::string m_outside = m_folder.Dir();
    std::string m_root;
};

TEST_F(TFileTest, CollectsUpToTheAnnouncedSizeThenWrites) {
    TFile f;
    f.Begin("news.txt", 10);
    EXPECT_TRUE(f.Collecting());
    EXPECT_EQ(f.Name, "news.txt");
    EXPECT_EQ(f.ExpectedSize, 10);
    EXPECT_EQ(f.Append("0123"), 4);
    EXPECT_EQ(f.Append(""), 4);
    EXPECT_FALSE(fs::exists(m_root + "news.txt"));
    EXPECT_EQ(f.Append("456"), 7);
    EXPECT_EQ(f.Append("789"), 0);
    EXPECT_FALSE(f.Collecting());
    EXPECT_EQ(f.Name, "");
    EXPECT_EQ(Read("news.txt"), "0123456789");
    EXPECT_EQ(f.Append("more"), 0);  // nothing is being collected
}

TEST_F(TFileTest, BytesBeyondTheAnnouncedSizeAreDropped) {
    TFile f;
    f.Begin("a.dat", 5);
    EXPECT_EQ(f.Append("abc"), 3);
    EXPECT_EQ(f.Append("defghij"), 0);
    EXPECT_EQ(Read("a.dat"), "abcde");
}

TEST_F(TFileTest, BeginWithoutSizeDoesNothing) {
    TFile f;
    f.Begin("zero.txt", 0);
    EXPECT_FALSE(f.Collecting());
    EXPECT_EQ(f.Name, "");
    f.Begin("minus.txt", -5);
    EXPECT_FALSE(f.Collecting());
    EXPECT_EQ(f.Append("x"), 0);
    f.Finish();

    f.Begin("real.txt", 2);
    f.Begin("zero.txt", 0);  // leaves the file being collected alone
    EXPECT_EQ(f.Name, "real.txt");
    EXPECT_EQ(f.Append("ok"), 0);
    EXPECT_EQ(Tree(), (std::vector<std::string>{"root", "root/bin", "root/real.txt"}));
}

TEST_F(TFileTest, FinishWritesWhatWasCollected) {
    TFile f;
    f.Begin("part.txt", 100);
    f.Append("half");
    f.Finish();
    EXPECT_FALSE(f.Collecting());
    EXPECT_EQ(Read("part.txt"), "half");
}

TEST_F(TFileTest, NewBeginDropsTheUnfinishedFile) {
    TFile f;
    f.Begin("first.txt", 100);
    f.Append("lost");
    f.Begin("second.txt", 3);
    EXPECT_EQ(f.Append("new"), 0);
    EXPECT_FALSE(fs::exists(m_root + "first.txt"));
    EXPECT_EQ(Read("second.txt"), "new");
}

TEST_F(TFileTest, WithoutKeepPathsOnlyTheFileNameCounts) {
    Receive("gfx\\skins/data.pac", "pack");
    EXPECT_EQ(Read("data.pac"), "pack");
    EXPECT_FALSE(fs::exists(m_root + "gfx"));
}

TEST_F(TFileTest, KeepPathsCreatesTheDirectoriesBelowTheRoot) {
    fs::create_directories(m_root + "gfx");  // an existing directory is fine
    Receive("gfx\\skins/blue\\data.pac", "pack", true);
    EXPECT_EQ(Read("gfx/skins/blue/data.pac"), "pack");
    Receive("sound/new.wav", "wave", true);
    EXPECT_EQ(Read("sound/new.wav"), "wave");
}

TEST_F(TFileTest, ReplacesAnExistingReadOnlyFile) {
    Receive("start.exe", "old");
    fs::permissions(m_root + "start.exe", fs::perms::owner_read);
    Receive("start.exe", "new");
    EXPECT_EQ(Read("start.exe"), "new");
    EXPECT_FALSE(fs::exists(m_root + "start.ext"));
    auto perms = fs::status(m_root + "start.exe").permissions();
    EXPECT_NE(perms & fs::perms::owner_write, fs::perms::none);
}

// A directory of that name cannot be deleted, even by root: it stands in for
// a program that is running.
TEST_F(TFileTest, ProgramInUseIsStoredBesideItAsExt) {
    fs::create_directories(m_root + "setup.exe/inside");
    Receive("setup.exe", "program");
    EXPECT_EQ(Read("setup.ext"), "program");
    EXPECT_TRUE(fs::is_directory(m_root + "setup.exe/inside"));

    fs::create_directories(m_root + "SETUP.EXE/inside");
    Receive("SETUP.EXE", "upper");
    EXPECT_EQ(Read("SETUP.ext"), "upper");
}

TEST_F(TFileTest, OtherFileThatCannotBeReplacedIsLostSilently) {
    fs::create_directories(m_root + "readme.txt/inside");
    Receive("readme.txt", "text");
    EXPECT_TRUE(fs::is_directory(m_root + "readme.txt/inside"));
    EXPECT_EQ(Tree(), (std::vector<std::string>{"root", "root/bin", "root/readme.txt",
                                                "root/readme.txt/inside"}));
}

TEST_F(TFileTest, NamesThatCouldLeaveTheRootAreRefused) {
    const std::string names[] = {
        "",           "/evil.txt",    "\\evil.txt",   "c:evil.txt",  "c:\\evil.txt",
        "../evil.txt", "..\\evil.txt", "a/../../evil.txt", "a\\..\\..\\evil.txt",
        "./evil.txt", "a//evil.txt",  "a/./evil.txt", "evil/",       "..",
        ".",          "sub/..",       std::string("ev\0il.txt", 9),  "evil.txt:stream",
    };
    for (bool keep : {false, true}) {
        for (const std::string& name : names) {
            TFile f;
            f.KeepPaths = keep;
            f.Begin(name, 4);
            EXPECT_EQ(f.Append("evil"), 0) << name;
            EXPECT_FALSE(f.Collecting());
            EXPECT_EQ(f.Name, "");
        }
    }
    EXPECT_EQ(Tree(), (std::vector<std::string>{"root", "root/bin"}));
    EXPECT_FALSE(fs::exists("/evil.txt"));
}

}  // namespace
