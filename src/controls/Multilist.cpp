#include "controls/Multilist.h"

#include <algorithm>

#include "controls/Scrollbar.h"
#include "graphics/Mybitmap.h"
#include "graphics/Myfont.h"
#include "graphics/Paint.h"
#include "platform/Platform.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace {

constexpr char kDefaultFont[] = "font1";
constexpr char kDefaultScrollElement[] = "List";
constexpr int kDefaultHeight = 100;
constexpr int kDefaultRowHeight = 10;
constexpr int kDefaultColumnWidth = 10;
constexpr int kDefaultHeaderHeight = 20;
// A header as high as its font gets this much air.
constexpr int kHeaderFontPad = 5;
// A highlighted row made from its font height gets this much air.
constexpr int kSelectionPad = 4;
// The bevel of the "UP" and "DOWN" highlight bars.
constexpr int kBevel = 180;
// Keeps pixel arithmetic of skin numbers far from overflow.
constexpr int kMaxLayoutNumber = 100000;

int Number(std::string& line, int defaultValue) {
    int32_t value = defaultValue;
    if (!ParseInteger(CutField(line), value)) return defaultValue;
    return std::clamp<int32_t>(value, -kMaxLayoutNumber, kMaxLayoutNumber);
}

// Colours are 0x00BBGGRR numbers, not pixel sizes: no clamping.
TColour ColourNumber(std::string& line, TColour defaultValue) {
    int32_t value = 0;
    if (!ParseInteger(CutField(line), value)) return defaultValue;
    return static_cast<TColour>(value) & 0xFFFFFF;
}

TMyfont* NamedFont(const std::string& name) {
    return TFonts::Instance().GetFont(name.empty() ? kDefaultFont : name);
}

}  // namespace

// Construction -----------------------------------------------------------

TMultilist::TMultilist(TMygfx* spriteOwner, TClickEvent onClick, const void* owner,
                       const std::string& key, const std::string& section, int columns)
    : TMultilist(spriteOwner, std::move(onClick), owner,
                 TLines{GetText(section, key + "head"),
                        SettingsFile().ReadString(section, key + "head", ""),
                        SettingsFile().ReadString(section, key + "colwidths", ""),
                        SettingsFile().ReadString(section, key, "")},
                 columns) {}

std::unique_ptr<TMultilist> TMultilist::CreateFrom(TMygfx* spriteOwner, TClickEvent onClick,
                                                   const void* owner,
                                                   const std::string& headerCaptions,
                                                   const std::string& headerLayout,
                                                   const std::string& columnWidths,
                                                   const std::string& layout, int columns) {
    return std::unique_ptr<TMultilist>(
        new TMultilist(spriteOwner, std::move(onClick), owner,
                       TLines{headerCaptions, headerLayout, columnWidths, layout}, columns));
}

TMultilist::TMultilist(TMygfx* spriteOwner, TClickEvent onClick, const void* owner, TLines lines,
                       int columns)
    : TMygfx(spriteOwner),
      OnClick(std::move(onClick)),
      m_surface(spriteOwner ? spriteOwner->Paint() : nullptr),
      m_owner(owner),
      m_columns(std::clamp(columns, 1, 64)),
      m_timer(std::make_unique<TMyTimer>()) {
    ReadLayout(lines.layout);
    ReadColumnWidths(lines.widths);
    ReadHeader(lines.header, lines.captions);
    CreateScrollbar(m_scrollElement);
    m_rowsShown = m_rowHeight > 0 ? std::max(0, m_height / m_rowHeight) : 0;
    SetBounds({m_x, m_y, m_x + m_totalWidth, m_y + m_headerHeight + m_height});
    BuildHighlight();
    m_timer->SetInterval(kSlideMs);
    m_timer->OnTick = [this](TMyTimer*, int64_t intervals) { Tick(intervals); };
    Subscribe();
}

TMultilist::~TMultilist() {
    Unsubscribe();
    m_timer->SetEnabled(false);
    if (m_highlight) m_highlight->Release();
}

