// TMultilist: the skinned multi-column list of user lists, room lists, game
// tables and chat text, with its own vertical scroll bar.
//
// Rows are made of cells; AddCell fills a row left to right and the row
// enters the list when its last cell arrives. A sorted list (sort column
// from 1) inserts each row before the first row whose sort cell compares
// greater (ignoring ASCII case when ascending-ignoring-case is on) or
// smaller (exact, otherwise); the selection keeps pointing at the same row.
//
// Cell codes (byte values): a cell starting 1, 255 is a formatted line in
// which 1, 252, n switches to font "font" + n (255: back to the font before)
// and 1, 253, digits, 1 moves right by that many pixels; a cell starting
// 1, k (k below 100) draws frame k of the icon list first. PlainCell gives
// the text with every code removed (1, 252, 99 also takes the text up to the
// next byte 1 with it, but not that byte: the code it starts is removed as
// any other).
//
// The view: first shown row and a pixel offset. ShowFrom scrolls smoothly by
// at most one row (2 pixels per 20 ms), a hidden list jumps. A list that
// follows new rows and shows its last rows scrolls down when a row is added
// below; a row added above the view shifts the view so the shown rows stay
// put. Only rows inside the view are drawn.
//
// Mouse: a press in the row area of a selectable list selects the row under
// the pointer; the right button also copies the row's first cell, plain and
// in double quotes, to the clipboard; then on-click runs. The wheel over the
// rows moves the scroll bar. With sliding on, a cell too wide for its column
// slides its text to and fro while the pointer rests on it.
//
// Lists are created hidden; the owner frees them before the paint surface.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Mouse.h"
#include "graphics/Mygfx.h"
#include "graphics/PixelFormat.h"

class TMybitmap;
class TMyfont;
class TMyimagelist;
class TMyTimer;
class TScrollbar;

class TMultilist : public TMygfx {
public:
    using TClickEvent =
        std::function<void(TMultilist* sender, int button, int y, int x, TShiftState shift)>;
    using TSelectEvent = std::function<void(TMultilist* sender)>;

    // Smooth scrolling and sliding step by this many pixels per interval.
    static constexpr int kSlideStep = 2;
    static constexpr int kSlideMs = 20;
    // Intervals a sliding cell rests at each end.
    static constexpr int kSlidePause = 5;
    // Pixels between columns, and the extra inset of the last column.
    static constexpr int kSeparator = 2;
    // Pixels between an icon and the text after it.
    static constexpr int kIconGap = 2;

    // From settings.ini [section] key, key + "colwidths", key + "head" and the
    // header captions from text.ini (section, key + "head").
    TMultilist(TMygfx* spriteOwner, TClickEvent onClick, const void* owner, const std::string& key,
               const std::string& section, int columns);
    // From the lines themselves.
    static std::unique_ptr<TMultilist> CreateFrom(TMygfx* spriteOwner, TClickEvent onClick,
                                                  const void* owner,
                                                  const std::string& headerCaptions,
                                                  const std::string& headerLayout,
                                                  const std::string& columnWidths,
                                                  const std::string& layout, int columns);
    ~TMultilist() override;

    void Show() override;
    void Hide() override;
    void Draw(const TRect& rect) override;

    void AddCell(const std::string& text);
    void DeleteRow(int row);
    void Clear();
    // Empty text for cells out of range.
    std::string Cell(int column, int row) const;
    std::string PlainCell(int column, int row) const;
    void SetCell(int column, int row, const std::string& text);
    // The first row whose cell is exactly the text, or −1.
    int FindRow(int column, const std::string& text) const;
    void Select(int row);
    void ShowFrom(int row);
    // Scroll the view by the rows shown; the selection stays where it is.
    void PageUp();
    void PageDown();
    void SetSortColumn(int column);
    // Jumps to the last rows and redraws the view.
    void ScrollToEnd();
    // Draws the header and the shown rows again (while shown).
    void RedrawView();
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    int TextWidth(const std::string& text) const;
    int FontHeight() const;

    // The text with every cell code removed.
    static std::string PlainText(const std::string& cell);

    // Settings the owners make after creation.
    void SetSelectable(bool selectable) { m_selectable = selectable; }
    void SetFollowNewRows(bool follow) { m_followNewRows = follow; }
    void SetAscendingIgnoringCase(bool ascending) { m_ascendingIgnoringCase = ascending; }
    // Not owned; frames are numbered from 1.
    void SetIconList(TMyimagelist* icons) { m_icons = icons; }

    TClickEvent OnClick;
    TSelectEvent OnSelect;

