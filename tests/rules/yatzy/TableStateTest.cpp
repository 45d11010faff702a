// The referee's table: honest clients who replay one another through the
// payload bytes always agree with it, and what no honest client sends is
// refused.
#include <gtest/gtest.h>

#include <algorithm>

#include "rules/yatzy/TableState.h"

namespace rules::yatzy {
namespace {

// One client's own copy of the table, kept up to date by its own actions
// and by what the server relays to it.
struct TClientView {
    TDiceCup Cup;
    TRandom Random;
    std::array<TSheet, kMaxPlayers> Sheets;
};

class TTableSim {
public:
    TTableSim(uint32_t seed, int players, int matchLength)
        : m_table(*TTableState::Create(seed, players, matchLength)) {
        for (int i = 0; i < players; ++i) m_clients.push_back({TDiceCup(), TRandom(seed), {}});
    }

    TTableState& Table() { return m_table; }
    TClientView& Client(int seat) { return m_clients[seat - 1]; }
    std::vector<int> RoundWinners, Bonuses;

    // Sends a payload as its bytes, as the referee receives them; when it is
    // accepted, the other clients get what the server relays.
    TOutcome Send(int seat, const TClientMessage& message) {
        auto parsed = ParseClientPayload(BuildPayload(message));
        EXPECT_TRUE(parsed) << parsed.Detail;
        TOutcome outcome = m_table.Apply(seat, *parsed.Value);
        if (outcome.Verdict == TVerdict::Accept) Relay(seat, message, outcome);
        return outcome;
    }

    void ReadyAll() {
        for (int seat = 1; seat <= m_table.PlayerCount(); ++seat) Send(seat, TReady{});
    }

    // An honest roll: the first of a turn releases every die first.
    void Roll(int seat) {
        TClientView& me = Client(seat);
        if (me.Cup.Rolls() == 0) {
            for (int die = 1; die <= kDiceCount; ++die) {
                me.Cup.SetHeld(die, false);
                ASSERT_EQ(Send(seat, THold{die, false}).Verdict, TVerdict::Accept);
            }
        }
        std::vector<int> dice = me.Cup.StartRoll();
        ASSERT_EQ(Send(seat, TRoll{}).Verdict, TVerdict::Accept);
        for (int die : dice) {
            int face = me.Cup.RollDie(die, me.Random);
            TOutcome outcome = Send(seat, TRollDie{die});
            ASSERT_EQ(outcome.Verdict, TVerdict::Accept) << outcome.Reason;
            ASSERT_EQ(outcome.Face, face);
        }
    }

    // An honest choice: writes the own sheet, then sends the bonus and the row.
    void Choose(int seat, int row) {
        TClientView& me = Client(seat);
        std::vector<TRowWrite> writes = ChoiceWrites(me.Sheets[seat - 1], row, me.Cup.Faces());
        ASSERT_FALSE(writes.empty());
        me.Sheets[seat - 1].Write(writes);
        for (const TRowWrite& write : writes) {
            TOutcome outcome = Send(seat, TScore{write.Row, write.Points});
            ASSERT_EQ(outcome.Verdict, TVerdict::Accept) << outcome.Reason;
        }
    }

    // A player who goes for the upper rows first: keeps the face it shows
    // most among the upper rows still free, then takes the best lower row.
    void PlayTurn(int seat) {
        TClientView& me = Client(seat);
        for (int roll = 1; roll <= kMaxRolls; ++roll) {
            Roll(seat);
            if (roll < kMaxRolls) HoldTarget(seat);
        }
        Choose(seat, BestRow(me.Sheets[seat - 1], me.Cup.Faces()));
    }

    // Every client sees the referee's dice and sheets.
    void ExpectAgreement() {
        for (int seat = 1; seat <= m_table.PlayerCount(); ++seat) {
            if (!m_table.IsPresent(seat)) continue;
            const TClientView& view = Client(seat);
            EXPECT_EQ(view.Cup.Faces(), m_table.Dice().Faces());
            EXPECT_EQ(view.Random.Seed(), m_table.Random().Seed());
            for (int other = 1; other <= m_table.PlayerCount(); ++other) {
                if (!m_table.IsPresent(other)) continue;
                for (int row = kFirstRow; row <= kRowCount; ++row)
                    ASSERT_EQ(view.Sheets[other - 1].CellText(row), m_table.Sheet(other).CellText(row));
            }
        }
    }

private:
    void Relay(int from, const TClientMessage& message, const TOutcome& outcome) {
        for (int seat = 1; seat <= m_table.PlayerCount(); ++seat) {
            if (seat == from || !m_table.IsPresent(seat)) continue;
            TClientView& view = Client(seat);
            if (auto* hold = std::get_if<THold>(&message)) view.Cup.SetHeld(hold->Die, hold->Held);
            if (std::holds_alternative<TRoll>(message)) view.Cup.StartRoll();
            if (auto* die = std::get_if<TRollDie>(&message)) {
                EXPECT_EQ(view.Cup.RollDie(die->Die, view.Random), outcome.Face);
            }
            for (const TRowWrite& write : outcome.Writes) {
                EXPECT_TRUE(view.Sheets[from - 1].Write(write.Row, write.Points));
            }
        }
        for (const TRowWrite& write : outcome.Writes)
            if (write.Row == kBonus) Bonuses.push_back(write.Points);
        if (outcome.RoundWinner) RoundWinners.push_back(outcome.RoundWinner);
        for (TClientView& view : m_clients) {
            if (outcome.RoundWinner && !outcome.MatchOver)
                for (TSheet& sheet : view.Sheets) sheet.Reset();
            if (outcome.NextTurn) view.Cup.BeginTurn();
        }
    }