void TMultilist::ReadLayout(std::string layout) {
    m_font = NamedFont(CutField(layout));
    m_x = Number(layout, 0);
    m_y = Number(layout, 0);
    m_height = std::max(0, Number(layout, kDefaultHeight));
    const int rowHeight = Number(layout, kDefaultRowHeight);
    m_highlightColour = ColourNumber(layout, 0);
    m_slide = SameTextAscii(CutField(layout), "TRUE");
    m_selectionStyle = CutField(layout);
    CutField(layout);  // unused field
    std::string element = CutField(layout);
    if (element.empty()) element = kDefaultScrollElement;
    m_rowHeight = rowHeight;
    if (m_rowHeight <= 0) {
        m_rowHeight = m_font->Height();
        if (!m_selectionStyle.empty() && !SameTextAscii(m_selectionStyle, "FALSE"))
            m_rowHeight += kSelectionPad;
    }
    m_rowHeight = std::max(1, m_rowHeight);
    m_scrollElement = element;
}

void TMultilist::ReadColumnWidths(std::string widths) {
    m_columnWidths.clear();
    m_totalWidth = 0;
    for (int i = 0; i < m_columns; ++i) {
        const int width = std::max(0, Number(widths, kDefaultColumnWidth));
        m_columnWidths.push_back(width);
        m_totalWidth += width;
    }
}

void TMultilist::ReadHeader(std::string header, std::string captions) {
    m_hasHeader = !header.empty();
    if (m_hasHeader) {
        m_headerFont = NamedFont(CutField(header));
        m_headerColour = ColourNumber(header, 16777215);
        m_headerHeight = std::max(0, Number(header, kDefaultHeaderHeight));
        if (m_headerHeight == 0) m_headerHeight = m_headerFont->Height() + kHeaderFontPad;
        for (int i = 0; i < m_columns; ++i) m_captions.push_back(CutField(captions));
        // The rows give the header its place at the top.
        m_height = std::max(0, m_height - m_headerHeight);
    }
}

void TMultilist::CreateScrollbar(const std::string& element) {
    const int rowsShown = m_rowHeight > 0 ? std::max(0, m_height / m_rowHeight) : 0;
    m_scrollbar = std::make_unique<TScrollbar>(Parent(), element,
                                               [this](TScrollbar*) { ScrollbarChanged(); }, this,
                                               m_height, m_y, m_x + m_totalWidth + 4);
    m_scrollbar->SetPage(rowsShown);
}

// "UP" and "DOWN" draw a bevelled bar of the highlight colour; any other
// style but "FALSE" names an image.
void TMultilist::BuildHighlight() {
    if (m_selectionStyle.empty() || SameTextAscii(m_selectionStyle, "FALSE")) return;
    const bool up = SameTextAscii(m_selectionStyle, "UP");
    if (!up && !SameTextAscii(m_selectionStyle, "DOWN")) {
        m_highlight = TMybitmap::Acquire(LowerCaseAscii(m_selectionStyle));
        return;
    }
    const TColour light = Lighten(m_highlightColour, kBevel);
    const TColour dark = Darken(m_highlightColour, kBevel);
    const TColour topLeft = up ? light : dark;
    const TColour bottomRight = up ? dark : light;
    m_highlight = TMybitmap::CreateBlank(m_totalWidth, m_rowHeight);
    if (!m_highlight) return;
    const int w = m_highlight->Width(), h = m_highlight->Height();
    m_highlight->Fill({0, 0, w, h}, m_highlightColour);
    m_highlight->Fill({0, 0, 1, h}, topLeft);
    m_highlight->Fill({0, 0, w, 1}, topLeft);
    m_highlight->Fill({0, h - 1, w, h}, bottomRight);
    m_highlight->Fill({w - 1, 0, w, h}, bottomRight);
}

void TMultilist::Subscribe() {
    if (!m_surface) return;
    m_surface->DownSubscribers().Subscribe(
        this, [this](TPaint*, int button, TShiftState shift, int x, int y) {
            ButtonDown(button, shift, x, y);
        });
    m_surface->MoveSubscribers().Subscribe(
        this, [this](TPaint*, TShiftState shift, int x, int y) { PointerMoved(shift, x, y); });
    m_surface->WheelSubscribers().Subscribe(
        this, [this](TPaint*, TShiftState shift, TPoint point, int notches) {
            Wheel(shift, point, notches);
        });
}

