// TPuzzleform: the Puzzle game window, two bubble shooters side by side.
//
// The left field ("Screen") is the player's own, with the canon turned by
// cursor left and right and fired by space or cursor up; the right field
// ("Screen2") is a live copy of the opponent's, replayed from their shots
// and placed trash. The rules library decides everything (where a shot
// lands, what bursts and falls, the next colour, where trash goes, the
// timings of a level); this window draws and animates it, keeps the shot
// clock, the pause and the results, and sends and reads the payloads.
//
// Payloads out (after "G" and 3): ">" ready; 140 a shot; 141 an own bubble
// that fell off; 142 trash placed; 143 a cell about to be emptied; "=" a
// pause; 21 the own loss; 25 closing. In: 21 close; 22 / 168 the result;
// 56 the level; 61 a pause; 62 a new game; 140, 141, 142 from the opponent.
// A code the window does not know is shown in the "System" box and closes
// the window.
//
// The game's state: in a game from the server's ">" until the result or the
// own loss; running while in a game and not paused. Shots, levels and the
// opponent's payloads count only in a game. Bubbles that fall off the own
// field during a pause still go to the opponent.
#pragma once

#include <memory>
#include <string>

#include "games/Gameform.h"
#include "games/PuzzleFrames.h"
#include "rules/puzzle/PuzzlePayload.h"
#include "rules/puzzle/PuzzlePlayer.h"
#include "rules/puzzle/PuzzleReplica.h"
#include "rules/puzzle/PuzzleTiming.h"

class TColumn;
class TCountdown;
class TKeyhandler;
class TMyimagelist;
class TMyTimer;
class TRollover;
class TScreen;
class TText;

class TPuzzleform : public TGameform {
public:
    static constexpr char kSection[] = "Puzzle";
    static constexpr int kKeyRepeatMs = 20;
    static constexpr int kFirstRepeatTicks = 5;
    static constexpr int kPauseSeconds = 60;
    static constexpr int kPauseFadeMs = 25;
    static constexpr int kPausesPerShowing = 2;
    // The field's bounds end this far above the window's bottom edge.
    static constexpr int kFloorMargin = 58;
    static constexpr int kMainTimerPeriodMs = 5;

    TPuzzleform();
    ~TPuzzleform() override;

    // For the tests and the snapshot tool.
    TScreen& OwnScreen() { return *m_own; }
    TScreen& OpponentScreen() { return *m_opponent; }
    const rules::TPuzzlePlayer& Player() const { return *m_player; }
    const rules::TPuzzleReplica& Opponent() const { return *m_replica; }
    TMyimagelist& Canon() { return *m_canon; }
    TMyimagelist& Canon2() { return *m_canon2; }
    TMyimagelist& Preview() { return *m_preview; }
    TColumn& ShotClock() { return *m_column; }
    TMyTimer& ShotClockTimer() { return *m_clockTimer; }
    TCountdown& Countdown() { return *m_countdown; }
    TMyimagelist& PauseImage() { return *m_pauseImage; }
    TRollover& PauseButton() { return *m_pauseButton; }
    TText& Label(const std::string& key);
    bool Running() const { return m_running; }
    bool InGame() const { return m_inGame; }
    int Level() const { return m_level; }
    int PausesLeft() const { return m_pausesLeft; }

    // The window's events, public so the tests drive them as the controls do.
    void Pauseclick();
    void Pausenow();
    void Pausedone();
    void Progontimer(int64_t ticks);

protected:
    void FormShow() override;
    void FormClose() override;
    bool FormKeyDown(int key, unsigned shift) override;
    void GameRead(const std::string& data) override;
    void GameStarted() override;

private:
    // Building (Puzzle.cpp).
    void CreateScreens();
    void CreateControls();
    rules::TPuzzleGeometry ReadGeometry(const char* screenKey, const char* canonKey) const;
    void PlaceAtLobby();

    // Own play (PuzzleAiming.cpp).
    void Aim();
    void Turn(int by);
    void Die();
    void Settle();
    void StartShotClock();
    void StopShotClock();
    void ShowNext();
    void SetLevel(int level);
    void Reset();

    // Payloads (PuzzleNet.cpp).
    void OpponentShot(const rules::TPuzzlePayload& shot);
    void OpponentTrash(const rules::TPuzzlePayload& placed);
    void Result(const rules::TPuzzlePayload& result);
    void Send(const std::string& payload);

    TBobbleFrames m_frames;
    std::unique_ptr<rules::TPuzzlePlayer> m_player;
    std::unique_ptr<rules::TPuzzleReplica> m_replica;
    std::unique_ptr<TScreen> m_own, m_opponent;
    std::unique_ptr<TMyimagelist> m_canon, m_canon2, m_preview, m_pauseImage;
    std::unique_ptr<TColumn> m_column;
    std::unique_ptr<TMyTimer> m_clockTimer;
    rules::TPuzzleShotClock m_shotClock;
    std::unique_ptr<TCountdown> m_countdown;
    std::unique_ptr<TRollover> m_pauseButton;
    std::unique_ptr<TText> m_levelText, m_levelValue, m_name, m_opponentName, m_nameScore, m_opponentScore;
    std::unique_ptr<TKeyhandler> m_keys;
    int m_msgSlot = 0;

    bool m_running = false;
    bool m_paused = false;
    bool m_inGame = false;
    int m_level = 1;
    int64_t m_lastShot = 0;
    int m_pausesLeft = kPausesPerShowing;
};
