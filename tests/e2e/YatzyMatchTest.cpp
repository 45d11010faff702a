// Yatzy on the real server, start to end: three wire users open, ask for
// and start a table from the lobby's messages, then play whole rounds with
// players that send exactly what the window sends. Each player keeps its
// own copy of the table (the rules' TTableState, from the seed of its start
// message) and replays into it only what the server relays, so every relay
// must carry what a window needs to show the same faces and sheets. One
// player leaves in the second round; the others play the match to its end,
// and the results and statistics count it. A forged row forfeits.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

#include "WireTables.h"
#include "rules/yatzy/Payload.h"
#include "rules/yatzy/TableState.h"

namespace e2etest {
namespace {

namespace yz = rules::yatzy;
constexpr int kYatzy = 4;

// One seat of the table, played by the rules over a wire user's line.
class TYatzyPlayer {
public:
    explicit TYatzyPlayer(TWireUser& user) : m_user(user) {}

    TWireUser& User() { return m_user; }
    const std::optional<yz::TTableState>& Table() const { return m_table; }
    int Seat() const { return m_seat; }
    bool Closed() const { return m_closed; }
    bool Left() const { return m_left; }
    const std::vector<int>& RoundWinners() const { return m_roundWinners; }
    const std::vector<int>& Dropped() const { return m_dropped; }
    // Every problem met while reading or playing; empty while all is well.
    const std::vector<std::string>& Faults() const { return m_faults; }
    // The own table is over and the server has announced every round's
    // winner that it knows of.
    bool SawTheEnd() const {
        return m_table && m_table->Phase() == yz::TPhase::Over && m_roundWinners.size() >= m_expectedWinners.size();
    }
    // The server has given this player the turn, and it has not played it.
    bool TurnDue() const { return m_turnDue && !m_left && !m_closed; }

    // Reads what arrived since the last call.
    void Read() {
        const std::vector<std::string>& messages = m_user.Line().messages;
        for (; m_read < messages.size(); ++m_read) ReadMessage(messages[m_read]);
    }

    void Send(const yz::TClientMessage& message) {
        if (m_table) {
            Expect(m_table->Apply(m_seat, message), "own payload");
        }
        m_user.Send(GamePayload(kYatzy, yz::BuildPayload(message)));
    }
    void SendRaw(const std::string& payload) { m_user.Send(GamePayload(kYatzy, payload)); }

    void Leave() {
        m_left = true;
        m_user.Send(GamePayload(kYatzy, yz::BuildPayload(yz::TLeave{})));
    }

    // A whole turn: up to three rolls keeping the dice of the commonest
    // face, then the row that pays most (the first free one when none pays).
    void PlayTurn() {
        m_turnDue = false;
        RollOnce();
        for (int roll = 2; roll <= yz::kMaxRolls; ++roll) {
            if (!HoldCommonest()) break;
            RollOnce();
        }
        const yz::TSheet& sheet = m_table->Sheet(m_seat);
        const yz::TFaces& faces = m_table->Dice().Faces();
        int best = 0, bestPoints = -1;
        for (int row = yz::kFirstRow; row <= yz::kRowCount; ++row)
            if (sheet.CanChoose(row) && yz::RowPoints(row, faces) > bestPoints) {
                best = row;
                bestPoints = yz::RowPoints(row, faces);
            }
        for (const yz::TRowWrite& write : yz::ChoiceWrites(sheet, best, faces)) Send(yz::TScore{write.Row, write.Points});
    }

private:
    void Fault(const std::string& text) { m_faults.push_back(m_user.Alias() + ": " + text); }

    void RollOnce() {
        Send(yz::TRoll{});
        for (int die : std::vector<int>(m_table->DiceToRoll())) Send(yz::TRollDie{die});
    }

