// TScreen: one Puzzle field as the window shows it, the own one or the
// opponent's copy. The rules decide every change at once (the shot's
// landing, the trash); the screen plays them: the flight, then the landed
// bubble, bursts, bombs, falls, arriving trash, each with its sound on the
// own field. The busy count counts the animations and falls still running;
// with it at 0 and nothing flying the field is idle, and the own window
// may shoot and place trash.
//
// Events (the window sets them for the own field): OnRemoved for a cell
// about to be emptied, OnFellOut for a fallen bubble that reached the
// bottom, OnSettle after every landing, animation end and fall end.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "games/PuzzleBobble.h"
#include "games/PuzzleNewbobble.h"
#include "rules/puzzle/PuzzleLanding.h"
#include "rules/puzzle/PuzzleTiming.h"

class TScreen {
public:
    // bottom: where falling bubbles leave the field (window y).
    TScreen(TMygfx* parent, const TBobbleFrames& frames, const rules::TPuzzleGeometry& geometry, int bottom,
            bool own);
    ~TScreen();

    const rules::TPuzzleGeometry& Geometry() const { return m_geometry; }
    TBobble& Cell(rules::TPuzzleCell cell) { return *m_cells[Index(cell)]; }
    const TBobble& Cell(rules::TPuzzleCell cell) const { return *m_cells[Index(cell)]; }
    TNewbobble& Flying() { return *m_flying; }
    int Busy() const { return m_busy; }
    bool Idle() const { return m_busy < 1 && !m_flying->Flying(); }

    // The shot flies; when it lands the changes the rules decided are played.
    void Launch(rules::TPuzzlePoint start, int entry, rules::TPuzzleCell target, int colour, int steps,
                rules::TPuzzleCellChanges changes);
    // Trash arrives in a cell.
    void PlaceTrash(rules::TPuzzleCell cell, int colour);
    // The flight lands, every animation ends and every fall stops, now.
    void FinishAll();
    // Everything finished and every cell empty.
    void Clear();
    // Every bubble plays the colour frames once and the field ends empty.
    void Die();
    void SetTimings(const rules::TPuzzleLevelTimings& timings);
    // The line runs while its window is shown; a hidden window costs no
    // timer wake-ups.
    void SetLineRunning(bool running);

    std::function<bool()> Running;
    std::function<void(rules::TPuzzleCell cell)> OnRemoved;
    std::function<void(int colour)> OnFellOut;
    std::function<void()> OnSettle;

private:
    static size_t Index(rules::TPuzzleCell cell) {
        return static_cast<size_t>(cell.Row * rules::kPuzzleColumns + cell.Column);
    }
    void Landed(rules::TPuzzleCell target, int colour);
    void PlayChange(const rules::TPuzzleCellChange& change);
    void Start(TBobble& cell, TBobbleStrip strip, int translucency, int colour);
    void Played(TBobble* cell);
    void Fallen(TBobble* cell, int colour);
    void Settle();
    void Sound(const char* name);

    const TBobbleFrames& m_frames;
    rules::TPuzzleGeometry m_geometry;
    int m_bottom;
    bool m_own;
    int m_busy = 0;
    // While finishing at once the settle step waits for the end.
    bool m_finishing = false;
    std::vector<std::unique_ptr<TBobble>> m_cells;
    std::unique_ptr<TNewbobble> m_flying;
    rules::TPuzzleCellChanges m_pending;
    std::unique_ptr<TMyimagelist> m_line;
};
