// TYatzyform: the Yatzy game window, for two to four players.
//
// The server decides whose turn it is (181) and who wins a round (186); the
// clients roll the dice themselves from the table's seed, each roll of any
// client drawing the next faces of the one shared generator, and tell each
// other what they roll (0xB8, then 0xB7 per die in die order), hold (0xB6)
// and write (0xB9). Every decision goes through the rules library: the dice
// cup counts rolls and holds, each seat's TSheet knows its rows, bonus and
// texts, and ChoiceWrites says what choosing a row writes and in which
// order. The window draws what they say.
//
// Parts, one file each: this window (set-up, showing, closing, keys, the
// count-down), YatzyTurns.cpp (turns, rolling, holding, choosing a row, the
// hover preview, round ends), YatzyPayloads.cpp (the server's payloads),
// TYatzySheetView (the sheet), TYatzyDie (a die) and TTableChat (the chat).
//
// The round's notice box is modal, and payloads arriving meanwhile are
// handled inside it; the sheets are therefore reset before the box shows,
// so a row the next round's first player writes meanwhile is not lost.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>

#include "games/Gameform.h"
#include "rules/Dicestat.h"
#include "rules/GameSetup.h"
#include "rules/Random.h"
#include "rules/yatzy/DiceCup.h"
#include "rules/yatzy/Payload.h"
#include "rules/yatzy/Sheet.h"
#include "rules/yatzy/TableState.h"

class TCountdown;
class TMyimage;
class TRollover;
class TTableChat;
class TText;
class TYatzyDie;
class TYatzySheetView;
struct TGameStart;

class TYatzyform : public TGameform {
public:
    static constexpr int kKind = 4;
    static constexpr char kSection[] = "Yatzy";
    static constexpr int kSeats = 4;
    static constexpr int kTurnSeconds = 180;
    static constexpr int kWarningSeconds = 30;
    // The window opens this far right of and below the lobby's corner.
    static constexpr int kLobbyOffset = 10;
    // Frames of the roll counter strip: before the first roll, after 1..3.
    static constexpr int kCounterFrames = rules::yatzy::kMaxRolls + 1;

    // One seat at the table.
    struct TPlayer {
        std::string Alias;
        int RoundsWon = 0;
        rules::yatzy::TSheet Sheet;
        std::unique_ptr<TText> Name, Points;
        std::unique_ptr<TMyimage> Marker;
    };

    TYatzyform();
    ~TYatzyform() override;

    // The set-up of a start message of kind 4; seats and counts that do not
    // fit the table are brought into range (an own seat outside it plays no
    // turn).
    static rules::TYatzySetup SetupOf(const TGameStart& start);

    // Where the own rolls are counted for "/dicestat" (not owned; none: not
    // counted).
    void SetDicestat(rules::TDicestat* stat) { m_dicestat = stat; }
    // The lobby's top-left corner on the screen, for placing the window.
    std::function<bool(int& left, int& top)> LobbyCorner;
    // Message 85: an advertisement panel (1..3) is to load a URL.
    std::function<void(int slot, const std::string& url)> OnAdvert;

    // What the window shows, for the tests and the previews.
    const rules::TYatzySetup& Setup() const { return m_setup; }
    const TPlayer& Player(int seat) const;
    int CurrentSeat() const { return m_current; }
    bool OwnTurn() const { return m_ownTurn; }
    const rules::yatzy::TDiceCup& Cup() const { return m_cup; }
    const rules::TRandom& Random() const { return m_random; }
    TYatzyDie& Die(int die) const;
    TYatzySheetView& SheetView() const { return *m_sheet; }
    TTableChat& Chat() const { return *m_chat; }
    TRollover& RollButton() const { return *m_roll; }
    TCountdown& Countdown() const { return *m_countdown; }
    TText& MatchLength() const { return *m_matchLength; }
    // The roll counter's frame (1..4).
    int CounterFrame() const { return m_counterFrame; }

    // The own player's actions, as the controls call them.
    void Roll();
    void ToggleHold(int die);
    void ChooseRow(int row);
    // The preview for the row under the pointer (0: none).
    void PreviewRow(int row);

protected:
    void FormShow() override;
    void FormClose() override;
    bool FormKeyDown(int key, unsigned shift) override;
    void FormMouseDown(int button, unsigned shift, int x, int y) override;
    void FormMouseMove(unsigned shift, int x, int y) override;
    void GameStarted() override;
    void GameRead(const std::string& data) override;

private:
    // Building the window.
    void CreateSeats();
    void CreateDice();
    void CreateControls();

    // Showing it for a table.
    void PlaceBesideLobby();
    void ResetTable();
    void ResetSheets();
    void ShowCounter(int frame);
    void ShowSeat(int seat);

    // The server's payloads (YatzyPayloads.cpp).
    void Read(const rules::yatzy::TServerMessage& message);
    void ReadTurn(int seat);
    void ReadHeld(int die, bool held);
    void ReadDieRolled(int die);
    void ReadRolled();
    void ReadRowWritten(int row, int points);
    void ReadRoundWon(int seat);
    void ReadDroppedOut(int seat);
    void ReadingError(const std::string& detail);

    // Turns (YatzyTurns.cpp).
    void BeginTurn(int seat);
    void EndOwnTurn();
    void RollDie(int die, bool own);
    void SetClickable(bool clickable);
    bool DiceRolling() const;
    void DrawSheet(int seat);
    void Send(const rules::yatzy::TClientMessage& message);
    bool AskZeroPoints();
    void Timeout();

    bool IsSeat(int seat) const { return seat >= 1 && seat <= m_setup.PlayerCount; }
    TPlayer& Seat(int seat) { return m_players[static_cast<size_t>(seat - 1)]; }

    rules::TYatzySetup m_setup;
    std::array<TPlayer, kSeats> m_players;
    rules::yatzy::TDiceCup m_cup;
    rules::TRandom m_random;
    int m_current = 0;
    bool m_ownTurn = false;
    int m_previewRow = 0;
    int m_counterFrame = 1;
    int m_boxSlot = 0;
    rules::TDicestat* m_dicestat = nullptr;

    std::unique_ptr<TYatzySheetView> m_sheet;
    std::array<std::unique_ptr<TYatzyDie>, rules::yatzy::kDiceCount> m_dice;
    std::unique_ptr<TRollover> m_roll;
    std::unique_ptr<TMyimage> m_counter;
    int m_counterWidth = 0, m_counterX = 0, m_counterY = 0;
    std::unique_ptr<TCountdown> m_countdown;
    std::unique_ptr<TText> m_matchLength;
    std::unique_ptr<TTableChat> m_chat;
};
