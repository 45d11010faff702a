// TCharselect: the symbol picker beside chat entries, a small borderless
// popup window listing every character its font can draw, one per row.
//
// Elements: with a prefix P the window's background is P + "_Symbol" and the
// list's layout key P + "_List", without one "Symbol" and "List". The list's
// line in settings.ini [Charselect] has five fields f1 ... f5: x (f1), y
// (f2), the column width (f3), the height of the row area (f4) and the
// highlight colour (f5); the rows take the font's height and an "up" bevel,
// and the scroll bar the list key's elements.
//
// Picking: Enter, or a left click on a row, closes the popup and picks that
// row's character. A typed character k that no handled key swallowed closes
// it and picks the character of row k (counted from 1), when there is one;
// with a font that has every glyph from 33 on, row k holds k + 32. Each
// handled key (Page Up, Page Down, Up, Down, Escape, Enter) also swallows
// the next typed character, as the key's own character follows it. Escape,
// a right-button press and the loss of the focus close without a pick.
//
// Closing by key or pick gives the focus back to the owner window; closing
// because another window took the focus leaves it there.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/Form.h"

class TMultilist;

class TCharselect : public TForm {
public:
    using TPickEvent = std::function<void(TCharselect* sender, uint8_t code)>;

    static constexpr int kFirstCode = 33;
    static constexpr char kLayoutSection[] = "Charselect";

    // An empty prefix means none. The owner gets the focus back on a pick;
    // it may be null.
    TCharselect(const std::string& fontName, const std::string& prefix, TPickEvent onPick,
                TForm* owner);
    ~TCharselect() override;

    // Shows the popup at the screen position, in front, focused.
    void PopupAt(int x, int y);
    bool IsOpen() const { return Visible(); }

    int RowCount() const { return static_cast<int>(m_codes.size()); }
    // The character of a row from 0; 0 out of range.
    uint8_t CodeOfRow(int row) const;
    TMultilist* List() const { return m_list.get(); }
    const std::string& FontName() const { return m_fontName; }

    TPickEvent OnPick;

protected:
    bool FormKeyDown(int key, unsigned shift) override;
    bool FormKeyPress(uint8_t& ch) override;
    void FormDeactivate() override;
    void FormMouseDown(int button, unsigned shift, int x, int y) override;

private:
    static std::string Element(const std::string& prefix, const std::string& name);
    void BuildList(const std::string& listKey);
    void FillRows();
    void ListClicked(int button, int y);
    bool ListKey(int key);
    void ClosePopup();
    void Pick(int row);

    std::string m_fontName;
    TForm* m_owner = nullptr;
    std::unique_ptr<TMultilist> m_list;
    std::vector<uint8_t> m_codes;  // the character of each row
    bool m_swallowNext = false;
};
