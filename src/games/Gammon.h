// TGammonform: the Backgammon table window. It owns the board engine
// (rules::gammon::TBoard) and everything around it: the start of the table
// from the game start, the opening roll and the turns, dragging and quick
// moves (GammonMouse.cpp), the cube and give-up offers, the end of each
// game and of the match (GammonTurns.cpp), the table chat and the keys
// (GammonChat.cpp), the turn count-down, the score list and the options.
//
// The window follows the server: it rolls only by asking (0xA0, 0xA5) and
// learns the dice from 160 / 165; own moves go out as 0xA3 one single move
// at a time, undos as 0xAB, and the opponent's come back as 163 / 171 and
// are replayed. Questions (take a double, end the turn) are asked in the
// window's own box (TGammonDialog) while the window keeps running; give-up
// offers and notices go through the message box slot of skin 2.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "games/Gameform.h"
#include "games/SentLines.h"
#include "rules/gammon/Board.h"

class TChat;
class TCharselect;
class TCountdown;
class TGammonDialog;
class TGammonOptionsform;
class TGammonPieces;
class TGlide;
class TMultilist;
class TMyedit;

class TGammonform : public TGameform {
public:
    static constexpr char kSection[] = "Gammon";
    static constexpr int kTurnSeconds = 180;
    static constexpr int kWarningSeconds = 30;
    // The give-up button shows once more than this many own turns began.
    static constexpr int kGiveUpAfterTurns = 5;
    static constexpr int kChatLength = 200;
    static constexpr int kChatRoom = 1;
    static constexpr char kDumpCommand[] = "/dumpchat";
    static constexpr char kDumpFile[] = "bg.txt";
    // Characters of the options string that keep "Anims" and "Confirm".
    static constexpr size_t kAnimsChar = 14, kConfirmChar = 15;

    TGammonform();
    ~TGammonform() override;

    // Message 85: an advertisement panel (1..3) is to load a URL.
    std::function<void(int panel, const std::string& url)> OnAdvert;
    // The lobby's top-left corner on the screen, for placing the window;
    // false when there is no lobby.
    std::function<bool(int& left, int& top)> LobbyCorner;
    // The options window the options button opens (given by the start-up
    // wiring; it must outlive the table). Without one the button does
    // nothing.
    void SetOptionsform(TGammonOptionsform* options) { m_optionsForm = options; }

    const rules::gammon::TBoard& Board() const { return m_board; }
    rules::gammon::TColour Own() const { return m_board.OwnColour(); }
    rules::gammon::TColour Opponent() const { return rules::gammon::Other(m_board.OwnColour()); }
    bool OwnTurn() const { return m_ownTurn; }
    bool NormalRolls() const { return m_normalRolls; }
    bool DoublePending() const { return m_doublePending; }
    bool MatchOver() const { return m_matchOver; }
    int TurnCounter() const { return m_turnCounter; }
    int DraggedChecker() const { return m_dragged; }

    bool Anims() const { return m_anims; }
    bool Automatic() const { return m_automatic; }
    bool Confirm() const { return m_confirm; }
    // The options window's toggles; Anims and Confirm tell the server.
    void SetAnims(bool on);
    void SetConfirm(bool on);
    void SetAutomatic(bool on);

    TRollover* RollButton() const { return m_roll.get(); }
    TRollover* UndoButton() const { return m_undo.get(); }
    TRollover* GiveUpButton() const { return m_giveUp.get(); }
    TRollover* OptionsButton() const { return m_options.get(); }
    TGammonDialog& Dialog() const { return *m_dialog; }
    TGammonPieces& Pieces() const { return *m_pieces; }
    TCountdown& Countdown() const { return *m_countdown; }
    TMyedit& ChatEntry() const { return *m_chatEntry; }
    TChat& ChatView() const { return *m_chat; }
    TMultilist& ScoreList() const { return *m_scores; }
    TGlide& GiveUpMenu(int n) const { return *m_giveUpMenus[static_cast<size_t>(n - 1)]; }
    // The chat view's plain lines.
    std::vector<std::string> ChatLines() const;