    void HoldTarget(int seat) {
        TClientView& me = Client(seat);
        int target = Target(me.Sheets[seat - 1], me.Cup.Faces());
        for (int die = 1; die <= kDiceCount; ++die) {
            bool keep = me.Cup.Face(die) == target;
            if (keep == me.Cup.IsHeld(die)) continue;
            me.Cup.SetHeld(die, keep);
            ASSERT_EQ(Send(seat, THold{die, keep}).Verdict, TVerdict::Accept);
        }
    }

    static int Target(const TSheet& sheet, const TFaces& faces) {
        TFaceCounts counts = CountFaces(faces);
        int best = 0;
        for (int face = 1; face <= kFaceCount; ++face) {
            bool free = !sheet.IsUsed(face);
            bool bestFree = best && !sheet.IsUsed(best);
            if (!best || (free && !bestFree) || (free == bestFree && counts[face] >= counts[best])) best = face;
        }
        return best;
    }

    static int BestRow(const TSheet& sheet, const TFaces& faces) {
        int target = Target(sheet, faces);
        if (!sheet.IsUsed(target)) return target;
        int best = 0;
        for (int row = kFirstRow; row <= kRowCount; ++row)
            if (sheet.CanChoose(row) && (!best || RowPoints(row, faces) > RowPoints(best, faces))) best = row;
        return best;
    }

