// The launcher's install step on releases made in the staging folder of a
// scratch installation root: where each file goes and with which permission bits, what happens
// to version.ini, and every way a release is refused (a signature missing
// or made with another key, a forged file list, no key shipped).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Launcher.h"
#include "release/Release.h"
#include "release/Signing.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "qvlaunchXXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root = pattern + "/";
        bin = root + "bin/";
        fetched = root + release::kStagingFolder;
        fs::create_directories(bin + "gfx");
        fs::create_directories(fetched);
        ASSERT_TRUE(release::Initialise());
        std::string error;
        ASSERT_TRUE(release::MakeKeyPair(root + "k.key", bin + "update.pub", error)) << error;
        ASSERT_TRUE(release::MakeKeyPair(root + "other.key", root + "other.pub", error)) << error;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    // The files as the client leaves them in the staging folder, signed
    // with key.
    void Fetched(const std::vector<std::pair<std::string, std::string>>& files, const std::string& key = "k.key") {
        std::vector<std::string> paths;
        for (const auto& [name, bytes] : files) {
            WriteAll(fetched + name, bytes);
            paths.push_back(fetched + name);
        }
        std::string folder, error;
        ASSERT_TRUE(release::SignRelease(root + key, paths, folder, error)) << error;
        ASSERT_EQ(folder, fetched);
    }
    std::vector<std::string> Files(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder))
            if (e.is_regular_file()) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    std::vector<std::string> RootFiles() const { return Files(root); }

    std::string root, bin, fetched;
};

TEST_F(LauncherTest, InstallsEachFileInItsPlaceKeepingModesAndRecordsTheRelease) {
    WriteAll(bin + "text.ini", "old");
    fs::permissions(bin + "text.ini", fs::perms(0640));
    WriteAll(root + "version.ini", "[Version]\r\nGotfrom=7\r\nupdate=old\r\n[Other]\r\nupdate=stays\r\n");
    Fetched({{"quorvalendix", "program"}, {"text.ini", "new"}, {"win.wav", "wave"}, {"Tile.GIZ", "image"}});
    std::vector<std::string> names = {"quorvalendix", "text.ini", "win.wav", "Tile.GIZ"};
    std::string identity = release::ReleaseIdentity(fetched, names);

    launcher::TResult result = launcher::InstallRelease(root, bin);
    ASSERT_EQ(result.Outcome, launcher::TOutcome::Installed) << result.Message;
    EXPECT_EQ(result.Installed, (std::vector<std::string>{bin + "quorvalendix", bin + "text.ini",
                                                          bin + "sound/win.wav", bin + "gfx/Tile.GIZ"}));
    EXPECT_EQ(ReadAll(bin + "sound/win.wav"), "wave");
    EXPECT_EQ(fs::status(bin + "quorvalendix").permissions(), fs::perms(0755));
    EXPECT_EQ(fs::status(bin + "text.ini").permissions(), fs::perms(0640));
    EXPECT_EQ(fs::status(bin + "gfx/Tile.GIZ").permissions(), fs::perms(0644));
    EXPECT_EQ(ReadAll(root + "version.ini"),
              "[Version]\r\nupdate=" + identity + "\r\nGotfrom=7\r\n[Other]\r\nupdate=stays\r\n");
    EXPECT_EQ(RootFiles(), (std::vector<std::string>{"k.key", "other.key", "other.pub", "version.ini"}));
    EXPECT_TRUE(Files(fetched).empty());
    // Nothing waits any more: the next start installs nothing.
    EXPECT_EQ(launcher::InstallRelease(root, bin).Outcome, launcher::TOutcome::Nothing);
}

TEST_F(LauncherTest, AMissingOrForeignSignatureDiscardsEverything) {
    auto expectRefused = [this](const std::string& what) {
        launcher::TResult result = launcher::InstallRelease(root, bin);
        EXPECT_EQ(result.Outcome, launcher::TOutcome::Refused) << what;
        EXPECT_NE(result.Message.find("not installed"), std::string::npos) << result.Message;
        EXPECT_FALSE(fs::exists(bin + "quorvalendix")) << what;
        EXPECT_EQ(RootFiles(), (std::vector<std::string>{"k.key", "other.key", "other.pub"})) << what;
        EXPECT_TRUE(Files(fetched).empty()) << what;
    };
    Fetched({{"quorvalendix", "program"}, {"data.pac", "pack"}});
    fs::remove(fetched + "data.pac.sig");
    expectRefused("a file's signature missing");

    Fetched({{"quorvalendix", "program"}}, "other.key");
    expectRefused("signed with another key");

    // A list that names more than was signed: its own signature fails.
    Fetched({{"quorvalendix", "program"}});
    WriteAll(fetched + "update.lst", "quorvalendix\nextra.bin\n");
    WriteAll(fetched + "extra.bin", "x");
    expectRefused("a forged list");

    Fetched({{"quorvalendix", "program"}});
    fs::remove(bin + "update.pub");
    expectRefused("no key shipped");
}

}  // namespace
