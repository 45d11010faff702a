// "/netstatus" in Eva's real lobby on her real, resumed connection to the
// real server: each of its six figures is compared with what the other end
// or the wire says. The byte counts are the server's own counts of the
// session's streams; the waiting bytes are caught while a server box holds
// the message loop (what arrives then is read and queued, unprocessed) and
// a line of hers waits for the send delay; the address is the loopback and
// the server's port; the reconnections follow a "/hangup".
#include <gtest/gtest.h>

#include "ThreeUsersFixture.h"
#include "lobby/Chatcommands.h"
#include "net/Session.h"
#include "protocol/FrameCodec.h"
#include "protocol/SessionMessages.h"

namespace e2etest {
namespace {

size_t FrameSize(const std::string& message) {
    std::string frame;
    EXPECT_TRUE(protocol::EncodeFrame(message, protocol::TFrameOptions{}, frame));
    return frame.size();
}

class NetstatusTest : public ThreeUsersTest {
protected:
    void SetUp() override {
        ThreeUsersTest::SetUp();
        commands = std::make_unique<TChatcommands>(Session().Dicestat);
        Lobby().OnChatCommand = [this](TChatform* lobby, const std::string& line) {
            return commands->Execute(*lobby, line);
        };
    }
    void TearDown() override {
        commands.reset();
        ThreeUsersTest::TearDown();
    }

    TClient& Client() const { return *Session().Client; }
    // The six lines of the newest status in the current room.
    std::vector<std::string> Status() const {
        std::vector<std::string> lines = Lines(CurrentRoomId());
        for (size_t i = lines.size(); i-- > 0;)
            if (lines[i].starts_with("Sysop: Bytessent to server: "))
                return std::vector<std::string>(lines.begin() + static_cast<std::ptrdiff_t>(i), lines.end());
        return {};
    }
    // The server's counts of Eva's streams: frame bytes received from her,
    // bytes written to her.
    std::pair<uint64_t, uint64_t> ServerCounts() {
        std::pair<uint64_t, uint64_t> counts{0, 0};
        const auto id = static_cast<uint32_t>(Client().SessionId());
        EXPECT_TRUE(m_server.OnServerThread([&](server::Server& s) {
            if (server::Session* eva = s.FindSession(id))
                counts = {eva->Stream().Received(), eva->Stream().Written()};
        }));
        return counts;
    }
    std::vector<std::string> Expected(uint64_t serverReceived, uint64_t serverWritten, size_t unread, size_t unsent,
                                      int reconnects) const {
        // Her count of sent bytes includes her opening byte, which the
        // server's count of frame bytes leaves out.
        return {"Sysop: Bytessent to server: " + std::to_string(serverReceived + 1),
                "Bytesread from server: " + std::to_string(serverWritten),
                "Bytes not read server: " + std::to_string(unread),
                "Bytes not sent server: " + std::to_string(unsent),
                "IP and port: 127.0.0.1:" + std::to_string(m_server.Port()),
                "Reconnections: " + std::to_string(reconnects)};
    }

    std::unique_ptr<TChatcommands> commands;
};

TEST_F(NetstatusTest, TheSixFiguresAreTheLiveConnections) {
    // A settled line: nothing waits either way.
    Enter("/netstatus");
    EXPECT_TRUE(sent.empty());
    ASSERT_TRUE(Sync(*bo));
    auto [received, written] = ServerCounts();
    EXPECT_GT(received, 0u);
    EXPECT_GT(written, 100u);  // the welcome alone is more
    EXPECT_EQ(Status(), Expected(received, written, 0, 0, 0));

    // The line is cut and resumed.
    Enter("/hangup");
    EXPECT_TRUE(sent.empty());
    ASSERT_TRUE(Until([&] {
        return Client().ReconnectCount() == 1 && !Client().Reconnecting() && !Client().AwaitingResume() &&
               Client().SocketOpen();
    }));

    // Bo's next line must not make her owe an acknowledgement, which would
    // wait with her own line: fillers carry her past the next thousand.
    while (Client().UnackedReceived() + 100 >= 1000) {
        const size_t shown = Lines(kLobby).size();
        bo->Say(kLobby, std::string(100, 'f'));
        ASSERT_TRUE(Until([&] { return Lines(kLobby).size() > shown && Client().PendingSend() == 0; }));
    }

    // A box from the server holds Eva's message loop: Bo's line arrives
    // and waits unread, and a line of hers waits for the send delay.
    const std::string queued = ChatFrom(kLobby, "Bo", "queued");
    const std::string held = Build(protocol::TSay{kLobby, "held"});
    std::vector<std::string> status;
    uint64_t boxReceived = 0, boxWritten = 0;
    auto fallback = boxes.onBox;
    boxes.onBox = [&](const nettest::TBoxCall& call) {
        if (call.text != "Hold on") return fallback(call);
        bo->Say(kLobby, "queued");
        Until([&] { return Client().PendingReceive() >= static_cast<int64_t>(FrameSize(queued)); });
        std::tie(boxReceived, boxWritten) = ServerCounts();
        SendToServer(held);
        commands->Execute(Lobby(), "/netstatus");
        status = Status();
        return 0;
    };
    ASSERT_TRUE(m_server.OnServerThread(
        [](server::Server& s) { s.GetZone().SendMessage("Eva", Build(protocol::TServerBox{"Hold on", "Sysop"})); }));
    ASSERT_TRUE(Until([&] { return !status.empty() && HasLine(kLobby, "Bo: queued"); }));
    EXPECT_EQ(status, Expected(boxReceived, boxWritten, FrameSize(queued), FrameSize(held), 1));

    // Once the box is gone the queued line is shown and the held one sent.
    ASSERT_TRUE(Until([&] { return HasLine(kLobby, "Eva: held") && Client().PendingSend() == 0; }));
    ASSERT_TRUE(Sync(*bo));
    std::tie(received, written) = ServerCounts();
    Enter("/netstatus");
    EXPECT_EQ(Status(), Expected(received, written, 0, 0, 1));
}

}  // namespace
}  // namespace e2etest