void TMultilist::Unsubscribe() {
    if (!m_surface) return;
    m_surface->DownSubscribers().Unsubscribe(this);
    m_surface->MoveSubscribers().Unsubscribe(this);
    m_surface->WheelSubscribers().Unsubscribe(this);
}

// Showing ----------------------------------------------------------------

void TMultilist::Show() {
    if (m_visible) return;
    m_visible = true;
    ClampView();
    m_pixelOffset = m_firstShown * m_rowHeight;
    TMygfx::Show();
    RedrawView();
    m_scrollbar->Show();
}

void TMultilist::Hide() {
    if (!m_visible) return;
    StopSlide();
    m_pixelOffset = m_firstShown * m_rowHeight;
    UpdateTimer();
    m_visible = false;
    m_scrollbar->Hide();
    TMygfx::Hide();
}

// Cells and rows -----------------------------------------------------------

int TMultilist::ColumnWidth(int column) const {
    if (column < 0 || column >= m_columns) return 0;
    return m_columnWidths[static_cast<size_t>(column)];
}

std::string TMultilist::Cell(int column, int row) const {
    if (row < 0 || row >= RowCount() || column < 0 || column >= m_columns) return {};
    return m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)];
}

std::string TMultilist::PlainCell(int column, int row) const {
    return PlainText(Cell(column, row));
}

void TMultilist::SetCell(int column, int row, const std::string& text) {
    if (row < 0 || row >= RowCount() || column < 0 || column >= m_columns) return;
    m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)] = text;
    if (m_slideRow == row) StopSlide();
    RedrawRow(row);
}

int TMultilist::FindRow(int column, const std::string& text) const {
    if (column < 0 || column >= m_columns) return -1;
    for (int row = 0; row < RowCount(); ++row) {
        if (m_rows[static_cast<size_t>(row)][static_cast<size_t>(column)] == text) return row;
    }
    return -1;
}

void TMultilist::AddCell(const std::string& text) {
    m_pending.push_back(text);
    if (static_cast<int>(m_pending.size()) < m_columns) return;
    std::vector<std::string> row;
    row.swap(m_pending);
    PlaceRow(std::move(row));
}

bool TMultilist::SortsBefore(const std::string& cell, const std::string& other) const {
    if (m_ascendingIgnoringCase) return LowerCaseAscii(other) > LowerCaseAscii(cell);
    return other < cell;
}

// The first row whose sort cell compares past the new one; the end for
// unsorted lists.
int TMultilist::InsertPlace(const std::vector<std::string>& row) const {
    if (m_sortColumn < 1 || m_sortColumn > m_columns) return RowCount();
    const size_t column = static_cast<size_t>(m_sortColumn - 1);
    for (int i = 0; i < RowCount(); ++i) {
        if (SortsBefore(row[column], m_rows[static_cast<size_t>(i)][column])) return i;
    }
    return RowCount();
}

void TMultilist::PlaceRow(std::vector<std::string> row) {
    const int oldCount = RowCount();
    const bool showedLast = m_firstShown + m_rowsShown >= oldCount;
    const int place = InsertPlace(row);
    m_rows.insert(m_rows.begin() + place, std::move(row));
    if (m_selected >= place) ++m_selected;
    if (m_slideRow >= place) ++m_slideRow;
    if (place < m_firstShown) {
        // The shown rows stay where they are.
        ++m_firstShown;
        m_pixelOffset += m_rowHeight;
    } else if (m_followNewRows && showedLast && RowCount() > m_rowsShown &&
               place >= m_firstShown + m_rowsShown) {
        ShowFrom(m_firstShown + 1);
    } else if (RowInView(place)) {
        RedrawView();
    }
    UpdateScrollbar();
}

void TMultilist::DeleteRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    if (m_slideRow == row) StopSlide();
    m_rows.erase(m_rows.begin() + row);
    if (m_slideRow > row) --m_slideRow;
    if (m_selectable && m_selected >= 0) {
        if (row <= m_selected) --m_selected;
        m_selected = RowCount() == 0 ? -1 : std::clamp(m_selected, 0, RowCount() - 1);
    }
    const bool inView = RowInView(row);
    if (row < m_firstShown) {
        --m_firstShown;
        m_pixelOffset -= m_rowHeight;
    }
    const int before = m_firstShown;
    ClampView();
    if (inView || before != m_firstShown) RedrawView();
    UpdateScrollbar();
}

