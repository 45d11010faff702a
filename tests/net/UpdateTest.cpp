// The update download on a tiny skin of its own: the announced items, the
// start at the logon prompt, the file requests with their offsets, code 26
// through the dispatcher, files written into the staging folder of the
// installation root (never beside the root's second pack) and the launcher
// started at the end. The requests are recorded, not sent.
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "controls/Progress.h"
#include "controls/SkinFixture.h"
#include "net/Dispatcher.h"
#include "net/Session.h"
#include "net/Update.h"
#include "net/Updateform.h"
#include "platform/headless/Headless.h"
#include "protocol/ClientMessages.h"
#include "protocol/DialogMessages.h"
#include "resources/Paths.h"

namespace {

using namespace skintest;
namespace fs = std::filesystem;

constexpr char kSettings[] =
    "[Update]\nBarwindow=10,50\nHeadline=10,10,190,30,0,font1\n"
    "[Options]\nUpdatemodemspeed=3\n";

std::string Request(const std::string& name, int64_t offset) {
    return protocol::Build(protocol::TFileRequest{name, offset});
}

std::string Chunk(const std::string& data, int size = -1) {
    protocol::TFileChunk chunk;
    chunk.HasSize = size >= 0;
    chunk.Size = size;
    chunk.Data = data;
    return protocol::Build(chunk);
}

class UpdateTest : public SkinTest {
protected:
    TNetLayer m_netLayer;

