// Backgammon on the real server, a whole 3-point match: two wire users open,
// ask for and start a table from the lobby's messages and then play with
// the rules library's board, sending exactly what the table window sends
// (its own moves through the options, an undo, the cube, the game claims).
// Each player's board replays only what the server relays, so after every
// move, undo and turn both boards must show the same position, and the
// mover's board the one its steps give when applied one by one as the
// server applies them. The first double of the
// match is taken, the redouble declined; the match is played to its end,
// the results and statistics count it, and every die rolled is the one the
// key published at the end derives, whose hash was announced at the start.
#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "WireTables.h"
#include "referees/FairDice.h"
#include "rules/gammon/Board.h"
#include "rules/gammon/LegalPlays.h"
#include "rules/gammon/Payload.h"

namespace e2etest {
namespace {

namespace gm = rules::gammon;
namespace pl = rules::gammon::payload;
using gm::TColour;
constexpr int kGammon = 2;

std::string Code(uint8_t code) { return std::string(1, static_cast<char>(code)); }

// One side of the table, played by the rules over a wire user's line.
class TGammonPlayer {
public:
    explicit TGammonPlayer(TWireUser& user) : m_user(user) {}

    TWireUser& User() { return m_user; }
    const gm::TBoard& Board() const { return m_board; }
    bool Started() const { return m_started; }
    TColour Colour() const { return m_colour; }
    // The position after every turn, as this side saw it end.
    const std::vector<gm::TPosition>& TurnEnds() const { return m_turnEnds; }
    // The position after every single move and undo, as this side saw it.
    const std::vector<gm::TPosition>& MoveEnds() const { return m_moveEnds; }
    // Every die the server rolled, in order (opening dice and rolls).
    const std::vector<int>& Dice() const { return m_dice; }
    const std::vector<std::string>& ChatLines() const { return m_chat; }
    const std::vector<std::string>& Faults() const { return m_faults; }
    int Doubles() const { return m_doublesSent; }
    int Accepted() const { return m_accepted; }
    int Declined() const { return m_declined; }
    int Undos() const { return m_undos; }
    int GamesWon() const { return m_gamesWon; }
    int MovesSent() const { return m_movesSent; }

    // Reads what arrived since the last call and answers it at once.
    void Read() {
        const std::vector<std::string>& messages = m_user.Line().messages;
        for (; m_read < messages.size(); ++m_read) ReadMessage(messages[m_read]);
    }

    // The cube answers of this table: the first double of the match is
    // taken, every later one declined.
    static bool TakeNext(int doublesSoFar) { return doublesSoFar == 1; }
    int* doublesSeen = nullptr;  // shared by both sides

private:
    void Fault(const std::string& text) { m_faults.push_back(m_user.Alias() + ": " + text); }
    void Send(const std::string& payload) { m_user.Send(GamePayload(kGammon, payload)); }

    void ReadMessage(const std::string& message) {
        if (message.empty()) return;
        const uint8_t code = uint8_t(message[0]);
        if (code == uint8_t(protocol::TGameStartMessage::kCode)) {
            protocol::TGameStartMessage start;
            if (!protocol::Parse(message, start) || !std::holds_alternative<rules::TGammonSetup>(start.Setup))
                return Fault("unreadable start");
            const rules::TGammonSetup& setup = std::get<rules::TGammonSetup>(start.Setup);
            m_colour = setup.OwnWhite ? TColour::White : TColour::Black;
            m_board.StartTable(m_colour, setup.MatchPoints);
            m_board.StartGame();
            m_started = true;
            Send(Code(pl::kReady));
        } else if (code == uint8_t(protocol::TGameData::kCode)) {
            protocol::TGameData data;
            if (!protocol::Parse(message, data) || data.Payload.empty()) return Fault("unreadable game data");
            if (m_started) Handle(data.Payload);
        }
    }

