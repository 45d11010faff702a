// Drawing of TMultilist: the header, the rows in view, and the cell codes.
#include <algorithm>
#include <functional>

#include "controls/Multilist.h"
#include "graphics/Mybitmap.h"
#include "graphics/Mybitmaplist.h"
#include "graphics/Myfont.h"
#include "graphics/Myimagelist.h"
#include "graphics/Paint.h"
#include "resources/StrFuncs.h"

namespace {

constexpr uint8_t kEscape = 1;
constexpr uint8_t kFontCode = 252;
constexpr uint8_t kMoveCode = 253;
constexpr uint8_t kHiddenCode = 254;
constexpr uint8_t kFormatted = 255;
constexpr uint8_t kPreviousFont = 255;
constexpr uint8_t kHiddenFont = 99;
constexpr int kFirstIconLimit = 100;
// The header's second line is its colour darkened by this much.
constexpr int kHeaderShade = 80;
// A move code wider than any list is skin or server nonsense.
constexpr int kMaxMove = 2000;

bool IsIconCell(const std::string& cell) {
    return cell.size() >= 2 && uint8_t(cell[0]) == kEscape && uint8_t(cell[1]) < kFirstIconLimit;
}

bool IsFormatted(const std::string& cell) {
    return cell.size() >= 2 && uint8_t(cell[0]) == kEscape && uint8_t(cell[1]) == kFormatted;
}

// The decimal digits of a move code up to its closing byte 1, from i.
int MoveAmount(const std::string& cell, size_t& i) {
    int amount = 0;
    while (i < cell.size() && uint8_t(cell[i]) != kEscape) {
        const char ch = cell[i++];
        if (ch >= '0' && ch <= '9') amount = std::min(kMaxMove, amount * 10 + (ch - '0'));
    }
    if (i < cell.size()) ++i;  // the closing 1
    return amount;
}

// Moves i to the next byte 1 (or the end), leaving it there.
void SkipToEscape(const std::string& cell, size_t& i) {
    while (i < cell.size() && uint8_t(cell[i]) != kEscape) ++i;
}

// Moves i past the next byte 1, the end of a code that closes with one.
void SkipPastEscape(const std::string& cell, size_t& i) {
    SkipToEscape(cell, i);
    if (i < cell.size()) ++i;
}

using TRunHandler = std::function<int(TMyfont* font, const std::string& text, int x)>;
using TFontLookup = std::function<TMyfont*(int number)>;

// Walks a cell from `from`, handing every stretch of text in one font to
// run (which returns its advance) and following the codes; returns the x
// after the last run.
int WalkRuns(const std::string& cell, size_t from, TMyfont* base, const TFontLookup& fontFor,
             const TRunHandler& run, int x) {
    TMyfont* font = base;
    TMyfont* previous = base;
    std::string text;
    auto flush = [&] {
        if (!text.empty()) x += run(font, text, x);
        text.clear();
    };
    size_t i = from;
    while (i < cell.size()) {
        const uint8_t ch = uint8_t(cell[i++]);
        if (ch != kEscape) {
            text += char(ch);
            continue;
        }
        flush();
        if (i >= cell.size()) break;
        const uint8_t code = uint8_t(cell[i++]);
        if (code == kFontCode && i < cell.size()) {
            const uint8_t number = uint8_t(cell[i++]);
            if (number == kPreviousFont) {
                std::swap(font, previous);
            } else {
                previous = font;
                font = fontFor(number);
            }
        } else if (code == kMoveCode) {
            x += MoveAmount(cell, i);
        } else if (code == kHiddenCode) {
            SkipPastEscape(cell, i);
        }
    }
    flush();
    return x;
}

}  // namespace

std::string TMultilist::PlainText(const std::string& cell) {
    std::string plain;
    size_t i = 0;
    while (i < cell.size()) {
        const uint8_t ch = uint8_t(cell[i++]);
        if (ch != kEscape) {
            plain += char(ch);
            continue;
        }
        if (i >= cell.size()) break;
        const uint8_t code = uint8_t(cell[i++]);
        if (code == kMoveCode || code == kHiddenCode) {
            SkipPastEscape(cell, i);
        } else if (code == kFontCode && i < cell.size()) {
            // Hidden text runs up to the next code, which still counts.
            if (uint8_t(cell[i++]) == kHiddenFont) SkipToEscape(cell, i);
        }
    }
    return plain;
}

