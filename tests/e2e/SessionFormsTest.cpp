// The logon and registration windows with the real server: registering,
// logging on, the refusals, the port search, Cancel while connecting, a lost
// socket that the session survives, the version answer, and boxes the
// operator sends (a server box, a code the client does not know).
//
// The windows are the real ones on a tiny skin; the boxes are recorded, and
// the connect box waits by stepping the client until the dispatcher closes
// it, as the skinned box waits in the main loop.
#include <cstdio>
#include <memory>

#include "HeadlessClient.h"
#include "AdminClient.h"
#include "ServerThread.h"
#include "net/LogonFixture.h"
#include "protocol/FrameCodec.h"
#include "platform/headless/Headless.h"

namespace e2etest {
namespace {


using nettest::TBoxCall;
using nettest::TCallLog;

std::string Field(const std::string& text) { return text + '\x01'; }

void StepIdle() {
    auto& loop = platform::headless::Loop();
    loop.AdvanceMs(1);
    auto& io = static_cast<platform::headless::TIo&>(platform::Io());
    bool tasksReady = false;
    io.Poll(2, &tasksReady);
    loop.Queue().Drain();
}

// One step of the session's connection, or of the world when there is none.
void SessionStep() {
    if (TClient* client = Session().Client)
        Step(*client);
    else
        StepIdle();
}

bool SessionStepUntil(const std::function<bool()>& done, int limit = 20000) {
    for (int i = 0; i < limit && !done(); ++i) SessionStep();
    return done();
}

// Every message the session's connection has sent and the server not yet
// acknowledged (the whole logon conversation, which is shorter than one
// acknowledgement).
std::vector<std::string> SentMessages() {
    std::vector<std::string> messages;
    const TMymem& buffer = Session().Client->SendBuffer();
    std::string pending(reinterpret_cast<const char*>(buffer.Memory()), size_t(buffer.Size()));
    protocol::TFrame frame;
    std::string error;
    while (protocol::DecodeFrame(pending, frame, error) == protocol::DecodeStatus::Complete) {
        // The answers to the server's keep-alives ("z") come whenever they do.
        if (frame.kind == protocol::FrameKind::Message && frame.payload[0] != 'z') messages.push_back(frame.payload);
        pending.erase(0, frame.length);
    }
    return messages;
}

class SessionFormsTest : public nettest::LogonFixture {
protected:
    void SetUp() override {
        LogonFixture::SetUp();
        for (size_t i = 0; i < m_server.Config().zone.urls.size(); ++i)
            m_server.Config().zone.urls[i] = "http://zone/url" + std::to_string(i + 1);
        std::string error;
        ASSERT_TRUE(m_server.Start(nullptr, error)) << error;
        SetPorts("Ports", std::to_string(m_server.Port()));
        Session().EndProgram = [this] { ++endings; };
        TSessionWindows& w = SessionWindows();
        w.Lobby = &lobby;
        w.Tables = &tables;
        w.Previews = &previews;
        w.Hiscore = &dialogs;
        w.Info = &dialogs;
        w.Update = &dialogs;
        w.Upload = &dialogs;
        w.Web = &dialogs;
        w.Question = &dialogs;
        w.Options = &dialogs;
        Logon().Connector().WaitStep = SessionStep;
        LinkSessionForms(Logon(), Registration());
        boxes.onBox = [this](const TBoxCall& call) { return Answer(call); };
    }
    void TearDown() override {
        registration.reset();
        logon.reset();
        m_server.Stop();
        LogonFixture::TearDown();
    }

    // The connect box waits until the dispatcher closes it; the
    // confirmation is answered Yes; notices return at once.
    int Answer(const TBoxCall& call) {
        if (call.text == "Connecttext") {
            size_t closed = boxes.closed.size();
            if (connectAnswers.empty()) {
                SessionStepUntil([&] { return boxes.closed.size() > closed; });
                return 0;
            }
            int answer = connectAnswers.front();
            connectAnswers.erase(connectAnswers.begin());
            if (answer == mb::Cancel) SessionStepUntil([] { return false; }, 20);
            return answer;
        }
        return call.buttons == mb::kYesNo ? mb::Yes : 0;
    }