    TTableState m_table;
    std::vector<TClientView> m_clients;
};

TEST(YatzyTableStateTest, HonestClientsPlayWholeMatchesInAgreementWithTheReferee) {
    int bonusesOf50 = 0, bonusesOf0 = 0;
    for (uint32_t seed = 1; seed <= 24; ++seed) {
        int players = 2 + static_cast<int>(seed % 3);
        TTableSim sim(seed * 2654435761u, players, 2);
        sim.ReadyAll();
        int turns = 0;
        while (sim.Table().Phase() == TPhase::Playing) {
            int round = sim.Table().Round();
            int seat = sim.Table().CurrentSeat();
            if (turns % (kChoosableRowCount * players) == 0) {
                ASSERT_EQ(seat, (round - 1) % players + 1) << "each round begins one seat further on";
            }
            sim.PlayTurn(seat);
            ++turns;
            if (::testing::Test::HasFatalFailure()) return;
            if (sim.Table().Phase() == TPhase::Playing) sim.ExpectAgreement();
        }
        ASSERT_EQ(turns % (kChoosableRowCount * players), 0) << "every round has 18 turns per player";
        int winner = sim.RoundWinners.back();
        EXPECT_EQ(sim.Table().RoundsWon(winner), 2);
        EXPECT_EQ(std::count(sim.RoundWinners.begin(), sim.RoundWinners.end(), winner), 2);
        EXPECT_EQ(static_cast<int>(sim.Bonuses.size()), players * sim.Table().Round());
        bonusesOf50 += static_cast<int>(std::count(sim.Bonuses.begin(), sim.Bonuses.end(), kBonusPoints));
        bonusesOf0 += static_cast<int>(std::count(sim.Bonuses.begin(), sim.Bonuses.end(), 0));
        EXPECT_EQ(sim.Table().Apply(1, TRoll{}).Verdict, TVerdict::Ignore) << "the match is over";
        EXPECT_EQ(sim.Table().Apply(1, TChatLine{"gg"}).Verdict, TVerdict::Accept);
    }
    EXPECT_GT(bonusesOf50, 0);
    EXPECT_GT(bonusesOf0, 0);
}

TEST(YatzyTableStateTest, TheMatchBeginsWhenEveryoneIsReady) {
    TTableSim sim(5, 3, 1);
    EXPECT_EQ(sim.Send(1, TReady{}).NextTurn, 0);
    EXPECT_EQ(sim.Send(1, TReady{}).Verdict, TVerdict::Ignore);
    EXPECT_EQ(sim.Send(1, TRoll{}).Verdict, TVerdict::Refuse);
    EXPECT_EQ(sim.Send(2, TChatLine{"hi"}).Verdict, TVerdict::Accept);
    EXPECT_EQ(sim.Send(2, TReady{}).NextTurn, 0);
    // The one who is not ready leaves: the two others begin.
    TOutcome left = sim.Send(3, TLeave{});
    EXPECT_EQ(left.Dropped, 3);
    EXPECT_EQ(left.NextTurn, 1);
    EXPECT_EQ(sim.Table().Phase(), TPhase::Playing);
    EXPECT_EQ(sim.Table().Apply(0, TReady{}).Verdict, TVerdict::Refuse);
    EXPECT_EQ(sim.Table().Apply(4, TReady{}).Verdict, TVerdict::Refuse);
    EXPECT_FALSE(TTableState::Create(1, 1, 1));
    EXPECT_FALSE(TTableState::Create(1, 5, 1));
    EXPECT_FALSE(TTableState::Create(1, 2, 0));
    EXPECT_FALSE(TTableState::Create(1, 2, 100));
}

TEST(YatzyTableStateTest, RollsOutOfTurnOutOfOrderOrBeyondTheThirdAreRefused) {
    TTableSim sim(77, 2, 1);
    sim.ReadyAll();
    EXPECT_EQ(sim.Send(2, TRoll{}).Verdict, TVerdict::Refuse) << "not seat 2's turn";
    EXPECT_EQ(sim.Send(1, TScore{kChance, 0}).Verdict, TVerdict::Refuse) << "a row before the first roll";
    EXPECT_EQ(sim.Send(1, TRollDie{1}).Verdict, TVerdict::Refuse) << "no roll was announced";
    ASSERT_EQ(sim.Send(1, TRoll{}).Verdict, TVerdict::Accept);
    EXPECT_EQ(sim.Send(1, TRollDie{2}).Verdict, TVerdict::Refuse) << "die 1 comes first";
    EXPECT_EQ(sim.Send(1, TScore{kChance, 0}).Verdict, TVerdict::Refuse) << "a row while dice are owed";
    EXPECT_EQ(sim.Send(1, THold{3, true}).Verdict, TVerdict::Refuse);
    TClientView& own = sim.Client(1);
    for (int die : own.Cup.StartRoll()) {
        own.Cup.RollDie(die, own.Random);
        ASSERT_EQ(sim.Send(1, TRollDie{die}).Verdict, TVerdict::Accept);
    }
    EXPECT_EQ(sim.Send(2, THold{3, true}).Verdict, TVerdict::Ignore) << "a late click of the last player";
    sim.Roll(1);
    sim.Roll(1);
    EXPECT_EQ(sim.Send(1, THold{3, true}).Verdict, TVerdict::Ignore) << "no dice are held after the last roll";
    TOutcome fourth = sim.Send(1, TRoll{});
    EXPECT_EQ(fourth.Verdict, TVerdict::Refuse);
    EXPECT_EQ(fourth.Reason, "a fourth roll");
    EXPECT_EQ(sim.Table().Dice().Rolls(), 3);
}

TEST(YatzyTableStateTest, RowsTheDiceDidNotEarnOrThatAreUsedAreRefused) {
    TTableSim sim(4242, 2, 1);
    sim.ReadyAll();
    sim.Roll(1);
    TFaces faces = sim.Table().Dice().Faces();
    int chance = RowPoints(kChance, faces);
    TTableState before = sim.Table();
    EXPECT_EQ(sim.Table().Check(1, TScore{kChance, chance + 1}).Verdict, TVerdict::Refuse);
    EXPECT_EQ(sim.Send(1, TScore{kChance, chance + 1}).Verdict, TVerdict::Refuse);
    EXPECT_EQ(sim.Send(1, TScore{kYatzy, 80}).Verdict, TVerdict::Refuse);
    EXPECT_EQ(sim.Send(1, TScore{kUpperSum, 0}).Verdict, TVerdict::Refuse);
    EXPECT_EQ(sim.Send(1, TScore{kTotal, 0}).Verdict, TVerdict::Refuse);
    EXPECT_EQ(sim.Table().CurrentSeat(), before.CurrentSeat());
    EXPECT_FALSE(sim.Table().Sheet(1).IsUsed(kChance));
    EXPECT_EQ(sim.Table().Check(1, TScore{kChance, chance}).Verdict, TVerdict::Accept);
    EXPECT_FALSE(sim.Table().Sheet(1).IsUsed(kChance)) << "Check changes nothing";
    TOutcome written = sim.Send(1, TScore{kChance, chance});
    ASSERT_EQ(written.Verdict, TVerdict::Accept);
    EXPECT_EQ(written.Writes, (std::vector<TRowWrite>{{kChance, chance}}));
    EXPECT_EQ(written.NextTurn, 2);
    sim.Client(1).Sheets[0].Write(kChance, chance);
    sim.PlayTurn(2);
    sim.Roll(1);
    EXPECT_EQ(sim.Send(1, TScore{kChance, RowPoints(kChance, sim.Table().Dice().Faces())}).Verdict,
              TVerdict::Refuse) << "a row written twice";
}

TEST(YatzyTableStateTest, TheBonusComesFirstAndMustFitTheRowThatSettlesIt) {
    TTableSim sim(31337, 2, 1);
    sim.ReadyAll();
    // Each player fills five upper rows.
    for (int turn = 0; turn < 10; ++turn) sim.PlayTurn(sim.Table().CurrentSeat());
    const TSheet& sheet = sim.Table().Sheet(1);
    int lastUpper = 0;
    for (int row = kOnes; row <= kSixes; ++row)
        if (!sheet.IsUsed(row)) lastUpper = row;
    ASSERT_NE(lastUpper, 0);
    ASSERT_FALSE(sheet.BonusSettled());
    sim.Roll(1);
    int points = RowPoints(lastUpper, sim.Table().Dice().Faces());
    int bonus = sheet.UpperSum() + points >= kBonusThreshold ? kBonusPoints : 0;
    EXPECT_EQ(sim.Table().Check(1, TScore{lastUpper, points}).Verdict, TVerdict::Refuse) << "bonus missing";
    EXPECT_EQ(sim.Table().Check(1, TScore{kBonus, 25}).Verdict, TVerdict::Refuse);
    TTableState wrongBonus = sim.Table();
    ASSERT_EQ(wrongBonus.Apply(1, TScore{kBonus, kBonusPoints - bonus}).Verdict, TVerdict::Accept);
    EXPECT_EQ(wrongBonus.Apply(1, TScore{lastUpper, points}).Verdict, TVerdict::Refuse);
    // The right bonus is held back until its row confirms it.
    TOutcome first = sim.Send(1, TScore{kBonus, bonus});
    ASSERT_EQ(first.Verdict, TVerdict::Accept);
    EXPECT_TRUE(first.Writes.empty());
    EXPECT_EQ(sim.Send(1, TRoll{}).Verdict, TVerdict::Refuse) << "the row is owed";
    EXPECT_EQ(sim.Send(1, TScore{kBonus, bonus}).Verdict, TVerdict::Refuse);
    TOutcome second = sim.Send(1, TScore{lastUpper, points});
    ASSERT_EQ(second.Verdict, TVerdict::Accept) << second.Reason;
    EXPECT_EQ(second.Writes, (std::vector<TRowWrite>{{kBonus, bonus}, {lastUpper, points}}));
    EXPECT_EQ(sim.Table().Sheet(1).CellText(kBonus), bonus ? "50" : "X");
}

TEST(YatzyTableStateTest, PlayersWhoLeavePassTheirTurnAndTheLastOneWins) {
    TTableSim sim(2024, 3, 3);
    sim.ReadyAll();
    sim.PlayTurn(1);
    ASSERT_EQ(sim.Table().CurrentSeat(), 2);
    sim.Roll(2);
    ASSERT_EQ(sim.Send(2, TRoll{}).Verdict, TVerdict::Accept);
    // Seat 2 leaves between announcing a roll and rolling its dice.
    TOutcome left = sim.Send(2, TLeave{});
    EXPECT_EQ(left.Dropped, 2);
    EXPECT_EQ(left.NextTurn, 3);
    EXPECT_FALSE(left.MatchOver);
    EXPECT_EQ(sim.Send(2, TRollDie{1}).Verdict, TVerdict::Ignore);
    EXPECT_EQ(sim.Table().Leave(2).Verdict, TVerdict::Ignore);
    while (sim.RoundWinners.empty()) sim.PlayTurn(sim.Table().CurrentSeat());
    EXPECT_NE(sim.RoundWinners[0], 2);
    EXPECT_EQ(sim.Table().Round(), 2);
    EXPECT_EQ(sim.Table().CurrentSeat(), 3) << "round 2 begins after seat 1, skipping seat 2";
    TOutcome last = sim.Send(3, TLeave{});
    EXPECT_TRUE(last.MatchOver);
    EXPECT_EQ(last.MatchWinner, 1);
    EXPECT_EQ(last.NextTurn, 0);
    EXPECT_EQ(sim.Table().Phase(), TPhase::Over);
}

}  // namespace
}  // namespace rules::yatzy
