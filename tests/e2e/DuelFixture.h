// Two users play a two-player game on the real server, in one process:
// "Ann" opens a table, "Ben" asks to join, Ann starts it. Both are wire
// users (bare connections speaking the protocol library's messages); each
// test plays their game windows' parts with the rules library, sending the
// payloads a window sends and answering the ones it receives.
//
// The referee of the running game is reached on the server's own thread,
// through the zone's tables, so a test can compare what it keeps with what
// the players hold.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "HeadlessClient.h"
#include "ServerThread.h"
#include "ThreeUsersFixture.h"
#include "WireTables.h"
#include "protocol/Messages.h"
#include "referees/Referee.h"

namespace e2etest {

class DuelTest : public HeadlessTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // One step of both connections and of virtual time.
    void StepWorld();
    bool Until(const std::function<bool()>& done, int limit = 20000);
    // A ping and its answer: everything the zone sent the user before it has
    // arrived, and everything the user sent before it has been handled.
    bool Sync(TWireUser& user);

    // Ann opens a table of the kind with the setting (the match length),
    // Ben asks, Ann starts. The game's seed as both start messages carry it
    // (they must agree); false when the start does not arrive.
    bool StartMatch(int kind, const std::string& setting, uint32_t& seed);

    // The messages the user received since the last call.
    std::vector<std::string> TakeNew(TWireUser& user);
    // The game payloads (not empty) among them.
    std::vector<std::string> TakePayloads(TWireUser& user);
    void SendPayload(TWireUser& user, int kind, const std::string& payload) {
        user.Send(protocol::Build(protocol::TGamePayload{kind, payload}));
        ++m_payloadsSent;
    }

    // Until nothing moves: every payload either side sent has been handled
    // by the referee, and everything it sent has been answered. Each round
    // syncs both users and hands each one's new payloads to answer, which
    // replies through SendPayload; a round without a reply ends it.
    using TAnswer = std::function<void(TWireUser& user, const std::vector<std::string>& payloads)>;
    void Settle(const TAnswer& answer);

    // Runs look on the server's thread with the referee of the game the
    // alias plays in (null when there is none).
    void WithReferee(const std::string& alias, const std::function<void(const server::Referee*)>& look);

    // Messages of a code the user got, parsed.
    template <class TMessage>
    std::vector<TMessage> All(TWireUser& user) { return AllOf<TMessage>(user); }
    // The user's statistics in the kind (1..4) as Ann's info request shows them.
    protocol::TGameStatistics Statistics(const std::string& alias, int kind);
    // The zone's record of a one-match run the winner won: a result each
    // (won only for the winner), the winner's rating change, and the
    // statistics of the kind (one won, one lost, none dropped).
    void ExpectMatchRecorded(TWireUser& winner, TWireUser& loser, int kind);

    TServerThread m_server;
    std::unique_ptr<TWireUser> ann, ben;

private:
    size_t m_annRead = 0, m_benRead = 0;
    size_t m_payloadsSent = 0;
};

}  // namespace e2etest