    void Handle(const std::string& payload) {
        switch (uint8_t(payload[0])) {
            case pl::kTableBegins: Send(Code(pl::kOpeningRollRequest)); break;
            case pl::kChatLine:
                if (auto line = pl::ParseChatLine(payload)) m_chat.push_back(line->Text);
                break;
            case pl::kOpeningDie:
                if (auto die = pl::ParseOpeningDie(payload)) {
                    m_dice.push_back(die->Die);
                    m_opening[die->Colour == m_colour ? 0 : 1] = die->Die;
                } else {
                    Fault("bad opening die");
                }
                break;
            case pl::kOpeningEqual: Send(Code(pl::kOpeningRollRequest)); break;
            case pl::kOpeningWon: PlayTurn(m_opening[0], m_opening[1]); break;
            case pl::kRoll:
                if (auto roll = pl::ParseRoll(payload)) {
                    m_dice.push_back(roll->Die1);
                    m_dice.push_back(roll->Die2);
                    if (roll->Colour == m_colour) PlayTurn(roll->Die1, roll->Die2);
                } else {
                    Fault("bad roll");
                }
                break;
            case pl::kOpponentMove:
                if (auto move = pl::ParseMove(payload); !move || !m_board.ReplayMove(gm::Other(m_colour), move->Source, move->Pips))
                    Fault("opponent move does not fit the board");
                m_moveEnds.push_back(m_board.Position());
                break;
            case pl::kOpponentUndo:
                if (auto record = pl::ParseUndo(payload); !record || !m_board.ReplayUndo(*record))
                    Fault("opponent undo does not fit the board");
                m_moveEnds.push_back(m_board.Position());
                break;
            case pl::kOpponentTurnOver:
                m_turnEnds.push_back(m_board.Position());
                BeginTurn();
                break;
            case pl::kOpponentDoubles: AnswerDouble(); break;
            case pl::kDoubleTaken:
                // The one who did not double owns the cube now.
                m_board.Cube().Accept(m_doubled ? gm::Other(m_colour) : m_colour);
                if (m_doubled) Send(Code(pl::kRollRequest));
                m_doubled = false;
                break;
            case pl::kYouWin:
                m_doubled = false;
                Send(pl::BuildClass(pl::kGameWon, 1));
                GameOver(m_colour, 1);
                break;
            case pl::kOpponentWon:
                if (auto resultClass = pl::ParseClass(payload)) {
                    // A game borne off ends the winner's turn; a declined
                    // double ends none.
                    if (m_board.AllOff(gm::Other(m_colour))) {
                        m_turnEnds.push_back(m_board.Position());
                        if (*resultClass != m_board.ResultClass(gm::Other(m_colour))) Fault("wrong result class");
                    }
                    GameOver(gm::Other(m_colour), *resultClass);
                } else {
                    Fault("bad game result");
                }
                break;
            default: break;
        }
    }

    // The start of an own turn: double once in the match when the cube
    // allows it, else roll.
    void BeginTurn() {
        if (m_doublesSent == 0 && m_board.Cube().CanDouble(m_colour, m_board.Match())) {
            ++m_doublesSent;
            ++*doublesSeen;
            m_doubled = true;
            Send(Code(pl::kDouble));
            return;
        }
        Send(Code(pl::kRollRequest));
    }

    void AnswerDouble() {
        if (TakeNext(*doublesSeen)) {
            ++m_accepted;
            Send(Code(pl::kDoubleAccepted));
        } else {
            ++m_declined;
            Send(Code(pl::kDoubleDeclined));
        }
    }

    // Plays the dice through the options as the window's quick moves and
    // drops do; the first move of the match is taken back once and made
    // again. Ends the turn, or claims the game when the last checker is off.
    void PlayTurn(int die1, int die2) {
        m_board.SetTurn(m_colour);
        m_board.SetDice(die1, die2);
        m_turnStart = m_board.Position();
        m_steps.clear();
        while (!m_board.TurnOver()) {
            const std::vector<gm::TMoveRecord> made = MoveSomething();
            if (made.empty()) break;
            for (const gm::TMoveRecord& record : made) {
                Send(pl::BuildMove(pl::kMove, {record.Source, record.Pips()}));
                m_steps.push_back({record.Source, record.Pips()});
                m_moveEnds.push_back(ServerView());
                ++m_movesSent;
            }
            if (m_moveEnds.back() != m_board.Position()) Fault("the board differs from the steps sent");
            if (m_undos == 0) TakeBack();
        }
        m_board.EndTurn();
        m_turnEnds.push_back(m_board.Position());
        if (m_board.AllOff(m_colour)) {
            const int resultClass = m_board.ResultClass(m_colour);
            Send(pl::BuildClass(pl::kGameWon, resultClass));
            GameOver(m_colour, resultClass);
            return;
        }
        Send(Code(pl::kTurnOver));
    }