    void LogOn(const std::string& alias, const std::string& password) {
        Logon().Show();
        Logon().NameEdit()->SetText(alias);
        Logon().PasswordEdit()->SetText(password);
        Logon().OkClick();
    }
    // The goodbye; the server's close ends the program's session.
    void LogOff() {
        ASSERT_NE(Session().Client, nullptr);
        int before = endings;
        Session().Client->Close();
        ASSERT_TRUE(SessionStepUntil([&] { return endings > before; }));
    }
    bool HasBox(const std::string& text) const {
        for (const auto& c : boxes.calls)
            if (c.text == text) return true;
        return false;
    }
    // An operator command; true for "ok". The reply goes to reply.
    bool Operator(const std::vector<std::string>& words, std::string* reply = nullptr) {
        char* text = nullptr;
        size_t size = 0;
        std::FILE* out = open_memstream(&text, &size);
        int rc = server::RunAdminCommand(m_server.Config().AdminSocketPath(), words, out, stderr);
        std::fclose(out);
        if (reply) *reply = std::string(text, size);
        std::free(text);
        return rc == 0;
    }

    TServerThread m_server;
    TCallLog log;
    nettest::TFakeLobby lobby{log};
    nettest::TFakeTables tables{log};
    nettest::TFakePreviews previews{log};
    nettest::TFakeDialogs dialogs{log};
    std::vector<int> connectAnswers;
    int endings = 0;
};

TEST_F(SessionFormsTest, RegisterThenLogOnAgain) {
    Register("Ida", "hemmelig");
    EXPECT_FALSE(Registration().Visible());
    EXPECT_TRUE(log.Has("ShowLobby()"));
    std::string first = Session().WebPassword;
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(Session().Alias, "ida");
    // The version answer went out before the registration logon.
    std::vector<std::string> sent = SentMessages();
    ASSERT_GE(sent.size(), 3u);
    EXPECT_EQ(sent[0], "O");
    EXPECT_EQ(sent[1], "Q" + Field("lobbivex") + Field("3.61"));
    EXPECT_EQ(sent[2].substr(0, 5), "\x04" "0\x01" "0\x01");
    // What the server sends after the logon reaches the session values.
    EXPECT_TRUE(SessionStepUntil([] { return Session().GameUrls[7] == "http://zone/url7"; }));
    EXPECT_EQ(Session().GameUrls[2], "http://zone/url2");
    EXPECT_FALSE(Session().OptionString.empty());
    LogOff();

    LogOn("Ida", "hemmelig");
    EXPECT_FALSE(Logon().Visible());
    EXPECT_FALSE(Session().WebPassword.empty());
    EXPECT_NE(Session().WebPassword, first);
    EXPECT_EQ(SettingsFile().ReadString("Lobbivex", "Name", ""), "ida");
}

TEST_F(SessionFormsTest, AWrongPasswordShowsErrorpassAndEndsTheSession) {
    Register("Ida", "hemmelig");
    LogOff();
    int endingsBefore = endings;
    LogOn("Ida", "forkert");
    EXPECT_TRUE(HasBox("Errorpass"));
    EXPECT_TRUE(Logon().Visible());
    EXPECT_TRUE(Logon().Enabled());
    // The goodbye ends the session; the connection is given up.
    EXPECT_TRUE(SessionStepUntil([] { return Session().Client == nullptr; }));
    EXPECT_EQ(endings, endingsBefore);
}

TEST_F(SessionFormsTest, ALogonWhileTheAliasIsOnlineShowsErrorconnected) {
    TRecordedClient first(true);
    first.client.Port = m_server.Port();
    first.client.Open();
    first.client.Send("O");
    ASSERT_TRUE(StepUntil(first.client, [&] { return first.messages.size() >= 1; }));
    first.client.Send("Q" + Field("lobbivex") + Field("3.61"));
    ASSERT_TRUE(StepUntil(first.client, [&] { return first.messages.size() >= 2; }));
    first.client.Send("\x04" + Field("0") + Field("0") + Field("ida") + Field("hemmelig") + Field("0") +
                      Field("1") + Field("1990") + Field("5") + Field("17") + Field("1") + Field("0"));
    ASSERT_TRUE(StepUntil(first.client, [&] { return first.messages.size() >= 3; }));
    ASSERT_EQ(first.messages[2][0], '\x01');

    LogOn("Ida", "hemmelig");
    EXPECT_TRUE(HasBox("Errorconnected"));
    EXPECT_TRUE(Logon().Visible());
}

TEST_F(SessionFormsTest, APortSearchFindsTheServersPort) {
    SetPorts("Ports", std::to_string(nettest::ClosedPort()));
    SetPorts("Portlist", std::to_string(nettest::ClosedPort()) + "," + std::to_string(m_server.Port()));
    connectAnswers = {mb::Custom1};
    Register("Ida", "hemmelig");
    EXPECT_TRUE(HasBox("Searchtext"));
    EXPECT_EQ(SettingsFile().ReadString("Lobbivex", "Ports", ""), std::to_string(m_server.Port()));
    EXPECT_FALSE(Session().WebPassword.empty());
}

TEST_F(SessionFormsTest, CancelWhileConnectingGivesTheConnectionUp) {
    SetPorts("Ports", std::to_string(nettest::ClosedPort()));
    connectAnswers = {mb::Cancel};
    LogOn("Ida", "hemmelig");
    EXPECT_EQ(Session().Client, nullptr);
    EXPECT_TRUE(Logon().Enabled());
    EXPECT_TRUE(Logon().Visible());
    EXPECT_EQ(boxes.calls.size(), 1u);
}

TEST_F(SessionFormsTest, ALostSocketIsResumedAndTheSessionGoesOn) {
    Register("Ida", "hemmelig");
    TClient* client = Session().Client;
    ASSERT_NE(client, nullptr);
    int session = client->SessionId();
    client->Socket()->Close();  // as "/hangup" does
    ASSERT_TRUE(SessionStepUntil([&] {
        return client->SocketOpen() && !client->Reconnecting() && !client->AwaitingResume();
    }));
    EXPECT_EQ(client->ReconnectCount(), 1);
    EXPECT_EQ(client->SessionId(), session);
    EXPECT_TRUE(log.Has("AddLine(Reconnecting,6,7)"));
    EXPECT_EQ(endings, 0);
    // The resumed session still carries the server's messages.
    ASSERT_TRUE(Operator({"box", "ida", "still here"}));
    EXPECT_TRUE(SessionStepUntil([&] { return HasBox("still here"); }));
}

TEST_F(SessionFormsTest, AnUnknownCodeShowsWrongControl) {
    Register("Ida", "hemmelig");
    ASSERT_TRUE(Operator({"send", "ida", "200", "abc"}));
    EXPECT_TRUE(SessionStepUntil([&] { return HasBox("Wrong control: 200\rSubcontrol: 97\rNetstring: bc"); }));
    ASSERT_TRUE(Operator({"box", "ida", "Maintenance", "Sysop"}));
    ASSERT_TRUE(SessionStepUntil([&] { return HasBox("Maintenance"); }));
    EXPECT_EQ(boxes.calls.back().title, "Sysop");
}

TEST_F(SessionFormsTest, TheAnswerToAnOperatorsQuestionReachesTheServer) {
    Register("Ida", "hemmelig");
    dialogs.answer = 2;
    ASSERT_TRUE(Operator({"ask", "ida", "Which?", "Red", "Blue"}));
    ASSERT_TRUE(SessionStepUntil([&] { return log.Has("Ask(Which?,Red;Blue;)"); }));
    std::string reply;
    ASSERT_TRUE(SessionStepUntil([&] {
        Operator({"answers", "ida"}, &reply);
        return reply.find("answer 2 \"Blue\"") != std::string::npos;
    }, 2000)) << reply;
}

// The server's account data (39) opens the registration window modally; a
// task waits for it to show, as the user would, and changes the password.
TEST_F(SessionFormsTest, TheAccountDataWindowChangesThePassword) {
    Register("Ida", "hemmelig");
    std::function<void()> changeWhenShown = [&] {
        if (!Registration().Visible()) {
            platform::Loop().Post(changeWhenShown);
            return;
        }
        EXPECT_EQ(Registration().Mode(), TRegisterform::TMode::ChangePassword);
        Registration().PasswordEdit()->SetText("nyt");
        Registration().OkClick();
    };
    platform::Loop().Post(changeWhenShown);
    ASSERT_TRUE(SendToServer("'"));
    ASSERT_TRUE(SessionStepUntil([&] { return log.Has("Lobby.SetEnabled(1)"); }));
    ASSERT_TRUE(SessionStepUntil([&] { return Session().Client->PendingSend() == 0; }));
    EXPECT_FALSE(Session().RegisterCancelled);
    LogOff();
    LogOn("Ida", "nyt");
    EXPECT_FALSE(HasBox("Errorpass"));
    EXPECT_FALSE(Logon().Visible());
}

}  // namespace
}  // namespace e2etest
