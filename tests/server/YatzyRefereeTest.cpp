// The Yatzy referee at a table without a network: what each payload turns
// into for the others, scores checked against the dice it replays itself,
// forged payloads forfeiting, drop-outs at a table of three, and a whole
// round played to its winner.
#include <gmock/gmock.h>

#include <algorithm>

#include "GameTablesFixture.h"
#include "rules/yatzy/Payload.h"
#include "rules/yatzy/TableState.h"

namespace {

using servertest::GameTablesTest;
using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace yz = rules::yatzy;

constexpr int kYatzy = 4;

std::string B(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
}

// The players' side: a mirror of the table that plays honest turns, so the
// tests know the faces and points the referee expects.
class YatzyRefereeTest : public GameTablesTest {
protected:
    void Start(const std::string& length, const std::vector<std::string>& joiners) {
        StartWith(kYatzy, length, joiners);
        m_seats = {"eva"};
        m_seats.insert(m_seats.end(), joiners.begin(), joiners.end());
        m_mirror = yz::TTableState::Create(kSeed, static_cast<int>(m_seats.size()), std::stoi(length));
        for (const std::string& alias : m_seats) Send(alias, yz::TReady{});
    }

    void Send(const std::string& alias, const yz::TClientMessage& message) {
        int seat = 1;
        while (m_seats[static_cast<size_t>(seat - 1)] != alias) ++seat;
        m_mirror->Apply(seat, message);
        m_tables->GamePayload(P(alias), kYatzy, yz::BuildPayload(message));
    }

    // Rolls once (every die) and writes the first free row, bonus first.
    void PlayTurn() {
        const int seat = m_mirror->CurrentSeat();
        const std::string& alias = m_seats[static_cast<size_t>(seat - 1)];
        Send(alias, yz::TRoll{});
        for (int die : std::vector<int>(m_mirror->DiceToRoll())) Send(alias, yz::TRollDie{die});
        const yz::TSheet& sheet = m_mirror->Sheet(seat);
        int row = 1;
        while (!sheet.CanChoose(row)) ++row;
        for (const yz::TRowWrite& w : yz::ChoiceWrites(sheet, row, m_mirror->Dice().Faces()))
            Send(alias, yz::TScore{w.Row, w.Points});
    }