    void SetUp() override {
        SkinTest::SetUp();
        WritePack({{"font1", BlockFont(6, 2, Alphanumerics(4), kWhite)}});
        Solid("update", 200, 100, kGrey);
        Solid("Updateon", 100, 8, kGreen);
        WriteIni(kSettings, "[en-Update]\nHeadline=Fetching\n");
        Session().EndProgram = [this] { ++endings; };
        update = std::make_unique<TUpdate>("Update", "Options");
        update->OnSend = [this](const std::string& m) { sent.push_back(m); };
        // The skin is read; received files go to the root, a folder of the
        // test's own: the program directory becomes a folder below it.
        fs::create_directory(Dir() + "bin");
        SetProgramDirectory(Dir() + "bin/");
    }
    // A file the download wrote, by its name in the staging folder.
    std::string Read(const std::string& name) const {
        std::ifstream in(Dir() + TUpdate::kStagingFolder + name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    const std::vector<std::string>& Started() const {
        return static_cast<platform::headless::TShell&>(platform::Shell()).StartedPrograms();
    }

    std::unique_ptr<TUpdate> update;
    std::vector<std::string> sent;
    int endings = 0;
};

TEST_F(UpdateTest, AProgramUpdateIsFetchedFileByFileThenTheLauncherRuns) {
    EXPECT_EQ(SessionWindows().Update, update.get());
    EXPECT_EQ(update->ModemSpeed(), 3);
    update->AddItem("0,7,12,gfx\\news.txt,b.dat");
    ASSERT_EQ(update->Items().size(), 1u);
    EXPECT_EQ(update->Items()[0].Size, 12);
    ASSERT_TRUE(update->StartIfNeeded());
    EXPECT_TRUE(update->Window()->Visible());
    EXPECT_EQ(update->Window()->Bar()->Maximum(), 12);
    EXPECT_EQ(sent, std::vector<std::string>{Request("gfx\\news.txt", 0)});

    Dispatch(Chunk("hello", 9));
    EXPECT_TRUE(update->TransferOpen());
    EXPECT_EQ(sent.back(), Request("gfx\\news.txt", 5));
    Dispatch(Chunk(" you"));
    // The name's folders are dropped: the file lies in the staging folder
    // itself.
    EXPECT_EQ(Read("news.txt"), "hello you");
    EXPECT_FALSE(fs::exists(Dir() + "update/gfx/news.txt"));
    EXPECT_FALSE(fs::exists(Dir() + "gfx/news.txt"));
    EXPECT_EQ(sent.back(), Request("b.dat", 0));
    EXPECT_TRUE(Started().empty());

    Dispatch(Chunk("abc", 3));
    EXPECT_EQ(Read("b.dat"), "abc");
    EXPECT_EQ(update->Window()->Bar()->Position(), 12);
    EXPECT_EQ(Started(), std::vector<std::string>{Dir() + "start.exe"});
    EXPECT_EQ(endings, 1);
}

TEST_F(UpdateTest, AnItemOfAnotherKindStartsNothing) {
    update->AddItem("1,0,5,extra.txt");
    update->AddItem("0,0,5");  // a program update without files
    EXPECT_FALSE(update->StartIfNeeded());
    EXPECT_TRUE(sent.empty());
    EXPECT_FALSE(update->Window()->Visible());
    // A later program update is the one fetched.
    update->AddItem("0,0,2,p.bin");
    ASSERT_TRUE(update->StartIfNeeded());
    EXPECT_EQ(sent, std::vector<std::string>{Request("p.bin", 0)});
    EXPECT_EQ(update->Current(), 2);
}

TEST_F(UpdateTest, ACode26LongerThanTheBytesPresentAddsOnlyThose) {
    update->AddItem("0,0,10,long.dat");
    ASSERT_TRUE(update->StartIfNeeded());
    // Length 10 announced, size 6, only "ab" present.
    Dispatch("\x1A" "10\x01" "6\x01" "ab");
    EXPECT_EQ(update->Window()->Bar()->Position(), 2);
    EXPECT_EQ(sent.back(), Request("long.dat", 2));
    Dispatch("\x1A" "4\x01" "cdef");
    EXPECT_EQ(Read("long.dat"), "abcdef");
}

TEST_F(UpdateTest, NamesNeverLeaveTheRootAndTheLauncherAndVersionAreNotFetched) {
    update->AddItem("0,0,9,start.exe,../../up.txt,START.EXE,Version.ini,a/b\\in.txt");
    ASSERT_TRUE(update->StartIfNeeded());
    EXPECT_EQ(sent, std::vector<std::string>{Request("../../up.txt", 0)});
    Dispatch(Chunk("up", 2));
    EXPECT_EQ(sent.back(), Request("a/b\\in.txt", 0));
    Dispatch(Chunk("in", 2));
    EXPECT_EQ(Read("in.txt"), "in");
    // A name that climbs keeps only its last part, in the staging folder.
    EXPECT_EQ(Read("up.txt"), "up");
    EXPECT_FALSE(fs::exists(Dir() + "up.txt"));
    EXPECT_FALSE(fs::exists(fs::path(Dir()).parent_path().parent_path() / "up.txt"));
    EXPECT_FALSE(fs::exists(Dir() + "start.exe"));
    EXPECT_EQ(Started(), std::vector<std::string>{Dir() + "start.exe"});
}

TEST_F(UpdateTest, ANewConnectionFetchesTheFileAnewWithItsSize) {
    update->AddItem("0,0,6,f.bin");
    ASSERT_TRUE(update->StartIfNeeded());
    Dispatch(Chunk("abc", 6));
    ASSERT_TRUE(update->TransferOpen());
    update->Clear();
    EXPECT_FALSE(update->TransferOpen());
    update->AddItem("0,0,6,f.bin");
    ASSERT_TRUE(update->StartIfNeeded());
    EXPECT_EQ(sent.back(), Request("f.bin", 0));
    // The answer to offset 0 carries the size again and is read with it.
    Dispatch(Chunk("abcdef", 6));
    EXPECT_EQ(Read("f.bin"), "abcdef");
    // A chunk nobody asked for changes nothing.
    size_t before = sent.size();
    Dispatch(Chunk("stray", 5));
    EXPECT_EQ(sent.size(), before);
}

TEST_F(UpdateTest, AnAnnouncedSizeWithoutBytesAsksAgainFromTheStart) {
    update->AddItem("0,0,4,g.bin");
    ASSERT_TRUE(update->StartIfNeeded());
    Dispatch(Chunk("", 4));
    EXPECT_FALSE(update->TransferOpen());
    EXPECT_EQ(sent.back(), Request("g.bin", 0));
    Dispatch(Chunk("wxyz", 4));
    EXPECT_EQ(Read("g.bin"), "wxyz");
}

// A hostile announcement of nothing but a pack, with no signed list: the
// launcher will find nothing to install and start the client again, which
// opens the root's "data.pac" as its second pack. The fetched pack must not
// be there, in any spelling.
TEST_F(UpdateTest, AFetchedPackNeverLandsWhereTheClientOpensItsSecondPack) {
    update->AddItem("0,0,8,data.pac,..\\DATA.PAC");
    ASSERT_TRUE(update->StartIfNeeded());
    Dispatch(Chunk("PACK", 4));
    Dispatch(Chunk("pack", 4));
    EXPECT_EQ(Started(), std::vector<std::string>{Dir() + "start.exe"});
    EXPECT_EQ(Read("data.pac"), "PACK");
    EXPECT_EQ(Read("DATA.PAC"), "pack");
    for (const auto& entry : fs::directory_iterator(Dir())) {
        std::string name = entry.path().filename().string();
        std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
        EXPECT_NE(name, "data.pac");
    }
}

}  // namespace