    void TakeBack() {
        if (std::optional<gm::TMoveRecord> record = m_board.Undo()) {
            Send(pl::BuildUndo(pl::kUndo, *record));
            m_steps.pop_back();
            m_moveEnds.push_back(ServerView());
            if (m_moveEnds.back() != m_board.Position()) Fault("the board differs from the steps after an undo");
            ++m_undos;
        } else {
            Fault("own undo refused");
        }
    }

    // The position as the server keeps it: the turn's start with the steps
    // sent and not taken back, each applied as a single step.
    gm::TPosition ServerView() const {
        gm::TPosition position = m_turnStart;
        for (const gm::TStep& step : m_steps) position.ApplyStep(m_colour, step.Source, step.Pips);
        return position;
    }

    std::vector<gm::TMoveRecord> MoveSomething() {
        for (int point = 0; point < gm::kPointCount; ++point) {
            const int checker = m_board.PickUp(m_board.TopChecker(point));
            if (checker == gm::kNoChecker) continue;
            std::vector<gm::TMoveRecord> made = m_board.QuickMove(checker);
            if (!made.empty()) return made;
            for (const gm::THintDie& hint : m_board.HintDice(point)) {
                made = m_board.Drop(checker, hint.Target);
                if (!made.empty()) return made;
            }
        }
        return {};
    }

    // Scores the game on the own board and starts the next one.
    void GameOver(TColour winner, int resultClass) {
        if (winner == m_colour) ++m_gamesWon;
        m_board.Match().Add(winner, gm::GamePoints(resultClass, m_board.Cube().Value()));
        if (m_board.Match().IsOver()) return;
        m_board.StartGame();
        m_opening = {0, 0};
        Send(Code(pl::kOpeningRollRequest));
    }