    std::vector<std::string> m_seats;
    std::optional<yz::TTableState> m_mirror;
};

TEST_F(YatzyRefereeTest, TurnsRollsHoldsRowsAndChatReachTheOthers) {
    Start("1", {"bob", "cid"});
    std::vector<std::string> lines = m_events.Take();
    EXPECT_THAT(std::vector<std::string>(lines.end() - 6, lines.end()),
                ElementsAre("payload eva >", "payload bob >", "payload cid >", "payload eva \\181\\1",
                            "payload bob \\181\\1", "payload cid \\181\\1"));

    Send("eva", yz::TRoll{});
    Send("eva", yz::TRollDie{1});
    EXPECT_THAT(m_events.Take(), ElementsAre("payload bob \\184", "payload cid \\184", "payload bob \\183\\1",
                                             "payload cid \\183\\1"));
    for (int die = 2; die <= 6; ++die) Send("eva", yz::TRollDie{die});
    m_events.Take();
    Send("eva", yz::THold{3, true});
    EXPECT_THAT(m_events.Take(), ElementsAre("payload bob \\182\\3\\1", "payload cid \\182\\3\\1"));

    Send("bob", yz::TChatLine{"hi"});
    EXPECT_THAT(m_events.Take(), ElementsAre("payload eva \\9\\0\\0\\3\\1bob~>hi\\1",
                                             "payload bob \\9\\0\\0\\3\\1bob~>hi\\1",
                                             "payload cid \\9\\0\\0\\3\\1bob~>hi\\1"));

    const int chance = yz::RowPoints(yz::kChance, m_mirror->Dice().Faces());
    Send("eva", yz::TScore{yz::kChance, chance});
    const std::string points = std::to_string(chance);
    EXPECT_THAT(m_events.Take(), ElementsAre("payload bob \\185\\19" + points + "\\1",
                                             "payload cid \\185\\19" + points + "\\1", "payload eva \\181\\2",
                                             "payload bob \\181\\2", "payload cid \\181\\2"));
}

TEST_F(YatzyRefereeTest, ForgedPayloadsForfeitAndHarmlessLateOnesAreDropped) {
    Start("1", {"bob"});
    m_events.Take();
    // A hold by someone whose turn it is not changes nothing and is dropped.
    Send("bob", yz::THold{1, true});
    // Unreadable bytes are not relayed.
    m_tables->GamePayload(P("eva"), kYatzy, B({0xB7}));
    m_tables->GamePayload(P("eva"), kYatzy, B({0x42, 1}));
    EXPECT_THAT(m_events.Take(), IsEmpty());

    PlayTurn();
    m_events.Take();
    Send("bob", yz::TRoll{});
    for (int die = 1; die <= 6; ++die) Send("bob", yz::TRollDie{die});
    m_events.Take();
    const int earned = yz::RowPoints(yz::kChance, m_mirror->Dice().Faces());
    m_tables->GamePayload(P("bob"), kYatzy, yz::BuildPayload(yz::TScore{yz::kChance, earned + 1}));
    std::vector<std::string> lines = m_events.Take();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_THAT(std::vector<std::string>(lines.begin(), lines.begin() + 2),
                ElementsAre("payload eva \\21", "ended 4 eva"));
    EXPECT_EQ(Standing("bob", kYatzy).dropped, 1);
    EXPECT_EQ(Standing("eva", kYatzy).won, 1);
}

// The panels' pages reach every seat once, when the match begins; a page
// whose payload would not fit a game message is left out.
TEST_F(YatzyRefereeTest, TheAdvertisementPanelsGetTheirPagesWhenTheMatchBegins) {
    m_tables->SetAdverts({"http://ads/1", "", "http://ads/" + std::string(250, 'x')});
    Start("1", {"bob", "cid"});
    PlayTurn();
    std::vector<std::pair<std::string, std::string>> adverts;
    for (const auto& [alias, payload] : m_events.payloads)
        if (static_cast<uint8_t>(payload[0]) == yz::code::kAdvert) adverts.emplace_back(alias, payload);
    const std::string page = B({85, 1}) + "http://ads/1" + B({1});
    EXPECT_THAT(adverts, ElementsAre(std::pair{std::string("eva"), page}, std::pair{std::string("bob"), page},
                                     std::pair{std::string("cid"), page}));
}

TEST_F(YatzyRefereeTest, AtATableOfThreeALeaverDropsOutAndTheOthersPlayOn) {
    Start("1", {"bob", "cid"});
    m_events.Take();
    PlayTurn();  // eva
    m_events.Take();
    // bob's turn; bob leaves: the others learn seat 1 (from 0) dropped out
    // and cid plays next.
    m_tables->GamePayload(P("bob"), kYatzy, B({0x19}));
    m_mirror->Leave(2);
    EXPECT_THAT(m_events.Take(), ElementsAre("payload bob \\21", "playing bob 0", "payload eva \\187\\1",
                                             "payload cid \\187\\1", "payload eva \\181\\3",
                                             "payload cid \\181\\3"));
    EXPECT_EQ(m_tables->PlayingKind("bob"), 0);
    m_tables->GamePayload(P("bob"), kYatzy, yz::BuildPayload(yz::TRoll{}));
    EXPECT_THAT(m_events.Take(), IsEmpty());

    PlayTurn();  // cid
    EXPECT_THAT(m_events.Take(), Contains("payload eva \\181\\1"));
    // The last one left wins; both leavers count as dropped.
    m_tables->UserLeft(P("cid"));
    std::vector<std::string> lines = m_events.Take();
    ASSERT_GE(lines.size(), 5u);
    EXPECT_THAT(std::vector<std::string>(lines.begin(), lines.begin() + 5),
                ElementsAre("payload cid \\21", "playing cid 0", "payload eva \\187\\2", "payload eva \\21", "ended 4 eva"));
    EXPECT_EQ(Standing("eva", kYatzy).won, 1);
    EXPECT_EQ(Standing("bob", kYatzy).dropped, 1);
    EXPECT_EQ(Standing("cid", kYatzy).dropped, 1);
}

TEST_F(YatzyRefereeTest, AFullRoundEndsWithItsWinnerAndTheMatchAtItsLength) {
    Start("1", {"bob"});
    m_events.Take();
    for (int turn = 0; turn < 2 * yz::kChoosableRowCount; ++turn) PlayTurn();
    ASSERT_EQ(m_mirror->Phase(), yz::TPhase::Over);
    const int winner = m_mirror->RoundsWon(1) == 1 ? 1 : 2;
    ASSERT_EQ(m_mirror->RoundsWon(winner), 1);
    const std::string won = "\\186\\" + std::to_string(winner);
    std::vector<std::string> lines = m_events.Take();
    // The round's winner, then the windows close, then the match is recorded.
    const auto at = [&](const std::string& line) { return std::find(lines.begin(), lines.end(), line) - lines.begin(); };
    for (const char* alias : {"eva", "bob"}) {
        const std::string to = std::string("payload ") + alias + " ";
        EXPECT_LT(at(to + won), at(to + "\\21"));
        EXPECT_LT(at(to + "\\21"), at("ended 4 eva"));
    }
    EXPECT_LT(at("ended 4 eva"), static_cast<long>(lines.size()));
    EXPECT_EQ(Standing(m_seats[static_cast<size_t>(winner - 1)], kYatzy).won, 1);
    EXPECT_EQ(Standing(m_seats[static_cast<size_t>(2 - winner)], kYatzy).lost, 1);
}

}  // namespace