TMyfont* TMultilist::FontFor(int number) const {
    if (number < 0 || number > 255) return m_font;
    TMyfont*& font = m_codeFonts[static_cast<size_t>(number)];
    if (!font) {
        const std::string name = "font" + std::to_string(number);
        font = TMybitmap::Exists(name) ? TFonts::Instance().GetFont(name) : m_font;
    }
    return font;
}

int TMultilist::TextWidth(const std::string& text) const { return m_font->TextWidth(text); }

int TMultilist::FontHeight() const { return m_font->Height(); }

// The pixel width of a cell as drawn: its icon and gap, its runs and moves.
int TMultilist::CellWidth(const std::string& cell) const {
    int x = 0;
    size_t from = 0;
    if (IsFormatted(cell)) {
        from = 2;
    } else if (IsIconCell(cell)) {
        from = 2;
        const TMybitmaplist* frames = m_icons ? m_icons->Frames() : nullptr;
        const TMybitmap* icon = frames ? frames->Get(uint8_t(cell[1]) - 1) : nullptr;
        if (icon) x = icon->Width() + kIconGap;
    } else {
        return m_font->TextWidth(cell);
    }
    return WalkRuns(
        cell, from, m_font, [this](int n) { return FontFor(n); },
        [](TMyfont* font, const std::string& text, int) { return font->TextWidth(text); }, x);
}

// Geometry -------------------------------------------------------------------

TRect TMultilist::RowsArea() const { return {m_x, RowsTop(), m_x + m_totalWidth, RowsTop() + m_height}; }

int TMultilist::RowTop(int row) const { return RowsTop() + row * m_rowHeight - m_pixelOffset; }

int TMultilist::ColumnLeft(int column) const {
    int left = m_x;
    for (int i = 0; i < column && i < m_columns; ++i) left += m_columnWidths[static_cast<size_t>(i)];
    return left;
}

// Drawing --------------------------------------------------------------------

void TMultilist::RedrawView() {
    if (!m_visible || !Shown()) return;
    Draw(Bounds());
}

void TMultilist::RedrawRow(int row) {
    if (!m_visible || !Shown() || row < 0 || row >= RowCount()) return;
    DrawRow(row, RowsArea());
}

void TMultilist::Draw(const TRect& rect) {
    if (!m_surface) return;
    const TRect clip = Intersect(rect, Bounds());
    if (clip.Empty()) return;
    if (m_hasHeader) DrawHeader(clip);
    DrawRows(clip);
}

void TMultilist::DrawRows(const TRect& clip) {
    const TRect area = Intersect(clip, RowsArea());
    if (area.Empty()) return;
    m_surface->Draw(area);  // the background, also under the rows' gaps
    const int first = std::max(0, RowAt(area.top));
    const int last = std::min(RowCount() - 1, RowAt(area.bottom - 1));
    for (int row = first; row <= last; ++row) DrawRow(row, area);
}

void TMultilist::DrawRow(int row, const TRect& clip) {
    const int top = RowTop(row);
    const TRect rowRect = Intersect({m_x, top, m_x + m_totalWidth, top + m_rowHeight},
                                    Intersect(clip, RowsArea()));
    if (rowRect.Empty()) return;
    DrawRowBackground(row, rowRect);
    const auto& cells = m_rows[static_cast<size_t>(row)];
    for (int column = 0; column < m_columns; ++column) {
        const int left = ColumnLeft(column);
        const int inset = column == m_columns - 1 ? 2 * kSeparator : kSeparator;
        const TRect cellRect{left, top, left + ColumnWidth(column) - inset, top + m_rowHeight};
        const TRect cellClip = Intersect(cellRect, rowRect);
        if (cellClip.Empty()) continue;
        const bool sliding = row == m_slideRow && column == m_slideColumn;
        DrawCell(cells[static_cast<size_t>(column)], cellRect, cellClip, sliding ? m_slideOffset : 0);
    }
}

void TMultilist::DrawRowBackground(int row, const TRect& area) {
    m_surface->Draw(area);
    if (!m_selectable || row != m_selected || !m_highlight || m_surface->Suspended()) return;
    const int top = RowTop(row);
    m_highlight->DrawOpaque({area.left - m_x, area.top - top, area.right - m_x, area.bottom - top},
                            m_surface->BackBuffer(), area.left, area.top);
}

