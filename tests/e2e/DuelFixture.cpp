#include "DuelFixture.h"

#include "platform/headless/Headless.h"
#include "tables/GameTables.h"

namespace e2etest {

void DuelTest::SetUp() {
    HeadlessTest::SetUp();
    server::ZoneConfig& zone = m_server.Config().zone;
    zone.rooms = {{2, 0, "Public", "Lobby"}, {2, 0, "Public", "Games"}};
    std::string error;
    ASSERT_TRUE(m_server.Start(nullptr, error)) << error;
    auto until = [this](const std::function<bool()>& done) { return Until(done); };
    ann = std::make_unique<TWireUser>("Ann", m_server.Port());
    ASSERT_TRUE(ann->LogOn(true, until));
    ben = std::make_unique<TWireUser>("Ben", m_server.Port());
    ASSERT_TRUE(ben->LogOn(true, until));
    m_annRead = ann->Line().messages.size();
    m_benRead = ben->Line().messages.size();
}

void DuelTest::TearDown() {
    ben.reset();
    ann.reset();
    m_server.Stop();
    HeadlessTest::TearDown();
}

// Both connections share the headless backend, so one step moves both.
void DuelTest::StepWorld() {
    platform::headless::Loop().AdvanceMs(1);
    bool tasksReady = false;
    static_cast<platform::headless::TIo&>(platform::Io()).Poll(2, &tasksReady);
    platform::headless::Loop().Queue().Drain();
}

bool DuelTest::Until(const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit && !done(); ++i) StepWorld();
    return done();
}

bool DuelTest::Sync(TWireUser& user) {
    const std::string ping = "\x1E";
    const size_t before = user.CountStarting(ping);
    user.Send(ping);
    return Until([&] { return user.CountStarting(ping) > before; });
}

bool DuelTest::StartMatch(int kind, const std::string& setting, uint32_t& seed) {
    ann->Send(protocol::Build(protocol::TCreateTable{kind, setting}));
    if (!Sync(*ann)) {
        ADD_FAILURE() << "no answer to the ping";
        return false;
    }
    ben->Send(protocol::Build(protocol::TAskToJoin{kind, "Ann"}));
    if (!Until([&] { return !All<protocol::TJoinRequest>(*ann).empty(); })) {
        ADD_FAILURE() << "no join request";
        return false;
    }
    ann->Send(protocol::Build(protocol::TStartTable{kind, {"Ben"}}));
    if (!Until([&] {
            return !All<protocol::TGameStartMessage>(*ann).empty() && !All<protocol::TGameStartMessage>(*ben).empty();
        })) {
        ADD_FAILURE() << "no start";
        return false;
    }
    const protocol::TGameStartMessage annStart = All<protocol::TGameStartMessage>(*ann).back();
    const protocol::TGameStartMessage benStart = All<protocol::TGameStartMessage>(*ben).back();
    const auto* annSetup = std::get_if<rules::TDuelSetup>(&annStart.Setup);
    const auto* benSetup = std::get_if<rules::TDuelSetup>(&benStart.Setup);
    if (!annSetup || !benSetup || annSetup->Seed != benSetup->Seed || annSetup->Opponent != "Ben" ||
        benSetup->Opponent != "Ann") {
        ADD_FAILURE() << "the start messages do not agree";
        return false;
    }
    seed = annSetup->Seed;
    return true;
}

std::vector<std::string> DuelTest::TakeNew(TWireUser& user) {
    size_t& read = &user == ann.get() ? m_annRead : m_benRead;
    const std::vector<std::string>& messages = user.Line().messages;
    std::vector<std::string> fresh(messages.begin() + static_cast<std::ptrdiff_t>(read), messages.end());
    read = messages.size();
    return fresh;
}

std::vector<std::string> DuelTest::TakePayloads(TWireUser& user) {
    std::vector<std::string> payloads;
    for (const std::string& message : TakeNew(user)) {
        protocol::TGameData data;
        if (message.empty() || uint8_t(message[0]) != uint8_t(protocol::TGameData::kCode) ||
            !protocol::Parse(message, data) || data.Payload.empty())
            continue;
        payloads.push_back(data.Payload);
    }
    return payloads;
}

void DuelTest::Settle(const TAnswer& answer) {
    for (int round = 0; round < 100; ++round) {
        const size_t before = m_payloadsSent;
        ASSERT_TRUE(Sync(*ann));
        ASSERT_TRUE(Sync(*ben));
        ASSERT_TRUE(Sync(*ann));
        answer(*ann, TakePayloads(*ann));
        answer(*ben, TakePayloads(*ben));
        if (m_payloadsSent == before) return;
    }
    FAIL() << "the payloads never came to rest";
}

void DuelTest::ExpectMatchRecorded(TWireUser& winner, TWireUser& loser, int kind) {
    ASSERT_TRUE(Until([&] {
        return All<protocol::TGameResult>(winner).size() == 1 && All<protocol::TGameResult>(loser).size() == 1 &&
               !All<protocol::TRatingChange>(winner).empty();
    }));
    EXPECT_EQ(All<protocol::TGameResult>(winner).back().Result, protocol::TGameResult::kResultWon);
    EXPECT_NE(All<protocol::TGameResult>(loser).back().Result, protocol::TGameResult::kResultWon);
    const protocol::TGameStatistics won = Statistics(winner.Alias(), kind);
    const protocol::TGameStatistics lost = Statistics(loser.Alias(), kind);
    EXPECT_EQ(won.Won, 1);
    EXPECT_EQ(won.Lost, 0);
    EXPECT_EQ(lost.Lost, 1);
    EXPECT_EQ(lost.Won, 0);
    EXPECT_EQ(lost.Dropped, 0);
}

void DuelTest::WithReferee(const std::string& alias, const std::function<void(const server::Referee*)>& look) {
    ASSERT_TRUE(m_server.OnServerThread(
        [&](server::Server& server) { look(server.GetZone().Tables().RefereeOf(alias)); }));
}

protocol::TGameStatistics DuelTest::Statistics(const std::string& alias, int kind) {
    const size_t before = All<protocol::TUserInfo>(*ann).size();
    ann->Send(protocol::Build(protocol::TInfoRequest{alias}));
    if (!Until([&] { return All<protocol::TUserInfo>(*ann).size() > before; })) return {};
    return All<protocol::TUserInfo>(*ann).back().Games[static_cast<size_t>(kind - 1)];
}

}  // namespace e2etest