void TMultilist::Clear() {
    StopSlide();
    m_rows.clear();
    m_pending.clear();
    m_selected = -1;
    m_firstShown = 0;
    m_pixelOffset = 0;
    UpdateTimer();
    RedrawView();
    UpdateScrollbar();
}

// The view -----------------------------------------------------------------

int TMultilist::LastFirstRow() const { return std::max(0, RowCount() - m_rowsShown); }

bool TMultilist::RowInView(int row) const {
    return row >= m_firstShown && row <= m_firstShown + m_rowsShown;
}

bool TMultilist::Scrolling() const { return m_pixelOffset != m_firstShown * m_rowHeight; }

// Jumps without animation.
void TMultilist::SetView(int first) {
    m_firstShown = std::clamp(first, 0, LastFirstRow());
    m_pixelOffset = m_firstShown * m_rowHeight;
    UpdateTimer();
}

void TMultilist::ClampView() {
    const int first = std::clamp(m_firstShown, 0, LastFirstRow());
    if (first != m_firstShown) SetView(first);
}

void TMultilist::ShowFrom(int row) {
    const int target = std::clamp(row, 0, LastFirstRow());
    if (target == m_firstShown) return;
    StopSlide();
    if (!m_visible) {
        SetView(target);
        return;
    }
    // Scroll at most one row's height: start one row short of the target.
    m_pixelOffset = target > m_firstShown ? (target - 1) * m_rowHeight : (target + 1) * m_rowHeight;
    m_firstShown = target;
    UpdateTimer();
    RedrawView();
    UpdateScrollbar();
}

void TMultilist::ScrollToEnd() {
    SetView(LastFirstRow());
    RedrawView();
    UpdateScrollbar();
}

void TMultilist::Select(int row) {
    if (RowCount() == 0) return;
    row = std::clamp(row, 0, RowCount() - 1);
    const int old = m_selected;
    m_selected = row;
    if (row < m_firstShown) {
        ShowFrom(row);
    } else if (row >= m_firstShown + m_rowsShown) {
        ShowFrom(row - m_rowsShown + 1);
    }
    RedrawRow(old);
    RedrawRow(row);
    UpdateScrollbar();
    if (OnSelect) OnSelect(this);
}

// Paging scrolls the view; the selection stays on its row.
void TMultilist::PageUp() { ShowFrom(m_firstShown - std::max(1, m_rowsShown)); }

void TMultilist::PageDown() { ShowFrom(m_firstShown + std::max(1, m_rowsShown)); }

void TMultilist::SetSortColumn(int column) {
    if (column == m_sortColumn || column < 0 || column > m_columns) return;
    m_sortColumn = column;
    if (column == 0 || m_rows.empty()) return;
    StopSlide();
    m_selected = -1;
    SetView(0);
    std::vector<std::vector<std::string>> rows;
    rows.swap(m_rows);
    // Each row is placed again exactly as a new one would be, so equal keys
    // keep their order.
    for (auto& row : rows) m_rows.insert(m_rows.begin() + InsertPlace(row), std::move(row));
    RedrawView();
    UpdateScrollbar();
}

// The scroll bar follows the selection in selectable lists and the view in
// the others; its own calls back are not wanted while it is updated.
void TMultilist::UpdateScrollbar() {
    m_updatingScrollbar = true;
    if (m_selectable) {
        m_scrollbar->SetRange(RowCount());
        m_scrollbar->SetPosition(m_selected >= 0 ? m_selected : m_firstShown);
    } else {
        m_scrollbar->SetRange(RowCount() - m_rowsShown + 1);
        m_scrollbar->SetPosition(m_firstShown);
    }
    m_updatingScrollbar = false;
}

void TMultilist::ScrollbarChanged() {
    if (m_updatingScrollbar) return;
    if (m_selectable) {
        if (m_scrollbar->Position() != m_selected) Select(m_scrollbar->Position());
    } else {
        ShowFrom(m_scrollbar->Position());
    }
}

