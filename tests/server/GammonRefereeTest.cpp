// The Backgammon referee through the game tables: two scripted players
// whose moves come from the rules library's options play whole games; the
// dice must be the ones the key announced, the cube, give-ups and scores
// must follow the players' answers, and a move or claim the board does not
// allow forfeits the match.
#include <gmock/gmock.h>

#include "GameTablesFixture.h"
#include "referees/FairDice.h"
#include "rules/gammon/Board.h"
#include "rules/gammon/Payload.h"

namespace {

namespace pl = rules::gammon::payload;
using rules::gammon::TColour;
using ::testing::Contains;
using ::testing::HasSubstr;

constexpr int kGammon = 2;

class GammonRefereeTest : public servertest::GameTablesTest {
protected:
    // eva is white: the fixture's seed has its top bit set.
    void Start(const std::string& points) {
        StartWith(kGammon, points, {"bob"});
        m_board.StartTable(TColour::White, std::stoi(points));
        m_board.StartGame();
        Send("eva", ">");
        Send("bob", ">");
    }
    void Send(const std::string& alias, const std::string& payload) {
        m_tables->GamePayload(P(alias), kGammon, payload);
    }
    static std::string Code(uint8_t code) { return std::string(1, static_cast<char>(code)); }
    static TColour ColourOf(const std::string& alias) { return alias == "eva" ? TColour::White : TColour::Black; }
    static std::string Other(const std::string& alias) { return alias == "eva" ? "bob" : "eva"; }
    // The payloads that reached alias since the last call.
    std::vector<std::string> To(const std::string& alias) {
        std::vector<std::string> found;
        for (auto& [who, payload] : m_events.payloads)
            if (who == alias) found.push_back(payload);
        return found;
    }
    void Forget() { m_events.payloads.clear(), m_events.lines.clear(); }
    // A payload that reached alias and starts with code, or empty.
    std::string Find(const std::string& alias, uint8_t code) {
        for (const std::string& payload : To(alias))
            if (static_cast<uint8_t>(payload[0]) == code) return payload;
        return "";
    }

    // Opening dice until one player wins; returns the winner, who plays
    // both opening dice.
    std::string Opening() {
        for (int attempt = 0; attempt < 50; ++attempt) {
            Forget();
            Send("eva", Code(pl::kOpeningRollRequest));
            Send("bob", Code(pl::kOpeningRollRequest));
            int dice[2] = {0, 0};
            for (const std::string& payload : To("eva"))
                if (auto die = pl::ParseOpeningDie(payload)) {
                    dice[die->Colour == TColour::White ? 0 : 1] = die->Die;
                    m_rolled.push_back(die->Die);
                }
            if (!Find("eva", pl::kOpeningEqual).empty()) continue;
            std::string winner = Find("eva", pl::kOpeningWon).empty() ? "bob" : "eva";
            EXPECT_EQ(Find(Other(winner), pl::kOpeningWon), "");
            EXPECT_NE(dice[0], dice[1]);
            m_die1 = dice[winner == "eva" ? 0 : 1];
            m_die2 = dice[winner == "eva" ? 1 : 0];
            return winner;
        }
        ADD_FAILURE() << "no opening winner";
        return "eva";
    }
    void Roll(const std::string& alias) {
        Forget();
        Send(alias, Code(pl::kRollRequest));
        auto roll = pl::ParseRoll(Find(Other(alias), pl::kRoll));
        ASSERT_TRUE(roll);
        EXPECT_EQ(roll->Colour, ColourOf(alias));
        m_rolled.push_back(roll->Die1);
        m_rolled.push_back(roll->Die2);
        m_die1 = roll->Die1, m_die2 = roll->Die2;
    }
    // Plays the dice through the options and ends the turn; true when
    // alias bore its last checker off.
    bool PlayTurn(const std::string& alias) {
        TColour colour = ColourOf(alias);
        m_board.SetTurn(colour);
        m_board.SetDice(m_die1, m_die2);
        int moves = 0;
        while (!m_board.TurnOver()) {
            std::vector<rules::gammon::TMoveRecord> made = MoveSomething();
            if (made.empty()) break;
            for (const auto& record : made) {
                Send(alias, pl::BuildMove(pl::kMove, {record.Source, record.Pips()}));
                ++moves;
            }
        }
        EXPECT_EQ(static_cast<int>(To(Other(alias)).size()) >= moves, true);
        m_board.EndTurn();
        if (m_board.AllOff(colour)) {
            Send(alias, pl::BuildClass(pl::kGameWon, 1));
            return true;
        }
        Forget();
        Send(alias, Code(pl::kTurnOver));
        EXPECT_EQ(To(Other(alias)), std::vector<std::string>{Code(pl::kOpponentTurnOver)});
        return false;
    }
    std::vector<rules::gammon::TMoveRecord> MoveSomething() {
        for (int point = 0; point < rules::gammon::kPointCount; ++point) {
            int checker = m_board.PickUp(m_board.TopChecker(point));
            if (checker == rules::gammon::kNoChecker) continue;
            auto made = m_board.QuickMove(checker);
            if (!made.empty()) return made;
            for (const auto& hint : m_board.HintDice(point)) {
                made = m_board.Drop(checker, hint.Target);
                if (!made.empty()) return made;
            }
        }
        return {};
    }
    std::string ChatText(const std::string& alias, const std::string& containing) {
        for (auto& [who, payload] : m_events.payloads)
            if (auto line = pl::ParseChatLine(payload); who == alias && line && line->Text.find(containing) != std::string::npos)
                return line->Text;
        return "";
    }