    // Holds the dice showing the commonest face and releases the others;
    // false when there is nothing left to roll for (a yatzy).
    bool HoldCommonest() {
        const yz::TDiceCup& dice = m_table->Dice();
        const yz::TFaceCounts counts = yz::CountFaces(dice.Faces());
        int face = 1;
        for (int f = 1; f <= yz::kFaceCount; ++f)
            if (counts[static_cast<size_t>(f - 1)] >= counts[static_cast<size_t>(face - 1)]) face = f;
        if (counts[static_cast<size_t>(face - 1)] == yz::kDiceCount) return false;
        for (int die = 1; die <= yz::kDiceCount; ++die) {
            const bool hold = dice.Face(die) == face;
            if (dice.IsHeld(die) != hold) Send(yz::THold{die, hold});
        }
        return true;
    }

    void ReadMessage(const std::string& message) {
        if (message.empty()) return;
        const uint8_t code = uint8_t(message[0]);
        if (code == uint8_t(protocol::TGameStartMessage::kCode)) {
            protocol::TGameStartMessage start;
            if (!protocol::Parse(message, start) || !std::holds_alternative<rules::TYatzySetup>(start.Setup))
                return Fault("unreadable start");
            const rules::TYatzySetup& setup = std::get<rules::TYatzySetup>(start.Setup);
            m_table = yz::TTableState::Create(setup);
            m_seat = setup.OwnSeat;
            if (!m_table) return Fault("start out of range");
            Send(yz::TReady{});
        } else if (code == uint8_t(protocol::TGameData::kCode)) {
            protocol::TGameData data;
            if (!protocol::Parse(message, data)) return Fault("unreadable game data");
            const yz::TParsed<yz::TServerMessage> parsed = yz::ParseServerPayload(data.Payload);
            if (!parsed) return Fault("unreadable payload: " + parsed.Detail);
            if (m_table) std::visit([this](const auto& m) { Replay(m); }, *parsed.Value);
        }
    }

    // What the others did, replayed into the own table; each must be what
    // the rules accept.
    void Expect(const yz::TOutcome& outcome, const char* what) {
        if (outcome.Verdict != yz::TVerdict::Accept) Fault(std::string(what) + " not accepted: " + outcome.Reason);
        if (outcome.RoundWinner) m_expectedWinners.push_back(outcome.RoundWinner);
    }
    void Replay(const yz::TBegin&) {
        for (int seat = 1; seat <= m_table->PlayerCount(); ++seat)
            if (seat != m_seat) m_table->Apply(seat, yz::TReady{});
    }
    void Replay(const yz::TTurn& turn) {
        if (turn.Seat != m_table->CurrentSeat()) Fault("turn for an unexpected seat");
        if (turn.Seat == m_seat) m_turnDue = true;
    }
    void Replay(const yz::TRolled&) { Expect(m_table->Apply(m_table->CurrentSeat(), yz::TRoll{}), "roll"); }
    void Replay(const yz::TDieRolled& die) {
        Expect(m_table->Apply(m_table->CurrentSeat(), yz::TRollDie{die.Die}), "die");
    }
    void Replay(const yz::TDieHeld& held) {
        Expect(m_table->Apply(m_table->CurrentSeat(), yz::THold{held.Die, held.Held}), "hold");
    }
    void Replay(const yz::TRowWritten& row) {
        Expect(m_table->Apply(m_table->CurrentSeat(), yz::TScore{row.Row, row.Points}), "row");
    }
    void Replay(const yz::TRoundWon& won) {
        m_roundWinners.push_back(won.Seat);
        if (m_expectedWinners.size() < m_roundWinners.size() ||
            m_expectedWinners[m_roundWinners.size() - 1] != won.Seat)
            Fault("round winner differs from the own table's");
    }
    void Replay(const yz::TDroppedOut& out) {
        m_dropped.push_back(out.Seat);
        Expect(m_table->Leave(out.Seat), "drop-out");
    }
    void Replay(const yz::TClose&) { m_closed = true; }
    template <class TOther>
    void Replay(const TOther&) {}

    TWireUser& m_user;
    size_t m_read = 0;
    std::optional<yz::TTableState> m_table;
    int m_seat = 0;
    bool m_turnDue = false, m_closed = false, m_left = false;
    std::vector<int> m_roundWinners, m_expectedWinners, m_dropped;
    std::vector<std::string> m_faults;
};

class YatzyMatchTest : public ThreeUsersTest {
protected:
    void SetUp() override {
        ThreeUsersTest::SetUp();
        if (HasFatalFailure()) return;
        di = std::make_unique<TWireUser>("Di", m_server.Port());
        ASSERT_TRUE(di->LogOn(true, Waiter()));
    }
    void TearDown() override {
        di.reset();
        ThreeUsersTest::TearDown();
    }

