// The signed update from end to end: the real server publishes a release
// of two files signed with a fresh key, the real client (logon window,
// dispatcher, TUpdate) is offered it before the logon, fetches it through
// a line that is cut in the middle of a file and resumed, starts the
// launcher and ends; the launcher's install step (called here, nothing is
// started) checks every signature and puts the files in place. A release
// with one file changed after signing is fetched the same way and installs
// nothing. The file requests go out at once, not after the send delay.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

#include "CutProxy.h"
#include "HeadlessClient.h"
#include "Launcher.h"
#include "ServerThread.h"
#include "net/Connector.h"
#include "net/LogonFixture.h"
#include "net/Update.h"
#include "platform/headless/Headless.h"
#include "release/Release.h"
#include "release/Signing.h"
#include "resources/Paths.h"
#include "shell/MyTimer.h"

namespace e2etest {
namespace {

namespace fs = std::filesystem;

// The client fetches into the folder the launcher installs from.
static_assert(std::string_view(TUpdate::kStagingFolder) == release::kStagingFolder);

// Bigger than a few chunks, so the cut falls inside the first file.
std::string Contents(size_t size, unsigned seed) {
    std::string bytes(size, '\0');
    for (size_t i = 0; i < size; ++i) {
        seed = seed * 134775813u + 1u;
        bytes[i] = static_cast<char>(seed >> 24);
    }
    return bytes;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class UpdateDownloadTest : public nettest::LogonFixture {
protected:
    void SetUp() override {
        LogonFixture::SetUp();
        Solid("update", 200, 100, skintest::kGrey);
        Solid("Updateon", 100, 8, skintest::kGreen);
        Session().EndProgram = [this] { ++endings; };
        // Messages for windows not registered are read and dropped; the
        // lobby tells whether the logon went through.
        SessionWindows().Lobby = &lobby;
        update = std::make_unique<TUpdate>("Update", "Options");
        Logon().Connector().WaitStep = [] {
            if (TClient* client = Session().Client) Step(*client);
        };
        LinkSessionForms(Logon(), Registration());
        boxes.onBox = [this](const nettest::TBoxCall& call) { return Answer(call); };
        // The skin is read: the installation root becomes a folder of the
        // test's own, with the program directory below it.
        root = Dir();
        fs::create_directory(root + "bin");
        SetProgramDirectory(root + "bin/");
        ASSERT_TRUE(release::Initialise());
        std::string error;
        ASSERT_TRUE(release::MakeKeyPair(root + "release.key", root + "bin/update.pub", error)) << error;
    }
    void TearDown() override {
        update.reset();
        registration.reset();
        logon.reset();
        m_server.Stop();
        LogonFixture::TearDown();
    }

    // The connect box waits until the dispatcher closes it.
    int Answer(const nettest::TBoxCall& call) {
        if (call.text == "Connecttext") {
            size_t closed = boxes.closed.size();
            for (int i = 0; i < 20000 && boxes.closed.size() == closed && Session().Client; ++i)
                Step(*Session().Client);
        }
        return call.buttons == mb::kYesNo ? mb::Yes : 0;
    }

    // Two files in the server's updates folder, signed; changed (when asked)
    // after signing.
    void Publish(bool tamper) {
        std::string folder = m_server.Config().UpdatesPath();
        fs::create_directories(folder);
        WriteAll(folder + "quorvalendix", program);
        WriteAll(folder + "data.pac", pack);
        std::string where, error;
        ASSERT_TRUE(release::SignRelease(root + "release.key", {folder + "quorvalendix", folder + "data.pac"}, where,
                                         error))
            << error;
        if (tamper) WriteAll(folder + "data.pac", pack + "!");
    }

    // Starts the server and a proxy that cuts the line to the client once,
    // at cutAt bytes, and logs on through it; returns when the client has
    // ended for the launcher.
    void FetchThrough(uint64_t cutAt) {
        std::string error;
        ASSERT_TRUE(m_server.Start(nullptr, error)) << error;
        TCutPlan plan;
        plan.toClient = {cutAt};
        proxy = std::make_unique<TCutProxy>(m_server.Port(), plan);
        ASSERT_TRUE(proxy->Start(error)) << error;
        SetPorts("Ports", std::to_string(proxy->Port()));
        Logon().Show();
        Logon().NameEdit()->SetText("Ida");
        Logon().PasswordEdit()->SetText("hemmelig");
        // The connect box waits until the download starts and closes it.
        Logon().OkClick();
        fetchStartedAt = NowMs();
        ASSERT_NE(Session().Client, nullptr);
        ASSERT_TRUE(StepUntil(*Session().Client, [this] { return endings > 0; }, 200000));
    }

    const std::vector<std::string>& Started() const {
        return static_cast<platform::headless::TShell&>(platform::Shell()).StartedPrograms();
    }

    TServerThread m_server;
    std::unique_ptr<TCutProxy> proxy;
    nettest::TCallLog log;
    nettest::TFakeLobby lobby{log};
    std::unique_ptr<TUpdate> update;
    std::string root;
    int endings = 0;
    int64_t fetchStartedAt = 0;
    const std::string program = Contents(100000, 1);
    const std::string pack = Contents(30000, 2);
};

TEST_F(UpdateDownloadTest, ASignedReleaseIsFetchedAcrossACutAndInstalled) {
    Publish(false);
    FetchThrough(50000);
    EXPECT_EQ(proxy->StreamCuts(), 1);
    EXPECT_EQ(proxy->Missed(), 0);
    EXPECT_EQ(Session().Client->ReconnectCount(), 1);
    // The logon was never sent: the launcher runs instead.
    EXPECT_FALSE(log.Has("ShowLobby()"));
    EXPECT_EQ(Started(), std::vector<std::string>{root + "start.exe"});
    // Fetched into the staging folder; nothing beside the root's second pack.
    EXPECT_EQ(ReadAll(root + "update/quorvalendix"), program);
    EXPECT_EQ(ReadAll(root + "update/data.pac"), pack);
    EXPECT_FALSE(fs::exists(root + "data.pac"));

    launcher::TResult result = launcher::InstallRelease(root, root + "bin/");
    ASSERT_EQ(result.Outcome, launcher::TOutcome::Installed) << result.Message;
    EXPECT_EQ(ReadAll(root + "bin/quorvalendix"), program);
    EXPECT_EQ(ReadAll(root + "bin/gfx/data.pac"), pack);
    EXPECT_EQ(fs::status(root + "bin/quorvalendix").permissions() & fs::perms::owner_exec, fs::perms::owner_exec);
    for (const std::string& file : release::ReleaseFiles({"quorvalendix", "data.pac"}))
        EXPECT_FALSE(fs::exists(root + "update/" + file)) << file;

    // The restarted client has the release: the next connection is not
    // offered it again and logs on.
    std::vector<std::string> names;
    std::string error;
    ASSERT_TRUE(release::ReadManifest(m_server.Config().UpdatesPath(), names, error)) << error;
    EXPECT_NE(ReadAll(root + "version.ini").find("update=" +
                                                 release::ReleaseIdentity(m_server.Config().UpdatesPath(), names)),
              std::string::npos);
    proxy->StopCutting();
    Register("Ida", "hemmelig");
    EXPECT_TRUE(log.Has("ShowLobby()"));
    EXPECT_TRUE(update->Items().empty());
    EXPECT_EQ(Started().size(), 1u);
}

// Each chunk is asked for only when the one before it has arrived, so a
// request held for the send delay would add the delay to every chunk.
TEST_F(UpdateDownloadTest, NoRequestWaitsForTheSendDelay) {
    Publish(false);
    FetchThrough(UINT64_MAX);
    EXPECT_EQ(proxy->StreamCuts(), 0);
    // Four chunks of the program, two of the pack, four signatures and the
    // manifest: eleven round trips, far less than eleven delays.
    EXPECT_LT(NowMs() - fetchStartedAt, 5 * TConnector::kSendDelayMs);
}

TEST_F(UpdateDownloadTest, AFileWithAWrongSignatureInstallsNothing) {
    Publish(true);
    FetchThrough(20000);
    EXPECT_EQ(Started(), std::vector<std::string>{root + "start.exe"});
    ASSERT_TRUE(fs::exists(root + "update/data.pac"));
    EXPECT_FALSE(fs::exists(root + "data.pac"));

    launcher::TResult result = launcher::InstallRelease(root, root + "bin/");
    EXPECT_EQ(result.Outcome, launcher::TOutcome::Refused);
    EXPECT_NE(result.Message.find("data.pac"), std::string::npos) << result.Message;
    EXPECT_TRUE(result.Installed.empty());
    EXPECT_FALSE(fs::exists(root + "bin/quorvalendix"));
    EXPECT_FALSE(fs::exists(root + "bin/gfx/data.pac"));
    EXPECT_FALSE(fs::exists(root + "version.ini"));
    for (const std::string& file : release::ReleaseFiles({"quorvalendix", "data.pac"}))
        EXPECT_FALSE(fs::exists(root + "update/" + file)) << file;
    EXPECT_FALSE(fs::exists(root + "data.pac"));
}

}  // namespace
}  // namespace e2etest