    int Columns() const { return m_columns; }
    int ColumnWidth(int column) const;
    int TotalWidth() const { return m_totalWidth; }
    int X() const { return m_x; }
    int Y() const { return m_y; }
    // The row area (below the header).
    int RowsTop() const { return m_y + m_headerHeight; }
    int RowsHeight() const { return m_height; }
    int RowHeight() const { return m_rowHeight; }
    int RowsShown() const { return m_rowsShown; }
    bool HasHeader() const { return m_hasHeader; }
    int HeaderHeight() const { return m_headerHeight; }
    bool Selectable() const { return m_selectable; }
    int Selected() const { return m_selected; }
    int FirstShown() const { return m_firstShown; }
    int PixelOffset() const { return m_pixelOffset; }
    bool Scrolling() const;
    bool FollowNewRows() const { return m_followNewRows; }
    int SortColumn() const { return m_sortColumn; }
    bool Slide() const { return m_slide; }
    bool Sliding() const { return m_slideRow >= 0; }
    int SlideOffset() const { return m_slideOffset; }
    bool Visible() const { return m_visible; }
    TMyfont* Font() const { return m_font; }
    TColour HighlightColour() const { return m_highlightColour; }
    const std::string& SelectionStyle() const { return m_selectionStyle; }
    TMybitmap* Highlight() const { return m_highlight; }
    TScrollbar* Scrollbar() const { return m_scrollbar.get(); }
    const void* Owner() const { return m_owner; }

private:
    struct TLines {
        std::string captions, header, widths, layout;
    };
    TMultilist(TMygfx* spriteOwner, TClickEvent onClick, const void* owner, TLines lines,
               int columns);

    // Construction steps.
    void ReadLayout(std::string layout);
    void ReadColumnWidths(std::string widths);
    void ReadHeader(std::string header, std::string captions);
    void BuildHighlight();
    void CreateScrollbar(const std::string& element);
    void Subscribe();
    void Unsubscribe();

    // Rows and the view.
    int InsertPlace(const std::vector<std::string>& row) const;
    bool SortsBefore(const std::string& cell, const std::string& other) const;
    void PlaceRow(std::vector<std::string> row);
    int LastFirstRow() const;
    void SetView(int first);
    void ClampView();
    void UpdateScrollbar();
    void ScrollbarChanged();
    bool RowInView(int row) const;

    // The slide timer: smooth scrolling and sliding cells.
    void Tick(int64_t intervals);
    void ScrollStep(int intervals);
    void SlideStep(int intervals);
    void UpdateTimer();
    void StartSlide(int row, int column);
    void StopSlide();
    int CellWidth(const std::string& cell) const;

    // Mouse.
    int RowAt(int y) const;
    int ColumnAt(int x) const;
    bool InRows(int x, int y) const;
    void ButtonDown(int button, TShiftState shift, int x, int y);
    void PointerMoved(TShiftState shift, int x, int y);
    void Wheel(TShiftState shift, TPoint point, int notches);

    // Drawing (MultilistDraw.cpp).
    TRect RowsArea() const;
    int RowTop(int row) const;
    int ColumnLeft(int column) const;
    void RedrawRow(int row);
    void DrawHeader(const TRect& clip);
    void DrawRows(const TRect& clip);
    void DrawRow(int row, const TRect& clip);
    void DrawRowBackground(int row, const TRect& area);
    void DrawCell(const std::string& cell, const TRect& cellRect, const TRect& clip, int shift);
    int DrawRuns(const std::string& cell, size_t from, int x, const TRect& cellRect,
                 const TRect& clip, bool formatted);
    void DrawIcon(int frame, int x, const TRect& cellRect, const TRect& clip, int& advance);
    void FillLine(const TRect& area, TColour colour);
    TMyfont* FontFor(int number) const;

    TPaint* m_surface = nullptr;
    const void* m_owner = nullptr;
    int m_columns = 1;
    std::vector<int> m_columnWidths;
    int m_totalWidth = 0;
    TMyfont* m_font = nullptr;
    int m_x = 0, m_y = 0;
    int m_height = 100;
    int m_rowHeight = 10;
    int m_rowsShown = 0;
    bool m_hasHeader = false;
    TMyfont* m_headerFont = nullptr;
    TColour m_headerColour = 16777215;
    int m_headerHeight = 0;
    std::vector<std::string> m_captions;
    TColour m_highlightColour = 0;
    bool m_slide = false;
    std::string m_selectionStyle;
    std::string m_scrollElement;
    TMyimagelist* m_icons = nullptr;
    std::vector<std::vector<std::string>> m_rows;
    std::vector<std::string> m_pending;  // cells of the row being filled
    bool m_selectable = true;
    int m_selected = -1;
    int m_firstShown = 0;
    int m_pixelOffset = 0;
    bool m_followNewRows = false;
    int m_sortColumn = 0;
    bool m_ascendingIgnoringCase = true;
    std::unique_ptr<TScrollbar> m_scrollbar;
    bool m_updatingScrollbar = false;
    std::unique_ptr<TMyTimer> m_timer;
    TMybitmap* m_highlight = nullptr;
    bool m_visible = false;

    // The sliding cell (row −1: none).
    int m_slideRow = -1, m_slideColumn = -1;
    int m_slideOffset = 0;
    int m_slideDirection = 1;
    int m_slidePause = 0;
    int m_slideEnd = 0;  // the offset at which the cell's end shows

    // Fonts "font" + n as cell codes ask for them; null: not looked up yet.
    mutable std::array<TMyfont*, 256> m_codeFonts{};
};
