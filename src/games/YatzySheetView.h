// TYatzySheetView: the score sheet of the Yatzy window, drawn as labels over
// the sheet the skin's background holds: a title row, 21 rows, the row
// labels, the maximum points and one column per seat.
//
// The layout line "Yatzy" of the window's section gives four font names
// (title and row labels, maximum points, scores, scores of the computed
// rows), then left, top, the title row's height, a row's height, the widths
// of the label, maximum and player columns (each number default 10). The
// computed rows (7, 8, 21) are as tall as the title row. The labels come
// from the text "Yatzy" (the title first, then one per row) and the maxima
// from "YatzyMaxpoint" (the column's title first), both comma lists; the
// sheet always has the 21 rows of the rules, and a label the texts lack is
// empty.
//
// The view only draws: what a column shows comes from a rules::yatzy::TSheet.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "rules/yatzy/Sheet.h"

class TMygfx;
class TText;

class TYatzySheetView {
public:
    static constexpr int kSeats = 4;
    static constexpr int kDefaultSize = 10;

    TYatzySheetView(TMygfx* owner, const std::string& section);
    ~TYatzySheetView();
    TYatzySheetView(const TYatzySheetView&) = delete;
    TYatzySheetView& operator=(const TYatzySheetView&) = delete;

    // Shows the labels and the columns of seats 1..players, empty; hides
    // the other columns.
    void Reset(int players);
    // The column's texts as the sheet gives them.
    void DrawColumn(int seat, const rules::yatzy::TSheet& sheet);
    // Shows the points a row would give in the seat's column ("X" for 0).
    void ShowPreview(int seat, int row, int points);

    // The row (1..21) under a point anywhere across the sheet's width; 0
    // outside the rows.
    int RowAt(int x, int y) const;
    // What a cell shows; row 0 is the title row.
    std::string CellText(int seat, int row) const;
    std::string LabelText(int row) const;
    std::string MaximumText(int row) const;
    int Left() const { return m_left; }
    int Width() const;
    int RowTop(int row) const;
    int RowHeight(int row) const;
    // The left edge of a seat's column.
    int ColumnLeft(int seat) const;

private:
    using TColumn = std::array<std::unique_ptr<TText>, rules::yatzy::kRowCount + 1>;

    void ReadLayout(const std::string& section);
    void BuildColumn(TColumn& column, int left, int width, const std::string& font,
                     const std::string& computedFont, int kind);
    static void FillColumn(TColumn& column, const std::string& list);
    static std::string Shown(const TColumn& column, int row);

    TMygfx* m_owner;
    std::array<std::string, 4> m_fonts;
    int m_left = kDefaultSize, m_top = kDefaultSize;
    int m_titleHeight = kDefaultSize, m_rowHeight = kDefaultSize;
    int m_labelWidth = kDefaultSize, m_maxWidth = kDefaultSize, m_playerWidth = kDefaultSize;
    TColumn m_labels, m_maxima;
    std::array<TColumn, kSeats> m_seats;
};
