// TBar: a tab bar, a row of tab buttons of one width between two scroll
// arrows, with blinking arrows for tabs out of sight that want attention.
//
// Skin: settings.ini [section] key gives x, y, width, count, font (x and y
// default to 0, width and count to 10). count tabs are visible at a time;
// each is (width − both arrow widths) / count wide and centred in its slot,
// the slots starting right of the left arrow "Barle". The right arrow
// "Barrig" stands at x + width − the left arrow's width.
//
// Tabs are numbered from 1; the current tab is down-locked (0: none). Each
// tab carries its owner's key in its tag. Clicking a tab, or Select, makes
// it current and raises on-select; clicking the current tab raises it again.
// During Select the user-action flag is false, so a handler can tell the
// program's own choices from the user's. Removing the current tab selects
// the one before it; removing the first while it is current leaves none
// current and raises nothing. Out-of-range indexes are ignored.
//
// The bar keeps its tabs and current tab while hidden and lays them out only
// while visible: the arrows show when there are tabs beyond the visible
// range on their side, and blink when one of those tabs has its attention
// flag (owners set the flag and call Layout).
//
// The on-select handler may add and remove tabs, but must not free the bar.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TMyfont;
class TMygfx;
class TPaint;
class TRollover;

class TBar {
public:
    using TSelectEvent = std::function<void(TRollover* tab)>;

    static constexpr char kLeftArrow[] = "Barle";
    static constexpr char kRightArrow[] = "Barrig";
    static constexpr int kDefaultWidth = 10;
    static constexpr int kDefaultCount = 10;
    // A caption is at most this much narrower than its tab.
    static constexpr int kCaptionInset = 4;

    TBar(TMygfx* owner, TSelectEvent onSelect, const std::string& key, const std::string& section);
    ~TBar();
    TBar(const TBar&) = delete;
    TBar& operator=(const TBar&) = delete;

    void AddTab(const std::string& element, const std::string& caption, int key);
    void ReplaceTab(int index, const std::string& element, const std::string& caption);
    void RemoveTab(int index);
    void RemoveTabByKey(int key);
    // Index from 1, or −1.
    int FindByKey(int key) const;
    int FindByCaption(const std::string& caption) const;
    TRollover* TabByKey(int key) const;
    TRollover* Tab(int index) const;
    std::string CurrentCaption() const;
    void Select(int index);
    // Accepts 0 ≤ first ≤ count − visible count.
    void ScrollTo(int first);
    void Show();
    void Hide();
    void MoveToOwner(TMygfx* owner);
    // Takes every tab of the other bar, and its current tab, and frees it.
    void TakeOver(std::unique_ptr<TBar> other);
    // Lays the tabs and arrows out again (only while visible).
    void Layout();

    int Count() const { return static_cast<int>(m_tabs.size()); }
    int Current() const { return m_current; }
    int First() const { return m_first; }
    int VisibleCount() const { return m_visibleCount; }
    int TabWidth() const { return m_tabWidth; }
    bool Visible() const { return m_visible; }
    bool UserAction() const { return m_userAction; }
    int X() const { return m_x; }
    int Y() const { return m_y; }
    int BarWidth() const { return m_width; }
    TRollover* LeftArrow() const { return m_left.get(); }
    TRollover* RightArrow() const { return m_right.get(); }

    TSelectEvent OnSelect;

private:
    void ReadLayout(const std::string& key, const std::string& section);
    void CreateArrows();
    void CentreArrows(const TRollover& tab);
    std::unique_ptr<TRollover> MakeTab(const std::string& element);
    void AdoptTab(TRollover& tab);
    void TabClicked(TRollover* tab);
    int IndexOf(const TRollover* tab) const;
    bool AttentionIn(int from, int to) const;
    static void SetBlink(TRollover& arrow, bool blink);

    bool m_userAction = true;
    std::vector<std::unique_ptr<TRollover>> m_tabs;
    int m_visibleCount = kDefaultCount;
    int m_tabWidth = 0;
    int m_current = 0;  // from 1; 0: none
    int m_first = 0;    // from 0
    TPaint* m_surface;
    TMygfx* m_owner;
    TMyfont* m_font = nullptr;  // none: the buttons' own
    int m_x = 0, m_y = 0;
    int m_width = kDefaultWidth;
    std::unique_ptr<TRollover> m_right;
    std::unique_ptr<TRollover> m_left;
    bool m_visible = false;
};