// The slide timer ----------------------------------------------------------

void TMultilist::UpdateTimer() {
    const bool wanted = m_visible && (Scrolling() || m_slideRow >= 0);
    if (wanted != m_timer->Enabled()) m_timer->SetEnabled(wanted);
}

void TMultilist::Tick(int64_t intervals) {
    const int steps = static_cast<int>(std::min<int64_t>(intervals, 1000));
    if (Scrolling()) ScrollStep(steps);
    if (m_slideRow >= 0) SlideStep(steps);
    UpdateTimer();
}

void TMultilist::ScrollStep(int intervals) {
    const int target = m_firstShown * m_rowHeight;
    const int step = kSlideStep * intervals;
    m_pixelOffset = m_pixelOffset < target ? std::min(target, m_pixelOffset + step)
                                           : std::max(target, m_pixelOffset - step);
    RedrawView();
}

// Forward to the end, rest, back to the start, rest, and again.
void TMultilist::SlideStep(int intervals) {
    for (int i = 0; i < intervals; ++i) {
        if (m_slidePause > 0) {
            --m_slidePause;
        } else if (m_slideDirection > 0) {
            m_slideOffset = std::min(m_slideEnd, m_slideOffset + kSlideStep);
            if (m_slideOffset == m_slideEnd) m_slideDirection = -1, m_slidePause = kSlidePause;
        } else {
            m_slideOffset = std::max(0, m_slideOffset - kSlideStep);
            if (m_slideOffset == 0) m_slideDirection = 1, m_slidePause = kSlidePause;
        }
    }
    RedrawRow(m_slideRow);
}

void TMultilist::StartSlide(int row, int column) {
    const int width = CellWidth(Cell(column, row));
    const int room = ColumnWidth(column) - (column == m_columns - 1 ? 2 * kSeparator : kSeparator);
    if (width <= room) return;
    m_slideRow = row;
    m_slideColumn = column;
    m_slideOffset = 0;
    m_slideDirection = 1;
    m_slidePause = 0;
    m_slideEnd = width - room;
    UpdateTimer();
}

void TMultilist::StopSlide() {
    if (m_slideRow < 0) return;
    const int row = m_slideRow;
    m_slideRow = m_slideColumn = -1;
    m_slideOffset = 0;
    UpdateTimer();
    RedrawRow(row);
}

// The mouse ----------------------------------------------------------------

bool TMultilist::InRows(int x, int y) const {
    return x >= m_x && x < m_x + m_totalWidth && y >= RowsTop() && y < RowsTop() + m_height;
}

int TMultilist::RowAt(int y) const {
    const int offset = y - RowsTop() + m_pixelOffset;
    return offset < 0 ? -1 : offset / m_rowHeight;
}

int TMultilist::ColumnAt(int x) const {
    int left = m_x;
    for (int column = 0; column < m_columns; ++column) {
        const int width = m_columnWidths[static_cast<size_t>(column)];
        if (x >= left && x < left + width) return column;
        left += width;
    }
    return -1;
}

void TMultilist::ButtonDown(int button, TShiftState shift, int x, int y) {
    if (!m_visible || !InRows(x, y)) return;
    if (m_selectable) {
        const int row = RowAt(y);
        if (row >= 0 && row < RowCount()) {
            Select(row);
            if (button == platform::ButtonRight)
                platform::Video().SetClipboardText("\"" + PlainCell(0, row) + "\"");
        }
    }
    if (OnClick) OnClick(this, button, y, x, shift);
}

void TMultilist::PointerMoved(TShiftState, int x, int y) {
    if (!m_slide || !m_visible) return;
    int row = -1, column = -1;
    if (InRows(x, y)) {
        row = RowAt(y);
        column = ColumnAt(x);
        if (row >= RowCount()) row = -1;
    }
    if (row == m_slideRow && column == m_slideColumn) return;
    StopSlide();
    if (row >= 0 && column >= 0) StartSlide(row, column);
}

void TMultilist::Wheel(TShiftState, TPoint point, int notches) {
    if (!m_visible || notches == 0 || !InRows(point.x, point.y)) return;
    m_scrollbar->SetPosition(m_scrollbar->Position() - notches);
}
