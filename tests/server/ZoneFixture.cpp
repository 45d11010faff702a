#include "ZoneFixture.h"

namespace servertest {

std::string Word(uint16_t value) {
    return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
}

std::string ChatFrom(uint16_t room, const std::string& alias, const std::string& text, int nameColour) {
    return Build(protocol::TChatLine{room, nameColour, 1, alias + ": " + text});
}

std::string RoomUserMessage(uint16_t room, int icon, const std::string& alias) {
    return Build(protocol::TUserPresent{room, icon, alias});
}

std::unique_ptr<ModelClient> ZoneTest::EnterKeepingWelcome(const std::string& alias) {
    auto client = NewClient();
    bool known = m_registered[alias];
    std::string answer = LogOn(*client, known ? LogonMessage(alias, "pw") : RegistrationMessage(alias, "pw"));
    EXPECT_EQ(answer[0], '\x01') << alias;
    m_registered[alias] = true;
    return client;
}

std::unique_ptr<ModelClient> ZoneTest::Enter(const std::string& alias) {
    auto client = EnterKeepingWelcome(alias);
    // The welcome ends with the users; the client's own entry is among them.
    EXPECT_TRUE(client->PumpUntil([&] {
        protocol::TUserPresent present;
        for (const std::string& m : client->Messages())
            if (protocol::Parse(m, present) && present.Name == alias) return true;
        return false;
    })) << alias;
    client->Settle();
    client->Messages().clear();
    return client;
}

bool ZoneTest::Receive(ModelClient& client, const std::string& m) {
    auto& q = client.Messages();
    bool got = client.PumpUntil([&] {
        for (const std::string& x : q)
            if (x == m) return true;
        return false;
    });
    if (!got) return false;
    while (q.front() != m) q.pop_front();
    q.pop_front();
    return true;
}

bool ZoneTest::NothingWithCode(ModelClient& client, uint8_t code) {
    client.Settle();
    for (const std::string& m : client.Messages())
        if (static_cast<uint8_t>(m[0]) == code) return false;
    return true;
}

void ZoneTest::LogOff(std::unique_ptr<ModelClient>& client) {
    size_t before = m_server->SessionCount();
    client->SendGoodbye();
    client->PumpUntil([&] { return m_server->SessionCount() < before; });
    client.reset();
}

}  // namespace servertest
