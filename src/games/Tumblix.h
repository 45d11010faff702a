// TTumblixForm: the Tumblix game window (falling blocks, two players). The
// own well is played through the rules library (rules::tumblix::TOwnGame);
// the opponent's well is rebuilt from the opponent's payloads
// (rules::tumblix::TWellReplay). The window only shows what they decide,
// sends the own game's payloads, plays its sounds and runs its timers.
//
// Files: TumblixForm.cpp (creation, showing, closing, the game's life,
// pause and result), TumblixDraw.cpp (wells, next-piece boxes, balance bar,
// labels, the weight and bomb animations), TumblixKeys.cpp (keys and the
// game tick), TumblixNet.cpp (payloads in and out).
//
// Drawing: each well keeps a copy of what is on screen per cell (-1: not
// drawn), and only cells that differ from it are painted, straight into the
// back buffer. The weight and bomb animations run on a timer instead of
// blocking the window; meanwhile gravity stops and the well shown is the
// animation's, and held keys are released when they end.
//
// The lobby is reached through the base's OnLobbyRoom (Alt+1..9).
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "games/Gameform.h"
#include "games/TumblixAnimation.h"
#include "rules/tumblix/OwnGame.h"
#include "rules/tumblix/WellReplay.h"

class TCheck;
class TMyimage;
class TMyimagelist;
class TMyTimer;
class TText;

class TTumblixForm : public TGameform {
public:
    static constexpr int kCell = 16;
    static constexpr int kTickMs = 30;
    static constexpr int kPositionMs = 1000;
    static constexpr int kPauseLimitMs = 120000;
    // A held key moves on the tick after it has counted this many.
    static constexpr int kRepeatThreshold = 4;
    static constexpr int kPauseAllowance = 6;
    static constexpr int kOwnPauseCost = 2;
    static constexpr int kOwn = 0, kOpponent = 1;

    TTumblixForm();
    ~TTumblixForm() override;

    // Alt + digit: asks the lobby to take the focus and select that room;
    // false when it has fewer rooms. Empty: the keys do nothing.

    // What tests and tools look at.
    const rules::tumblix::TOwnGame& Game() const { return m_game; }
    const rules::tumblix::TWellReplay& Opponent() const { return m_replay; }
    bool Running() const;
    bool Paused() const { return m_paused; }
    bool Animating() const { return m_animation->Running(); }
    int PauseAllowance() const { return m_allowance; }
    TText* LevelLabel() const { return m_level.get(); }
    TText* ProcentLabel() const { return m_procent.get(); }
    TText* PauseLabel() const { return m_pauseText.get(); }
    TText* NameLabel(int player) const { return player == kOwn ? m_name1.get() : m_name2.get(); }
    TCheck* ReadyToggle() const { return m_ready.get(); }
    TRollover* PauseButton() const { return m_pauseButton.get(); }
    TMyTimer& GameTick() const { return *m_tick; }
    // The pixel origin of a well.
    int WellLeft(int player) const { return m_origin[Index(player)].X; }
    int WellTop(int player) const { return m_origin[Index(player)].Y; }
    // The brick drawn at a cell now (0: background, -1: not drawn).
    int Drawn(int player, int x, int y) const;
    // The split of the balance bar as last drawn.
    int StatusSplit() const { return m_split; }

protected:
    void FormShow() override;
    void FormClose() override;
    void FormDeactivate() override;
    bool FormKeyDown(int key, unsigned shift) override;
    bool FormKeyUp(int key, unsigned shift) override;
    void GameRead(const std::string& data) override;
    void GameStarted() override;

private:
    struct TPoint {
        int X = 10, Y = 10;
    };
    struct TBox {
        int X = 10, Y = 10, Width = 10, Height = 10;
    };
    enum TSlot { kDown, kLeft, kRight, kTurn, kDrop, kSlotCount };
    struct TKeySlot {
        int Code = 0;
        bool Held = false;
        int Repeat = 0;
    };
    using TDrawn = std::array<std::array<int, rules::tumblix::kWellColumns>, rules::tumblix::kWellRows>;

    static size_t Index(int player) { return player == kOwn ? 0 : 1; }

    // Creation (TumblixForm.cpp).
    void CreateControls();
    void ReadLayout();
    void CreateTimers();

    // The game's life (TumblixForm.cpp).
    void Pause2click();
    void StartPause(int n);
    void EndPause();
    void ReadyChange();
    void PauseLimit();
    void ShowResult(const rules::tumblix::TResult& result);
    void StopGame();

    // Keys and the tick (TumblixKeys.cpp).
    void OnTimer();
    void MoveBy(TSlot slot);
    void KeyOff();
    void PausePressed();
    TKeySlot* SlotOf(int key);

    // Payloads (TumblixNet.cpp).
    void Sync();
    void SendPayloads();
    void PlayEvents();
    void Sendpos();
    void OpponentRead(const rules::tumblix::TPayload& payload, int code);
    void WrongControl(const std::string& data);

    // Drawing (TumblixDraw.cpp).
    void DrawScreen(int player);
    void DrawCells(int player, const rules::tumblix::TCells& cells);
    void DrawCell(int player, int x, int y, int colour);
    void ClearScreen(int player);
    void Restore(int player, int firstColumn, int lastColumn, int firstRow, int lastRow);
    void PrintPreview(int player, int shape);
    void MakeStatus();
    void PrintProcent();
    void PrintLevel();
    void RedrawEmptyCells();
    void ShowPauseImage(bool shown);
    void Animate(const rules::tumblix::TOwnEvent& event);
    void AnimateWeight(const rules::tumblix::TWeightFall& fall);
    void AnimateBlast(const rules::tumblix::TBlast& blast);
    void AnimationDone();
    void DrawBlastFrame(int frame, int x, int y);

    rules::tumblix::TOwnGame m_game;
    rules::tumblix::TWellReplay m_replay;

    std::array<TPoint, 2> m_origin;
    std::array<TBox, 2> m_preview;
    TPoint m_status{15, 100};
    std::array<TDrawn, 2> m_drawn{};
    std::array<int, 2> m_previewShape{rules::tumblix::kNoShape, rules::tumblix::kNoShape};
    int m_split = -1;
    // The own well as an animation shows it; none: the game's well.
    std::optional<rules::tumblix::TCells> m_shownOwn;

    std::unique_ptr<TMyimagelist> m_bricks;
    std::array<std::unique_ptr<TMyimagelist>, 2> m_explode, m_weight;
    std::unique_ptr<TMyimage> m_statusOwn, m_statusOpponent, m_pauseImage;
    std::unique_ptr<TText> m_name1, m_name2, m_level, m_procent, m_pauseText;
    std::unique_ptr<TText> m_levelCaption, m_nextCaption, m_nextCaption2, m_headline;
    std::unique_ptr<TCheck> m_ready;
    std::unique_ptr<TRollover> m_pauseButton;
    std::unique_ptr<TMyTimer> m_tick, m_position, m_pauseLimit;
    std::unique_ptr<TTumblixAnimation> m_animation;

    std::array<TKeySlot, kSlotCount> m_keys{};
    bool m_paused = false;
    int m_allowance = kPauseAllowance;
    int m_boxSlot = -1;
    bool m_wasDead = true;
};