    // The roll button's action (opening or normal roll).
    void Roll();
    void UndoLast();
    void OfferDouble();
    // The give-up button: the menu that fits the position (1..3).
    int GiveUpMenuNumber() const;
    void OpenGiveUpMenu();
    void OfferGiveUp(int resultClass);
    void OpenOptions();

protected:
    void FormShow() override;
    void FormClose() override;
    void FormDeactivate() override;
    void GameStarted() override;
    void GameRead(const std::string& data) override;
    bool FormKeyDown(int key, unsigned shift) override;
    void FormMouseDown(int button, unsigned shift, int x, int y) override;
    void FormMouseUp(int button, unsigned shift, int x, int y) override;
    void FormMouseMove(unsigned shift, int x, int y) override;

private:
    // Building (Gammon.cpp).
    void CreateButtons();
    void CreateChat();
    void CreateScores();
    void CreateMenus();
    void LoadOptions();
    void SendOption(uint8_t option, bool on);
    void SendRaw(const std::string& message);
    void PlaceNearLobby();

    // Server payloads and turns (GammonTurns.cpp).
    void StartGame();
    void StartOpeningRoll();
    void RestartCountdown();
    void OpeningDie(const std::string& data);
    void OpeningWon();
    void OpponentTurnOver();
    void DiceRolled(const std::string& data);
    void OpponentMove(const std::string& data);
    void OpponentUndo(const std::string& data);
    void OpponentDoubles();
    void DoubleTaken();
    void OpponentGivesUp(const std::string& data);
    void OpponentWon(const std::string& data);
    void YouWin();
    void GameOver(bool ownWin, int points);
    void WinGame(int resultClass, bool alreadySent);
    void AfterOwnMove(const std::vector<rules::gammon::TMoveRecord>& records);
    void TurnFinished();
    void EndOwnTurn();
    void ShowCube(bool enabled);
    bool MayDouble() const;
    void HideTurnButtons();
    void Notice(const std::string& key, const std::string& arguments = "");
    void SystemLine(const std::string& key, const std::string& arguments = "");
    void RefreshScores();

    // Mouse (GammonMouse.cpp).
    void StartDrag(int checker, int x, int y);
    void DragMove(int x, int y);
    void Drop();
    void QuickMove(int checker);
    void UpdateHover(int x, int y);
    void ConfineToBoard(bool withTray);
    void ReleasePointer();
    bool CanMoveNow() const;

    // Chat and keys (GammonChat.cpp).
    void ChatLine(const std::string& data);
    void SubmitLine();
    void DumpChat();
    void OpenPicker();
    void ScrollChat(bool up);

    rules::gammon::TBoard m_board;
    std::string m_opponent, m_ownFigure, m_opponentFigure;
    bool m_normalRolls = false;
    bool m_ownTurn = false;
    bool m_doublePending = false;
    bool m_matchOver = false;
    int m_turnCounter = 0;
    int m_openingOwn = 0, m_openingOpponent = 0;
    bool m_anims = false, m_automatic = false, m_confirm = false;
    TGammonOptionsform* m_optionsForm = nullptr;
    int m_msgSlot = 0;
    int m_systemColour = 4;

    int m_dragged = -1;
    int m_hoverPoint = -1;
    int m_grabX = 0, m_grabY = 0;
    int m_lastX = 0;
    bool m_confined = false;

    TSentLines m_sentLines;
    std::unique_ptr<TGammonPieces> m_pieces;
    std::unique_ptr<TGammonDialog> m_dialog;
    std::unique_ptr<TRollover> m_roll, m_giveUp, m_undo, m_options, m_symbol;
    std::unique_ptr<TCountdown> m_countdown;
    std::unique_ptr<TMyedit> m_chatEntry;
    std::unique_ptr<TChat> m_chat;
    std::unique_ptr<TMultilist> m_scores;
    std::vector<std::unique_ptr<TGlide>> m_giveUpMenus;
    std::unique_ptr<TCharselect> m_picker;
};
