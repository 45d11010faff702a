// TGlide: the glide-out popup menu, a grid of image buttons in a borderless
// popup window of its own that grows out of an anchor point of its owner
// window.
//
// Skin: settings.ini [section] (default "Glide") gives "Framewidth" and, for
// a titled menu, "Font" (the title's font); each item's line (section, text
// key) gives the item's font as its first field, and text.ini (section, text
// key) its caption, with "{1}", "{2}", ... filled from the item parameters.
// The image named after the section is the popup's background; it must be
// at least as large as any menu built from it. A smaller menu keeps the
// image's top-left frame and takes its right and bottom frame from the
// image's own edges.
//
// Life of a menu: closed → growing → open → closed. Popup starts the 20 ms
// timer at a twelfth of the full size; every tick adds a twelfth, so the
// menu is whole after 11 ticks. It grows upwards from the anchor, and to the
// right or the left of it, but never starts left of (or above) its owner
// window or the screen. While it grows the pointer rides on the growing
// corner and ends in the middle of the menu, where the platform can move the
// pointer. An open menu closes when the pointer moves outside it (the edges
// count as inside) or an item is chosen.
//
// The layout is made once, at the first Popup: items added later are not
// shown. The owner frees the glide before its own paint surface.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphics/Mouse.h"

class TMyimage;
class TMyTimer;
class TPaint;
class TRollover;
class TText;

class TGlide {
public:
    // The chosen item and its place in the grid.
    using TSelectEvent = std::function<void(TRollover* item, int column, int row)>;

    static constexpr char kDefaultSection[] = "Glide";
    static constexpr char kSound[] = "Glide.wav";
    static constexpr int kTickMs = 20;
    // The menu grows by a twelfth of its size per tick, from a twelfth.
    static constexpr int kGrowthSteps = 12;
    // Pixels around an item within its cell.
    static constexpr int kCellMargin = 4;
    // How far below the pointer a menu opened at the pointer is anchored.
    static constexpr int kPointerAnchorDrop = 16;

    // An empty section means "Glide"; an empty title key makes a menu
    // without title. Rows and columns below 1 count as 1.
    TGlide(TPaint* owner, bool growsRight, TSelectEvent onSelect, int rows, int columns,
           const std::string& section = "", const std::string& titleKey = "");
    ~TGlide();
    TGlide(const TGlide&) = delete;
    TGlide& operator=(const TGlide&) = delete;

    // Comma list filling the next item's caption placeholders; AddItem
    // clears it.
    void SetItemParameters(const std::string& parameters) { m_itemParameters = parameters; }
    void AddItem(const std::string& element, const std::string& key);
    // Opens at (x, y) of the owner window; −1 for either means at the
    // pointer (the y then 16 pixels below it).
    void Popup(int x, int y);
    void Close();

    // Item i, from 0; none out of range.
    TRollover* Item(int i) const;
    int Count() const { return static_cast<int>(m_items.size()); }

    bool Growing() const;
    // Shown on screen, growing or open.
    bool Opened() const;
    int FullWidth() const { return m_fullWidth; }
    int FullHeight() const { return m_fullHeight; }
    int CurrentWidth() const { return m_currentWidth; }
    int CurrentHeight() const { return m_currentHeight; }
    int CellWidth() const { return m_cellWidth; }
    int CellHeight() const { return m_cellHeight; }
    int AnchorX() const { return m_anchorX; }
    int AnchorY() const { return m_anchorY; }
    int FrameWidth() const { return m_frameWidth; }
    int TitleHeight() const { return m_titleHeight; }
    TText* Title() const { return m_title.get(); }
    TPaint* PopupSurface() const { return m_popup.get(); }
    TPaint* Owner() const { return m_owner; }

    TSelectEvent OnSelect;

private:
    void ReadSkin();
    void Layout();
    void MeasureCells();
    void CreateTitle();
    void BuildBackground();
    void PlaceItems();

    void Tick();
    void Place();
    void RidePointer();
    void PointerMoved();
    bool PointerInside() const;
    void ItemClicked(TRollover* item);

    std::string m_sound = kSound;
    std::string m_itemParameters;
    std::string m_section;
    std::string m_titleKey;
    std::string m_titleFont;
    TPaint* m_owner;
    bool m_growsRight;
    int m_rows, m_columns;
    int m_frameWidth = 0;
    int m_fullWidth = 0, m_fullHeight = 0;
    int m_cellWidth = 0, m_cellHeight = 0;
    int m_anchorX = 0, m_anchorY = 0;
    int m_currentWidth = 0, m_currentHeight = 0;
    int m_leftOffset = 0, m_topOffset = 0;
    int m_titleHeight = 0;
    int m_pointerX = 0, m_pointerY = 0;  // where the pointer was at Popup
    bool m_laidOut = false;
    // The popup surface outlives everything drawn on it.
    std::unique_ptr<TPaint> m_popup;
    std::unique_ptr<TMyimage> m_background;
    std::unique_ptr<TText> m_title;
    std::vector<std::unique_ptr<TRollover>> m_items;
    std::unique_ptr<TMyTimer> m_timer;
};
