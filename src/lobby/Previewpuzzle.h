// TPreviewpuzzle: the preview of a running Puzzle game over the background
// "Peek_puz": both players' fields as grids of 7 × 10 bubbles (odd rows 6,
// shifted by half a bubble; colours 1..7 from "puzzle1".."puzzle7", 0
// empty), the number shown alone and the score.
//
// A shot flies while the preview is drawn: the bubble starts three bubble
// widths right of its grid's left edge and 75 pixels below its top, moves
// along the direction table (153 degrees down to 27, entry 0..126) by
// kStepPixels per 15 ms step, bounces off the grid's side walls, and once
// it has risen to its target's row settles in the target cell. A new shot
// or a cell change of that seat finishes a flight still under way first.
// Hidden, a shot sets its cell at once.
//
// Layout (section "Chat", key "PreviewPuzzle", relative to the slot): seat
// 1's grid x, y; seat 2's grid x, y; the row pitch (default the bubble's
// height); the number's x, y (font "Previewtumblixfont2"). The score label
// shows "Previewpuzzlescore" filled with the snapshot's three numbers.
#pragma once

#include <array>
#include <memory>

#include "lobby/Singlepreview.h"
#include "net/SessionWindows.h"

class TMyimagelist;
class TPreviewGrid;

class TPreviewpuzzle : public TSinglepreview {
public:
    static constexpr int kColumns = 7, kRows = 10;
    static constexpr int kColours = 7;
    static constexpr int kStepMs = 15;
    static constexpr int kStepPixels = 4;
    static constexpr int kCanonColumns = 3, kCanonDrop = 75;
    // A flight that has not arrived after this many steps settles anyway.
    static constexpr int kMaxSteps = 400;

    TPreviewpuzzle(TPaint* surface, const TPreviewPlace& place);
    ~TPreviewpuzzle() override;

    void Load(const TPuzzleSnapshot& snapshot);
    // Code 140; a seat, colour, direction or cell out of range is dropped.
    void Shot(const TPuzzleShot& shot);
    // Codes 142 and 143 (colour 0).
    void SetCell(const TPuzzleCell& cell);
    // Code 89.
    void SetNumber(int number);

    // 0 for a seat or cell outside the grids.
    int Cell(int seat, int column, int row) const;
    int Number() const { return m_number; }
    bool Flying(int seat) const;
    TPreviewGrid* Grid(int seat) const;
    TMyimagelist* Bubble(int seat) const;

protected:
    void Reset() override;
    void ShowContent() override;
    void HideContent() override;

private:
    struct TFlight {
        bool Active = false;
        int Colour = 0, Column = 0, Row = 0;
        int X = 0, Y = 0;  // thousandths of a pixel
        int Dx = 0, Dy = 0;
        int Steps = 0;
    };

    TPreviewGrid* SeatGrid(int seat) const;
    void Finish(int seat);
    void Launch(int seat, const TPuzzleShot& shot);
    void Tick();
    bool Step(int seat);

    std::array<std::unique_ptr<TPreviewGrid>, 2> m_grids;
    std::array<std::unique_ptr<TMyimagelist>, 2> m_bubbles;
    std::array<TFlight, 2> m_flights;
    std::unique_ptr<TText> m_numberLabel;
    std::unique_ptr<TMyTimer> m_timer;
    int m_number = 0;
};
