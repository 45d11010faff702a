#include "games/YatzySheetView.h"

#include "controls/Text.h"
#include "games/LayoutFields.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace yz = rules::yatzy;

namespace {

// Labels stand this far in from their column's left edge.
constexpr int kLabelIndent = 6;

}  // namespace

TYatzySheetView::TYatzySheetView(TMygfx* owner, const std::string& section) : m_owner(owner) {
    ReadLayout(section);
    BuildColumn(m_labels, m_left + kLabelIndent, m_labelWidth - kLabelIndent, m_fonts[0], m_fonts[0],
                TText::kPlain);
    BuildColumn(m_maxima, m_left + m_labelWidth, m_maxWidth, m_fonts[1], m_fonts[1], TText::kCentred);
    for (int seat = 1; seat <= kSeats; ++seat)
        BuildColumn(m_seats[static_cast<size_t>(seat - 1)], ColumnLeft(seat), m_playerWidth, m_fonts[2],
                    m_fonts[3], TText::kCentred);
    FillColumn(m_labels, GetText(section, "Yatzy"));
    FillColumn(m_maxima, GetText(section, "YatzyMaxpoint"));
}

TYatzySheetView::~TYatzySheetView() = default;

void TYatzySheetView::ReadLayout(const std::string& section) {
    TLayoutFields f(section, "Yatzy");
    for (size_t i = 0; i < m_fonts.size(); ++i) m_fonts[i] = f.Text(i);
    m_left = f.Number(4, kDefaultSize);
    m_top = f.Number(5, kDefaultSize);
    m_titleHeight = f.Number(6, kDefaultSize);
    m_rowHeight = f.Number(7, kDefaultSize);
    m_labelWidth = f.Number(8, kDefaultSize);
    m_maxWidth = f.Number(9, kDefaultSize);
    m_playerWidth = f.Number(10, kDefaultSize);
}

int TYatzySheetView::ColumnLeft(int seat) const {
    return m_left + m_labelWidth + m_maxWidth + (seat - 1) * m_playerWidth;
}

int TYatzySheetView::Width() const { return m_labelWidth + m_maxWidth + kSeats * m_playerWidth; }

int TYatzySheetView::RowHeight(int row) const {
    return row == 0 || yz::IsComputedRow(row) ? m_titleHeight : m_rowHeight;
}

int TYatzySheetView::RowTop(int row) const {
    int top = m_top;
    for (int r = 0; r < row; ++r) top += RowHeight(r);
    return top;
}

void TYatzySheetView::BuildColumn(TColumn& column, int left, int width, const std::string& font,
                                  const std::string& computedFont, int kind) {
    for (int row = 0; row <= yz::kRowCount; ++row) {
        const int top = RowTop(row);
        const std::string& cellFont = yz::IsComputedRow(row) ? computedFont : font;
        column[static_cast<size_t>(row)] =
            std::make_unique<TText>(m_owner, kind, cellFont, "", top + RowHeight(row), left + width, top, left);
    }
}

void TYatzySheetView::FillColumn(TColumn& column, const std::string& list) {
    std::string rest = list;
    for (auto& cell : column) cell->SetText(rest.empty() ? std::string() : CutField(rest));
}

void TYatzySheetView::Reset(int players) {
    for (auto& cell : m_labels) cell->Show();
    for (auto& cell : m_maxima) cell->Show();
    for (int seat = 1; seat <= kSeats; ++seat) {
        for (auto& cell : m_seats[static_cast<size_t>(seat - 1)]) {
            cell->SetText("");
            if (seat <= players)
                cell->Show();
            else
                cell->Hide();
        }
    }
}

void TYatzySheetView::DrawColumn(int seat, const yz::TSheet& sheet) {
    if (seat < 1 || seat > kSeats) return;
    TColumn& column = m_seats[static_cast<size_t>(seat - 1)];
    for (int row = yz::kFirstRow; row <= yz::kRowCount; ++row) {
        TText& cell = *column[static_cast<size_t>(row)];
        const std::string text = sheet.CellText(row);
        if (cell.Text() != text) cell.SetText(text);
    }
}

void TYatzySheetView::ShowPreview(int seat, int row, int points) {
    if (seat < 1 || seat > kSeats || !yz::IsRow(row)) return;
    m_seats[static_cast<size_t>(seat - 1)][static_cast<size_t>(row)]->SetText(yz::PointsText(points));
}

int TYatzySheetView::RowAt(int x, int y) const {
    if (x < m_left || x >= m_left + Width()) return 0;
    for (int row = yz::kFirstRow; row <= yz::kRowCount; ++row) {
        const int top = RowTop(row);
        if (y >= top && y < top + RowHeight(row)) return row;
    }
    return 0;
}

std::string TYatzySheetView::Shown(const TColumn& column, int row) {
    if (row < 0 || row > yz::kRowCount) return "";
    return column[static_cast<size_t>(row)]->Text();
}

std::string TYatzySheetView::CellText(int seat, int row) const {
    if (seat < 1 || seat > kSeats) return "";
    return Shown(m_seats[static_cast<size_t>(seat - 1)], row);
}

std::string TYatzySheetView::LabelText(int row) const { return Shown(m_labels, row); }
std::string TYatzySheetView::MaximumText(int row) const { return Shown(m_maxima, row); }
