// One side of a Backgammon table played by the rules over a wire user's
// line: it reads the start and the game data the server sends and answers
// them exactly as the table window would (its own moves through the board's
// options, one undo in the match, one double, the cube answers, the game
// claims), and records what it saw: the positions after every move, undo
// and turn, the dice, the chat, and anything that did not fit its board.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "WireTables.h"
#include "rules/gammon/Board.h"
#include "rules/gammon/LegalPlays.h"
#include "rules/gammon/Payload.h"

namespace e2etest {

namespace gm = rules::gammon;
namespace pl = rules::gammon::payload;

inline std::string GammonCode(uint8_t code) { return std::string(1, static_cast<char>(code)); }

// One side of the table, played by the rules over a wire user's line.
class TGammonPlayer {
public:
    static constexpr int kGammon = 2;

    explicit TGammonPlayer(TWireUser& user) : m_user(user) {}

    TWireUser& User() { return m_user; }
    const gm::TBoard& Board() const { return m_board; }
    bool Started() const { return m_started; }
    gm::TColour Colour() const { return m_colour; }
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
    // When set, messages are held here for the test to send, instead of
    // going out at once.
    std::vector<std::string>* held = nullptr;

private:
    void Fault(const std::string& text) { m_faults.push_back(m_user.Alias() + ": " + text); }
    void Send(const std::string& payload) {
        if (held)
            held->push_back(GamePayload(kGammon, payload));
        else
            m_user.Send(GamePayload(kGammon, payload));
    }

    void ReadMessage(const std::string& message) {
        if (message.empty()) return;
        const uint8_t code = uint8_t(message[0]);
        if (code == uint8_t(protocol::TGameStartMessage::kCode)) {
            protocol::TGameStartMessage start;
            if (!protocol::Parse(message, start) || !std::holds_alternative<rules::TGammonSetup>(start.Setup))
                return Fault("unreadable start");
            const rules::TGammonSetup& setup = std::get<rules::TGammonSetup>(start.Setup);
            m_colour = setup.OwnWhite ? gm::TColour::White : gm::TColour::Black;
            m_board.StartTable(m_colour, setup.MatchPoints);
            m_board.StartGame();
            m_started = true;
            Send(GammonCode(pl::kReady));
        } else if (code == uint8_t(protocol::TGameData::kCode)) {
            protocol::TGameData data;
            if (!protocol::Parse(message, data) || data.Payload.empty()) return Fault("unreadable game data");
            if (m_started) Handle(data.Payload);
        }
    }

    void Handle(const std::string& payload) {
        switch (uint8_t(payload[0])) {
            case pl::kTableBegins: Send(GammonCode(pl::kOpeningRollRequest)); break;
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
            case pl::kOpeningEqual: Send(GammonCode(pl::kOpeningRollRequest)); break;
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
                if (m_doubled) Send(GammonCode(pl::kRollRequest));
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
            Send(GammonCode(pl::kDouble));
            return;
        }
        Send(GammonCode(pl::kRollRequest));
    }

    void AnswerDouble() {
        if (TakeNext(*doublesSeen)) {
            ++m_accepted;
            Send(GammonCode(pl::kDoubleAccepted));
        } else {
            ++m_declined;
            Send(GammonCode(pl::kDoubleDeclined));
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
        Send(GammonCode(pl::kTurnOver));
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
    void GameOver(gm::TColour winner, int resultClass) {
        if (winner == m_colour) ++m_gamesWon;
        m_board.Match().Add(winner, gm::GamePoints(resultClass, m_board.Cube().Value()));
        if (m_board.Match().IsOver()) return;
        m_board.StartGame();
        m_opening = {0, 0};
        Send(GammonCode(pl::kOpeningRollRequest));
    }

    TWireUser& m_user;
    size_t m_read = 0;
    gm::TBoard m_board;
    gm::TColour m_colour = gm::TColour::White;
    bool m_started = false, m_doubled = false;
    std::array<int, 2> m_opening{};  // own, opponent's
    std::vector<gm::TPosition> m_turnEnds, m_moveEnds;
    gm::TPosition m_turnStart;
    std::vector<gm::TStep> m_steps;
    std::vector<int> m_dice;
    std::vector<std::string> m_chat, m_faults;
    int m_doublesSent = 0, m_accepted = 0, m_declined = 0, m_undos = 0, m_gamesWon = 0, m_movesSent = 0;
};

}  // namespace e2etest
