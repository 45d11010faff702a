// TPreviewTumblix: the preview of a running Tumblix game: both players'
// wells of 12 × 26 cells drawn as small blocks over the background
// "Peek_tum", the number beside them and the score.
//
// Colours are the game's: 1..7 the pieces ("tumblix1".."tumblix7"), 8 the
// weight ("tumblixL"), 9 the bomb ("tumblixB"), 0 empty; the messages carry
// colour + 1.
//
// Layout (section "Chat", key "PreviewTumblix", relative to the slot): seat
// 1's well x, y; seat 2's well x, y; cell width and height (default 4);
// the number's x, y (font "Previewtumblixfont"). The score label shows the
// format "Previewtumblixscore" filled with a, b, c of the snapshot.
#pragma once

#include <array>
#include <memory>

#include "lobby/Singlepreview.h"
#include "net/SessionWindows.h"

class TPreviewGrid;

class TPreviewTumblix : public TSinglepreview {
public:
    static constexpr int kColumns = 12, kRows = 26;

    TPreviewTumblix(TPaint* surface, const TPreviewPlace& place);
    ~TPreviewTumblix() override;

    void Load(const TTumblixSnapshot& snapshot);
    // Code 75: cells of a seat (1 or 2), each value + 1; cells outside the
    // well are skipped.
    void SetCells(int seat, const std::vector<TTumblixCell>& cells);
    // Code 76: the well moves up one row, the bytes (colour + 1) fill the
    // bottom row.
    void AddRow(int seat, const std::array<uint8_t, kColumns>& row);
    // Code 77: row - 1 is removed, the rows above move down, the top row is
    // cleared. Rows outside 1..26 change nothing.
    void RemoveRow(int seat, int row);
    void SetNumber(int number);

    // 0 for a seat or cell outside the wells.
    int Cell(int seat, int column, int row) const;
    int Number() const { return m_number; }
    TPreviewGrid* Well(int seat) const;

protected:
    void Reset() override;
    void ShowContent() override;
    void HideContent() override;

private:
    TPreviewGrid* SeatWell(int seat) const;

    std::array<std::unique_ptr<TPreviewGrid>, 2> m_wells;
    std::unique_ptr<TText> m_numberLabel;
    int m_number = 0;
};