    rules::gammon::TBoard m_board;
    int m_die1 = 0, m_die2 = 0;
    std::vector<int> m_rolled;
};

// The panels' pages reach both players when the match begins, once.
TEST_F(GammonRefereeTest, TheAdvertisementPanelsGetTheirPagesWhenTheMatchBegins) {
    m_tables->SetAdverts({"", "http://ads/2", "http://ads/3"});
    Start("3");
    Send("eva", ">");
    Send("bob", ">");
    std::vector<std::string> adverts;
    for (const auto& [alias, payload] : m_events.payloads)
        if (static_cast<uint8_t>(payload[0]) == pl::kAdvert) adverts.push_back(alias + " " + payload.substr(1));
    EXPECT_THAT(adverts, ::testing::ElementsAre("eva \x02http://ads/2\x01", "bob \x02http://ads/2\x01",
                                                "eva \x03http://ads/3\x01", "bob \x03http://ads/3\x01"));
}

TEST_F(GammonRefereeTest, AGameIsPlayedOutWithTheDiceTheAnnouncedKeyGives) {
    Start("1");
    std::string hashLine = ChatText("bob", "BLAKE2b");
    ASSERT_NE(hashLine, "");
    std::string player = Opening();
    bool won = PlayTurn(player);
    for (int turn = 0; turn < 500 && !won; ++turn) {
        player = Other(player);
        Roll(player);
        won = PlayTurn(player);
    }
    ASSERT_TRUE(won);
    EXPECT_EQ(Find(Other(player), pl::kOpponentWon)[0], static_cast<char>(pl::kOpponentWon));
    EXPECT_THAT(m_events.lines, Contains(HasSubstr("result " + player + " won")));

    std::string keyLine = ChatText("eva", "Dice key: ");
    ASSERT_NE(keyLine, "");
    auto key = server::FairDice::ParseKey(keyLine.substr(keyLine.find("key: ") + 5, 64));
    ASSERT_TRUE(key);
    EXPECT_THAT(hashLine, HasSubstr(server::FairDice::Commitment(*key)));
    for (size_t n = 0; n < m_rolled.size(); ++n) ASSERT_EQ(m_rolled[n], server::FairDice::DieAt(*key, n)) << n;
}

TEST_F(GammonRefereeTest, DoublesAreDeclinedOrTakenAndGiveUpsScoreTheOfferedClassTimesTheCube) {
    Start("3");
    std::string opener = Opening();
    PlayTurn(opener);
    std::string doubler = Other(opener);
    Forget();
    Send(doubler, Code(pl::kDouble));
    EXPECT_EQ(To(opener), std::vector<std::string>{Code(pl::kOpponentDoubles)});
    Send(opener, Code(pl::kDoubleDeclined));
    EXPECT_EQ(To(doubler).back(), Code(pl::kYouWin));
    Forget();
    Send(doubler, pl::BuildClass(pl::kGameWon, 3));  // a declined double is a normal game
    EXPECT_EQ(To(opener), std::vector<std::string>{pl::BuildClass(pl::kOpponentWon, 1)});

    m_board.StartGame();
    opener = Opening();
    PlayTurn(opener);
    std::string taker = opener;
    doubler = Other(opener);
    Forget();
    Send(taker, Code(pl::kDouble));  // not at turn: nothing happens
    Send(doubler, Code(pl::kDouble));
    Send(taker, Code(pl::kDoubleAccepted));
    EXPECT_EQ(To(doubler).back(), Code(pl::kDoubleTaken));
    EXPECT_EQ(To(taker).back(), Code(pl::kDoubleTaken));
    Forget();
    Send(doubler, pl::BuildClass(pl::kGiveUpOffer, 2));
    EXPECT_EQ(To(taker), std::vector<std::string>{pl::BuildClass(pl::kOpponentGivesUp, 2)});
    Send(taker, Code(pl::kGiveUpRefused));
    EXPECT_EQ(To(doubler).back(), Code(pl::kGiveUpDenied));
    Send(doubler, pl::BuildClass(pl::kGiveUpOffer, 2));
    Send(taker, pl::BuildClass(pl::kGameWon, 2));  // 2 × cube 2 reaches 3 points
    EXPECT_EQ(Find(doubler, pl::kOpponentWon), pl::BuildClass(pl::kOpponentWon, 2));
    EXPECT_THAT(m_events.lines, Contains(HasSubstr("result " + taker + " won")));
    EXPECT_NE(ChatText(taker, "Dice key: "), "");
}

TEST_F(GammonRefereeTest, ChatCarriesTheAliasAndIllegalMovesOrClaimsForfeit) {
    Start("5");
    Forget();
    Send("bob", std::string("\x08hello\x01", 7));
    EXPECT_EQ(ChatText("eva", "hello"), "bob: hello");
    EXPECT_EQ(ChatText("bob", "hello"), "bob: hello");

    std::string opener = Opening();
    Forget();
    Send(opener, pl::BuildMove(pl::kMove, {3, m_die1}));  // nobody stands on point 3
    EXPECT_THAT(m_events.lines, Contains("payload " + Other(opener) + " \\21"));

    Start("5");
    opener = Opening();
    Forget();
    Send(opener, pl::BuildClass(pl::kGameWon, 1));  // nothing backs the claim
    EXPECT_THAT(m_events.lines, Contains("payload " + Other(opener) + " \\21"));

    Start("5");
    opener = Opening();
    Forget();
    Send(opener, Code(pl::kTurnOver));  // the dice are not played
    EXPECT_THAT(m_events.lines, Contains("payload " + Other(opener) + " \\21"));
}

}  // namespace
