// A client that only listens to a busy room is never cut off: its
// acknowledgements leave within the send delay, so what the server holds
// for it stays far below the server's limit (1 MiB) however much it takes
// in, here 20 MB of chat from a wire user talking in the same room.
#include <gtest/gtest.h>

#include "HeadlessClient.h"
#include "ServerThread.h"
#include "ThreeUsersFixture.h"

namespace e2etest {
namespace {

class ListeningClientTest : public HeadlessTest {
protected:
    void TearDown() override {
        m_server.Stop();
        HeadlessTest::TearDown();
    }
    TServerThread m_server;
};

TEST_F(ListeningClientTest, AClientThatOnlyListensTo20MBOfChatStaysConnected) {
    constexpr int kRoom = 1;
    constexpr size_t kTextBytes = 3000;
    constexpr size_t kTotalBytes = 20u << 20;
    constexpr size_t kLines = kTotalBytes / kTextBytes + 1;
    server::ZoneConfig& zone = m_server.Config().zone;
    zone.rooms = {{2, 0, "Public", "Lobby"}};
    zone.chatLineBytes = 4000;
    zone.chatBurst = 100000000;  // the server's clock stands still
    std::string error;
    ASSERT_TRUE(m_server.Start(nullptr, error)) << error;

    TWireUser talker("Talker", m_server.Port());
    TWireUser listener("Listener", m_server.Port());
    TClient& ear = listener.Line().client;
    // As the program sets its connection.
    talker.Line().client.SetSendDelay(100);
    ear.SetSendDelay(100);
    auto until = [&](const std::function<bool()>& done) { return StepUntil(ear, done); };
    ASSERT_TRUE(talker.LogOn(true, until));
    ASSERT_TRUE(listener.LogOn(true, until));

    // One line per virtual millisecond (3 MB a second, far more than any
    // room), and never more than a few dozen lines ahead of the listener.
    const std::string text(kTextBytes, 'w');
    const std::string line = ChatFrom(kRoom, "Talker", text);
    const uint64_t sentBefore = ear.BytesSent();
    const uint64_t receivedBefore = ear.BytesReceived();
    size_t said = 0, heard = 0;
    for (int step = 0; heard < kLines && step < 200000; ++step) {
        if (said < kLines && said - heard < 64) {
            talker.Say(kRoom, text);
            ++said;
        }
        Step(ear);
        for (const std::string& m : listener.Line().messages) heard += m == line ? 1 : 0;
        listener.Line().messages.clear();
        talker.Line().messages.clear();
        ASSERT_EQ(listener.Line().disconnects, 0) << "after " << heard << " lines";
    }
    EXPECT_EQ(heard, kLines);
    EXPECT_GT(ear.BytesReceived(), kTotalBytes);
    EXPECT_EQ(ear.ReconnectCount(), 0);
    EXPECT_TRUE(listener.Line().errors.empty());
    // All it sends after its logon are acknowledgements, one per 1000 bytes,
    // and none waits longer than the send delay.
    for (int step = 0; step < 150; ++step) Step(ear);
    EXPECT_EQ(ear.PendingSend(), 0);
    EXPECT_GE(ear.BytesSent() - sentBefore, (ear.BytesReceived() - receivedBefore) / 1000);
    for (const std::string& entry : m_server.Log())
        EXPECT_EQ(entry.find("does not take its data"), std::string::npos) << entry;
}

}  // namespace
}  // namespace e2etest
