// A GameTables on a real account store in a temporary folder, with a manual
// clock, fixed seeds and an event sink that writes every event as one line
// of text, so tests read like the conversation they check.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "AccountStore.h"
#include "Clock.h"
#include "tables/GameTables.h"

namespace servertest {

// A payload or message written as its bytes.
inline std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
}

class RecordingEvents : public server::TableEvents {
public:
    std::vector<std::string> lines;
    std::vector<std::pair<std::string, server::SeatSetup>> setups;
    // Every game payload as sent, beside its line.
    std::vector<std::pair<std::string, std::string>> payloads;

    // The lines since the last call, which are then forgotten.
    std::vector<std::string> Take();

    void TableOpened(rules::TGameKind kind, const std::string& creator, int64_t rating,
                     const std::string& text) override;
    void TableClosed(rules::TGameKind kind, const std::string& creator) override;
    void JoinRequested(rules::TGameKind kind, const std::string& creator, const std::string& joiner,
                       int64_t rating) override;
    void Refused(const std::string& alias, server::TableRefusal reason, const std::string& name) override;
    void GameSetUp(const std::string& alias, rules::TGameKind kind, const server::SeatSetup& setup) override;
    void GameStarted(rules::TGameKind kind, const std::vector<server::Seat>& seats) override;
    void PlayingChanged(const std::string& alias, int kind) override;
    void GamePayload(const std::string& alias, std::string_view payload) override;
    void GameEnded(rules::TGameKind kind, const std::string& alias) override;
    void MatchResult(const std::string& alias, const server::MatchResultLine& line) override;
    void RatingChanged(const std::string& alias, rules::TGameKind kind, int64_t oldHundredths,
                       int64_t newHundredths) override;
};

// The preview messages as delivered, each with its watcher.
class RecordingPreviews : public server::PreviewOutlet {
public:
    struct TDelivery {
        std::string alias, message;
    };
    std::vector<TDelivery> deliveries;

    // The watcher's messages since the last call, which are then forgotten.
    std::vector<std::string> Take(const std::string& alias);
    void ToWatcher(const std::string& alias, std::string_view message) override {
        deliveries.push_back({alias, std::string(message)});
    }
};

class GameTablesTest : public ::testing::Test {
protected:
    static constexpr uint32_t kSeed = 0x80000007u;  // top bit set: the creator plays white

    void SetUp() override;
    void TearDown() override;

    // The logged-on players eva, bob, cid, dan and eli, with accounts.
    const server::Player& P(const std::string& alias) { return m_players.at(alias); }
    server::GameStanding Standing(const std::string& alias, int kind);
    // eva's table of the kind, asked for by the others, started with them.
    void StartWith(int kind, const std::string& setting, const std::vector<std::string>& joiners);

    std::string m_folder;
    server::AccountStore m_store;
    server::ManualClock m_clock;
    RecordingEvents m_events;
    RecordingPreviews m_previews;
    std::unique_ptr<server::GameTables> m_tables;
    std::map<std::string, server::Player> m_players;
};

}  // namespace servertest