    // Bo opens a table of the length; the joiners ask and Bo starts it.
    void StartMatch(const std::string& length, const std::vector<TWireUser*>& joiners) {
        bo->Send(OpenTable(kYatzy, length));
        std::vector<std::string> names;
        for (TWireUser* joiner : joiners) {
            ASSERT_TRUE(Sync(*bo));
            joiner->Send(AskTable(kYatzy, "Bo"));
            names.push_back(joiner->Alias());
        }
        ASSERT_TRUE(Until([&] { return AllOf<protocol::TJoinRequest>(*bo).size() == joiners.size(); }));
        bo->Send(StartTable(kYatzy, names));
        players.push_back(std::make_unique<TYatzyPlayer>(*bo));
        for (TWireUser* joiner : joiners) players.push_back(std::make_unique<TYatzyPlayer>(*joiner));
        ASSERT_TRUE(Until([&] {
            ReadAll();
            return std::all_of(players.begin(), players.end(), [](const auto& p) { return p->Table().has_value(); });
        }));
    }

    void ReadAll() {
        for (auto& player : players) player->Read();
    }
    TYatzyPlayer* Due() {
        for (auto& player : players)
            if (player->TurnDue()) return player.get();
        return nullptr;
    }
    bool AllDone() {
        for (auto& player : players)
            if (!player->Left() && !player->Closed() && !player->SawTheEnd()) return false;
        return true;
    }
    // Plays turns until the match ends; before each turn, leaving(player)
    // may make the player leave instead. False when the match stalls.
    bool PlayToTheEnd(const std::function<bool(TYatzyPlayer&)>& leaving) {
        for (int turns = 0; turns < 2000; ++turns) {
            TYatzyPlayer* due = nullptr;
            if (!Until([&] {
                    ReadAll();
                    due = Due();
                    return due != nullptr || AllDone();
                }))
                return false;
            if (!due) return true;
            if (leaving(*due))
                due->Leave();
            else
                due->PlayTurn();
        }
        return false;
    }
    std::vector<std::string> Faults() {
        std::vector<std::string> all;
        for (auto& player : players) all.insert(all.end(), player->Faults().begin(), player->Faults().end());
        return all;
    }
    protocol::TGameStatistics Statistics(const std::string& name) {
        const size_t before = AllOf<protocol::TUserInfo>(*cy).size();
        cy->Send(protocol::Build(protocol::TInfoRequest{name}));
        EXPECT_TRUE(Until([&] { return AllOf<protocol::TUserInfo>(*cy).size() > before; }));
        const std::vector<protocol::TUserInfo> infos = AllOf<protocol::TUserInfo>(*cy);
        return infos.empty() ? protocol::TGameStatistics{} : infos.back().Games[kYatzy - 1];
    }