void TMultilist::DrawCell(const std::string& cell, const TRect& cellRect, const TRect& clip,
                          int shift) {
    if (m_surface->Suspended() || cell.empty()) return;
    int x = cellRect.left - shift;
    if (IsFormatted(cell)) {
        DrawRuns(cell, 2, x, cellRect, clip, true);
    } else if (IsIconCell(cell)) {
        int advance = 0;
        DrawIcon(uint8_t(cell[1]), x, cellRect, clip, advance);
        if (advance > 0) x += advance + kIconGap;
        DrawRuns(cell, 2, x, cellRect, clip, true);
    } else {
        DrawRuns(cell, 0, x, cellRect, clip, false);
    }
}

// Each run is centred vertically in the row by its own font's height.
int TMultilist::DrawRuns(const std::string& cell, size_t from, int x, const TRect& cellRect,
                         const TRect& clip, bool formatted) {
    const platform::Surface& back = m_surface->BackBuffer();
    auto run = [&](TMyfont* font, const std::string& text, int at) {
        const int y = cellRect.top + (m_rowHeight - font->Height()) / 2;
        return font->DrawText(back, clip, text, at, y);
    };
    if (!formatted) return x + run(m_font, cell, x);
    return WalkRuns(cell, from, m_font, [this](int n) { return FontFor(n); }, run, x);
}

void TMultilist::DrawIcon(int frame, int x, const TRect& cellRect, const TRect& clip,
                          int& advance) {
    advance = 0;
    const TMybitmaplist* frames = m_icons ? m_icons->Frames() : nullptr;
    const TMybitmap* icon = frames && frame > 0 ? frames->Get(frame - 1) : nullptr;
    if (!icon) return;
    advance = icon->Width();
    const int y = cellRect.top + (m_rowHeight - icon->Height()) / 2;
    const TRect area = Intersect({x, y, x + icon->Width(), y + icon->Height()}, clip);
    if (area.Empty()) return;
    icon->DrawTransparent({area.left - x, area.top - y, area.right - x, area.bottom - y},
                          m_surface->BackBuffer(), area.left, area.top);
}

void TMultilist::FillLine(const TRect& area, TColour colour) {
    if (area.Empty() || m_surface->Suspended()) return;
    const platform::Surface& back = m_surface->BackBuffer();
    const TRect box = Intersect(area, {0, 0, back.width, back.height});
    const int bpp = DepthBytesPerPixel(back.depth);
    const uint32_t pixel = ColourToPixel(colour, back.depth);
    for (int y = box.top; y < box.bottom; ++y) {
        uint8_t* row = back.pixels + size_t(y) * size_t(back.pitch);
        for (int x = box.left; x < box.right; ++x) StorePixel(row + size_t(x) * size_t(bpp), bpp, pixel);
    }
}

// Captions in the header font over the background, a two-line rule at the
// bottom and 2-pixel separators, in the header colour and a darker shade.
void TMultilist::DrawHeader(const TRect& clip) {
    const int bottom = m_y + m_headerHeight;
    const TRect area = Intersect({m_x, m_y, m_x + m_totalWidth, bottom}, clip);
    if (area.Empty()) return;
    m_surface->Draw(area);
    const TColour dark = Darken(m_headerColour, kHeaderShade);
    for (int column = 0; column < m_columns; ++column) {
        const int left = ColumnLeft(column);
        const int right = left + ColumnWidth(column);
        const TRect cellClip = Intersect({left, m_y, right - kSeparator, bottom - kSeparator}, area);
        const std::string& caption = m_captions[static_cast<size_t>(column)];
        if (!cellClip.Empty() && !m_surface->Suspended()) {
            const int y = m_y + (m_headerHeight - kSeparator - m_headerFont->Height()) / 2;
            m_headerFont->DrawText(m_surface->BackBuffer(), cellClip, caption, left + kSeparator, y);
        }
        if (column < m_columns - 1) {
            FillLine(Intersect({right - 2, m_y, right - 1, bottom}, area), m_headerColour);
            FillLine(Intersect({right - 1, m_y, right, bottom}, area), dark);
        }
    }
    FillLine(Intersect({m_x, bottom - 2, m_x + m_totalWidth, bottom - 1}, area), m_headerColour);
    FillLine(Intersect({m_x, bottom - 1, m_x + m_totalWidth, bottom}, area), dark);
}
