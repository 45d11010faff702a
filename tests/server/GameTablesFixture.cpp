#include "GameTablesFixture.h"

#include "ServerFixture.h"

namespace servertest {
namespace {

int K(rules::TGameKind kind) { return rules::KindNumber(kind); }

}  // namespace

std::vector<std::string> RecordingPreviews::Take(const std::string& alias) {
    std::vector<std::string> taken;
    std::erase_if(deliveries, [&](TDelivery& d) {
        if (d.alias != alias) return false;
        taken.push_back(std::move(d.message));
        return true;
    });
    return taken;
}

std::vector<std::string> RecordingEvents::Take() {
    std::vector<std::string> taken;
    taken.swap(lines);
    return taken;
}

void RecordingEvents::TableOpened(rules::TGameKind kind, const std::string& creator, int64_t rating,
                                  const std::string& text) {
    lines.push_back("opened " + std::to_string(K(kind)) + " " + creator + " " + std::to_string(rating) + " " + text);
}

void RecordingEvents::TableClosed(rules::TGameKind kind, const std::string& creator) {
    lines.push_back("closed " + std::to_string(K(kind)) + " " + creator);
}

void RecordingEvents::JoinRequested(rules::TGameKind kind, const std::string& creator, const std::string& joiner,
                                    int64_t rating) {
    lines.push_back("join " + std::to_string(K(kind)) + " " + creator + " <- " + joiner + " " +
                    std::to_string(rating));
}

void RecordingEvents::Refused(const std::string& alias, server::TableRefusal reason, const std::string& name) {
    lines.push_back("refused " + alias + ": " + server::RefusalText(reason, name));
}

void RecordingEvents::GameSetUp(const std::string& alias, rules::TGameKind kind, const server::SeatSetup& setup) {
    lines.push_back("setup " + std::to_string(K(kind)) + " " + alias);
    setups.emplace_back(alias, setup);
}

void RecordingEvents::GameStarted(rules::TGameKind kind, const std::vector<server::Seat>& seats) {
    std::string line = "started " + std::to_string(K(kind));
    for (const server::Seat& s : seats) line += " " + s.alias + ":" + std::to_string(s.rating);
    lines.push_back(line);
}

void RecordingEvents::PlayingChanged(const std::string& alias, int kind) {
    lines.push_back("playing " + alias + " " + std::to_string(kind));
}

void RecordingEvents::GamePayload(const std::string& alias, std::string_view payload) {
    std::string shown;
    for (char c : payload) shown += c >= 32 && c < 127 ? std::string(1, c) : "\\" + std::to_string(uint8_t(c));
    lines.push_back("payload " + alias + " " + shown);
    payloads.emplace_back(alias, std::string(payload));
}

void RecordingEvents::GameEnded(rules::TGameKind kind, const std::string& alias) {
    lines.push_back("ended " + std::to_string(K(kind)) + " " + alias);
}

void RecordingEvents::MatchResult(const std::string& alias, const server::MatchResultLine& line) {
    lines.push_back("result " + alias + (line.won ? " won " : " lost ") + std::to_string(line.points));
}

void RecordingEvents::RatingChanged(const std::string& alias, rules::TGameKind kind, int64_t oldHundredths,
                                    int64_t newHundredths) {
    lines.push_back("rating " + alias + " " + std::to_string(K(kind)) + " " + std::to_string(oldHundredths) + " " +
                    std::to_string(newHundredths));
}

void GameTablesTest::SetUp() {
    m_folder = MakeTempFolder();
    std::string error;
    ASSERT_TRUE(m_store.Open(m_folder + "accounts.db", error)) << error;
    for (const char* alias : {"eva", "bob", "cid", "dan", "eli"}) {
        server::Account a;
        a.alias = alias;
        a.passwordHash = "h";
        ASSERT_EQ(m_store.Create(a), server::AccountStore::Result::Ok);
        m_players[alias] = server::Player{a.id, alias};
    }
    m_tables = std::make_unique<server::GameTables>(m_events, m_previews, m_store, m_clock, [] { return kSeed; });
}

void GameTablesTest::TearDown() {
    m_tables.reset();
    m_store.Close();
    RemoveFolder(m_folder);
}

server::GameStanding GameTablesTest::Standing(const std::string& alias, int kind) {
    server::GameStanding g;
    EXPECT_TRUE(m_store.Standing(P(alias).accountId, kind, g));
    return g;
}

void GameTablesTest::StartWith(int kind, const std::string& setting, const std::vector<std::string>& joiners) {
    m_tables->OpenTable(P("eva"), kind, setting);
    for (const std::string& j : joiners) m_tables->AskToJoin(P(j), kind, "eva");
    m_tables->StartGame(P("eva"), kind, joiners);
}

}  // namespace servertest