    TWireUser& m_user;
    size_t m_read = 0;
    gm::TBoard m_board;
    TColour m_colour = TColour::White;
    bool m_started = false, m_doubled = false;
    std::array<int, 2> m_opening{};  // own, opponent's
    std::vector<gm::TPosition> m_turnEnds, m_moveEnds;
    gm::TPosition m_turnStart;
    std::vector<gm::TStep> m_steps;
    std::vector<int> m_dice;
    std::vector<std::string> m_chat, m_faults;
    int m_doublesSent = 0, m_accepted = 0, m_declined = 0, m_undos = 0, m_gamesWon = 0, m_movesSent = 0;
};

class GammonMatchTest : public ThreeUsersTest {
protected:
    std::string ChatContaining(const TGammonPlayer& player, const std::string& part) {
        for (const std::string& line : player.ChatLines())
            if (line.find(part) != std::string::npos) return line;
        return "";
    }
    protocol::TGameStatistics Statistics(const std::string& name) {
        // Eva's lobby asks too; her answers go to her window, not to Bo.
        const size_t before = AllOf<protocol::TUserInfo>(*bo).size();
        bo->Send(protocol::Build(protocol::TInfoRequest{name}));
        EXPECT_TRUE(Until([&] { return AllOf<protocol::TUserInfo>(*bo).size() > before; }));
        const std::vector<protocol::TUserInfo> infos = AllOf<protocol::TUserInfo>(*bo);
        return infos.empty() ? protocol::TGameStatistics{} : infos.back().Games[kGammon - 1];
    }
};

TEST_F(GammonMatchTest, TwoPlayAThreePointMatchWithTheCubeOnTheDiceTheKeyGives) {
    bo->Send(OpenTable(kGammon, "3"));
    ASSERT_TRUE(Sync(*bo));
    cy->Send(AskTable(kGammon, "Bo"));
    ASSERT_TRUE(Until([&] { return AllOf<protocol::TJoinRequest>(*bo).size() == 1; }));
    bo->Send(StartTable(kGammon, {"Cy"}));

    int doubles = 0;
    TGammonPlayer boSide(*bo), cySide(*cy);
    boSide.doublesSeen = cySide.doublesSeen = &doubles;
    ASSERT_TRUE(Until(
        [&] {
            boSide.Read();
            cySide.Read();
            return AllOf<protocol::TGameResult>(*bo).size() == 1 && AllOf<protocol::TGameResult>(*cy).size() == 1;
        },
        2000000))
        << "the match did not end; moves " << boSide.MovesSent() << " + " << cySide.MovesSent();
    boSide.Read();
    cySide.Read();
    EXPECT_EQ(boSide.Faults(), std::vector<std::string>{});
    EXPECT_EQ(cySide.Faults(), std::vector<std::string>{});
    ASSERT_NE(boSide.Colour(), cySide.Colour());

    // Both boards agreed after every turn of every game.
    EXPECT_GT(boSide.TurnEnds().size(), 10u);
    EXPECT_EQ(boSide.TurnEnds(), cySide.TurnEnds());
    // And after every single move and undo, where the mover's board also
    // matched the steps it sent, applied as the server applies them.
    EXPECT_GT(boSide.MoveEnds().size(), boSide.TurnEnds().size());
    EXPECT_EQ(boSide.MoveEnds(), cySide.MoveEnds());
    EXPECT_GE(boSide.GamesWon() + cySide.GamesWon(), 2);

    // The cube: Bo's or Cy's first double was taken, the redouble declined.
    EXPECT_EQ(boSide.Doubles() + cySide.Doubles(), 2);
    EXPECT_EQ(boSide.Accepted() + cySide.Accepted(), 1);
    EXPECT_EQ(boSide.Declined() + cySide.Declined(), 1);
    EXPECT_GE(boSide.Undos() + cySide.Undos(), 2);

    // The match: the same score on both boards, the winner past 3 points.
    const gm::TMatchScore& score = boSide.Board().Match();
    ASSERT_TRUE(score.IsOver());
    const TColour winnerColour = *score.Winner();
    EXPECT_GE(score.Points(winnerColour), 3);
    EXPECT_EQ(cySide.Board().Match().Points(TColour::White), score.Points(TColour::White));
    EXPECT_EQ(cySide.Board().Match().Points(TColour::Black), score.Points(TColour::Black));
    TWireUser& won = boSide.Colour() == winnerColour ? *bo : *cy;
    TWireUser& lost = boSide.Colour() == winnerColour ? *cy : *bo;
    EXPECT_EQ(AllOf<protocol::TGameResult>(won).front().Result, protocol::TGameResult::kResultWon);
    EXPECT_NE(AllOf<protocol::TGameResult>(lost).front().Result, protocol::TGameResult::kResultWon);
    ASSERT_TRUE(Until([&] {
        return AllOf<protocol::TRatingChange>(won).size() == 1 && AllOf<protocol::TRatingChange>(lost).size() == 1;
    }));
    const protocol::TGameStatistics winnerStats = Statistics(won.Alias());
    EXPECT_EQ(winnerStats.Won, 1);
    EXPECT_EQ(winnerStats.Place, "1");
    const protocol::TGameStatistics loserStats = Statistics(lost.Alias());
    EXPECT_EQ(loserStats.Lost, 1);
    EXPECT_EQ(loserStats.Won, 0);

    // The dice: the announced hash is the key's, and the key derives every
    // die both players saw, in order, and no other.
    EXPECT_EQ(boSide.Dice(), cySide.Dice());
    const std::string hashLine = ChatContaining(boSide, "BLAKE2b");
    const std::string keyLine = ChatContaining(cySide, "Dice key: ");
    ASSERT_NE(hashLine, "");
    ASSERT_NE(keyLine, "");
    const std::optional<server::FairDice::Key> key =
        server::FairDice::ParseKey(keyLine.substr(keyLine.find("key: ") + 5, 64));
    ASSERT_TRUE(key);
    EXPECT_NE(hashLine.find(server::FairDice::Commitment(*key)), std::string::npos);
    EXPECT_NE(keyLine.find("(" + std::to_string(boSide.Dice().size()) + " dice)"), std::string::npos) << keyLine;
    for (size_t n = 0; n < boSide.Dice().size(); ++n)
        ASSERT_EQ(boSide.Dice()[n], server::FairDice::DieAt(*key, n)) << n;
}

}  // namespace
}  // namespace e2etest