    std::unique_ptr<TWireUser> di;
    std::vector<std::unique_ptr<TYatzyPlayer>> players;
};

TEST_F(YatzyMatchTest, ThreePlayAMatchOfTwoWhileOneLeavesInTheSecondRound) {
    StartMatch("2", {cy.get(), di.get()});
    ASSERT_FALSE(HasFatalFailure());
    TYatzyPlayer& boSeat = *players[0];
    TYatzyPlayer& diSeat = *players[2];
    EXPECT_EQ(boSeat.Seat(), 1);
    EXPECT_EQ(diSeat.Seat(), 3);

    // Di leaves at her first turn of the second round.
    ASSERT_TRUE(PlayToTheEnd([](TYatzyPlayer& p) {
        return p.User().Alias() == "Di" && p.Table()->Round() == 2;
    })) << "the match stalled";
    EXPECT_EQ(Faults(), std::vector<std::string>{});

    // Everyone saw the same rounds end; the others learned of Di's seat
    // (3, counted from 1 here) and played on to the match's end.
    ASSERT_GE(boSeat.RoundWinners().size(), 2u);
    EXPECT_EQ(players[1]->RoundWinners(), boSeat.RoundWinners());
    EXPECT_EQ(diSeat.RoundWinners().size(), 1u);
    EXPECT_EQ(boSeat.Dropped(), std::vector<int>{3});
    EXPECT_EQ(players[1]->Dropped(), std::vector<int>{3});
    const yz::TTableState& table = *boSeat.Table();
    EXPECT_EQ(table.Phase(), yz::TPhase::Over);
    const int winner = table.RoundsWon(1) == 2 ? 1 : 2;
    ASSERT_EQ(table.RoundsWon(winner), 2);
    EXPECT_LT(table.RoundsWon(3 - winner), 2);
    TWireUser& won = winner == 1 ? *bo : *cy;
    TWireUser& lost = winner == 1 ? *cy : *bo;

    // Results: the winner won, the other lost; the statistics count it.
    ASSERT_TRUE(Until([&] {
        return AllOf<protocol::TGameResult>(won).size() == 1 && AllOf<protocol::TGameResult>(lost).size() == 1 &&
               AllOf<protocol::TRatingChange>(won).size() == 1 && AllOf<protocol::TRatingChange>(lost).size() == 1;
    }));
    EXPECT_EQ(AllOf<protocol::TGameResult>(won).front().Result, protocol::TGameResult::kResultWon);
    EXPECT_NE(AllOf<protocol::TGameResult>(lost).front().Result, protocol::TGameResult::kResultWon);
    EXPECT_EQ(AllOf<protocol::TRatingChange>(won).front().Game, kYatzy);
    const protocol::TGameStatistics winnerStats = Statistics(won.Alias());
    EXPECT_EQ(winnerStats.Won, 1);
    EXPECT_EQ(winnerStats.Lost, 0);
    EXPECT_EQ(winnerStats.Place, "1");
    const protocol::TGameStatistics loserStats = Statistics(lost.Alias());
    EXPECT_EQ(loserStats.Won, 0);
    EXPECT_EQ(loserStats.Lost, 1);
    const protocol::TGameStatistics diStats = Statistics("Di");
    EXPECT_EQ(diStats.Dropped, 1);
    EXPECT_EQ(diStats.Won + diStats.Lost, 0);
}

TEST_F(YatzyMatchTest, AForgedRowForfeitsTheForger) {
    StartMatch("1", {cy.get()});
    ASSERT_FALSE(HasFatalFailure());
    TYatzyPlayer& boSeat = *players[0];
    TYatzyPlayer& cySeat = *players[1];
    ASSERT_TRUE(Until([&] {
        ReadAll();
        return boSeat.TurnDue();
    }));
    boSeat.PlayTurn();
    ASSERT_TRUE(Until([&] {
        ReadAll();
        return cySeat.TurnDue();
    }));
    // Cy rolls honestly and claims one point more in chance than the dice
    // give; the payload is well formed, so only the referee's own dice
    // can tell.
    cySeat.Send(yz::TRoll{});
    for (int die = 1; die <= yz::kDiceCount; ++die) cySeat.Send(yz::TRollDie{die});
    const int earned = yz::RowPoints(yz::kChance, cySeat.Table()->Dice().Faces());
    cySeat.SendRaw(yz::BuildPayload(yz::TScore{yz::kChance, earned + 1}));
    ASSERT_TRUE(Until([&] {
        ReadAll();
        return boSeat.Closed() && AllOf<protocol::TGameResult>(*bo).size() == 1 &&
               AllOf<protocol::TGameResult>(*cy).size() == 1;
    }));
    EXPECT_EQ(Faults(), std::vector<std::string>{});
    // Bo never saw the forged row.
    EXPECT_EQ(boSeat.Table()->Sheet(2).IsUsed(yz::kChance), false);
    EXPECT_EQ(AllOf<protocol::TGameResult>(*bo).front().Result, protocol::TGameResult::kResultWon);
    EXPECT_EQ(Statistics("Cy").Dropped, 1);
    EXPECT_EQ(Statistics("Bo").Won, 1);
}

}  // namespace
}  // namespace e2etest
