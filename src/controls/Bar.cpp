#include "controls/Bar.h"

#include <algorithm>

#include "controls/Rollover.h"
#include "graphics/Mybitmap.h"
#include "graphics/Myfont.h"
#include "graphics/Mygfx.h"
#include "graphics/Paint.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

int LayoutNumber(std::string& line, int defaultValue) {
    int32_t value = defaultValue;
    if (!ParseInteger(CutField(line), value)) value = defaultValue;
    return value;
}

}  // namespace

TBar::TBar(TMygfx* owner, TSelectEvent onSelect, const std::string& key, const std::string& section)
    : OnSelect(std::move(onSelect)), m_surface(owner ? owner->Paint() : nullptr), m_owner(owner) {
    ReadLayout(key, section);
    CreateArrows();
}

TBar::~TBar() = default;

void TBar::ReadLayout(const std::string& key, const std::string& section) {
    std::string line = SettingsFile().ReadString(section, key, "");
    m_x = LayoutNumber(line, 0);
    m_y = LayoutNumber(line, 0);
    m_width = LayoutNumber(line, kDefaultWidth);
    // The count divides the bar's width, so it is at least 1.
    m_visibleCount = std::max(LayoutNumber(line, kDefaultCount), 1);
    const std::string font = CutField(line);
    if (!font.empty() && TMybitmap::Exists(LowerCaseAscii(font))) {
        m_font = TFonts::Instance().GetFont(font);
    }
}

// The right arrow's place uses the left arrow's width, as the skin expects.
void TBar::CreateArrows() {
    m_left = std::make_unique<TRollover>(m_owner, "", kLeftArrow,
                                         [this](TRollover*) { ScrollTo(m_first - 1); });
    m_right = std::make_unique<TRollover>(m_owner, "", kRightArrow,
                                          [this](TRollover*) { ScrollTo(m_first + 1); });
    m_left->SetPosition(m_x, 0);
    m_right->SetPosition(m_x + m_width - m_left->Width(), 0);
    m_tabWidth = (m_width - m_left->Width() - m_right->Width()) / m_visibleCount;
    m_first = 0;
}

void TBar::CentreArrows(const TRollover& tab) {
    m_left->SetY(m_y + (tab.Height() - m_left->Height()) / 2);
    m_right->SetY(m_y + (tab.Height() - m_right->Height()) / 2);
}

// ---------------------------------------------------------------------------
// Tabs

std::unique_ptr<TRollover> TBar::MakeTab(const std::string& element) {
    auto tab = std::make_unique<TRollover>(m_owner, "", element, nullptr);
    tab->SetPosition(m_x, m_y);
    tab->SetFont(m_font);
    AdoptTab(*tab);
    return tab;
}

// Clicks come to this bar, and captions fit its tabs.
void TBar::AdoptTab(TRollover& tab) {
    tab.OnClick = [this](TRollover* sender) { TabClicked(sender); };
    tab.SetCaptionMaxWidth(m_tabWidth - kCaptionInset);
}

void TBar::AddTab(const std::string& element, const std::string& caption, int key) {
    std::unique_ptr<TRollover> tab = MakeTab(element);
    if (m_tabs.empty()) {
        tab->SetDown(true);
        m_current = 1;
    }
    tab->SetTag(key);
    tab->SetCaption(caption);
    if (m_left->Y() == 0) CentreArrows(*tab);
    m_tabs.push_back(std::move(tab));
    Layout();
}

void TBar::ReplaceTab(int index, const std::string& element, const std::string& caption) {
    TRollover* old = Tab(index);
    if (!old) return;
    std::unique_ptr<TRollover> tab = MakeTab(element);
    tab->SetPosition(old->X(), old->Y());
    tab->SetTag(old->Tag());
    tab->SetEnabled(old->Enabled());
    tab->SetDown(old->Down());
    const bool wasVisible = old->Visible();
    old->Hide();
    tab->SetCaption(caption);
    m_tabs[static_cast<size_t>(index - 1)] = std::move(tab);
    if (wasVisible) m_tabs[static_cast<size_t>(index - 1)]->Show();
    Layout();
}

void TBar::RemoveTab(int index) {
    if (!Tab(index)) return;
    m_tabs[static_cast<size_t>(index - 1)]->Hide();
    m_tabs.erase(m_tabs.begin() + (index - 1));
    if (index < m_current) {
        --m_current;
    } else if (index == m_current) {
        m_current = 0;
        if (index > 1) Select(index - 1);
    }
    if (m_first > 0 && Count() < m_first + m_visibleCount) {
        --m_first;  // the range slides back over the gap
    }
    Layout();
}

void TBar::RemoveTabByKey(int key) { RemoveTab(FindByKey(key)); }

int TBar::FindByKey(int key) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_tabs[static_cast<size_t>(i)]->Tag() == key) return i + 1;
    }
    return -1;
}

int TBar::FindByCaption(const std::string& caption) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_tabs[static_cast<size_t>(i)]->Caption() == caption) return i + 1;
    }
    return -1;
}

TRollover* TBar::TabByKey(int key) const { return Tab(FindByKey(key)); }

TRollover* TBar::Tab(int index) const {
    if (index < 1 || index > Count()) return nullptr;
    return m_tabs[static_cast<size_t>(index - 1)].get();
}

std::string TBar::CurrentCaption() const {
    TRollover* tab = Tab(m_current);
    return tab ? tab->Caption() : std::string();
}

int TBar::IndexOf(const TRollover* tab) const {
    for (int i = 0; i < Count(); ++i) {
        if (m_tabs[static_cast<size_t>(i)].get() == tab) return i + 1;
    }
    return -1;
}

// ---------------------------------------------------------------------------
// Choosing

void TBar::TabClicked(TRollover* tab) {
    const int index = IndexOf(tab);
    if (index < 0) return;
    TSelectEvent handler = OnSelect;
    if (index == m_current) {
        if (handler) handler(tab);
        return;
    }
    for (const auto& each : m_tabs) each->SetDown(false);
    m_current = index;
    if (handler) handler(tab);
    // The handler may have removed the tab.
    if (IndexOf(tab) > 0) tab->SetDown(true);
}

void TBar::Select(int index) {
    TRollover* tab = Tab(index);
    if (!tab) return;
    const bool previous = m_userAction;
    m_userAction = false;
    TabClicked(tab);
    m_userAction = previous;
}

void TBar::ScrollTo(int first) {
    if (first < 0 || first > Count() - m_visibleCount) return;
    m_first = first;
    Layout();
}

// ---------------------------------------------------------------------------
// Layout and visibility

void TBar::Layout() {
    if (!m_visible) return;
    for (const auto& tab : m_tabs) tab->Hide();
    const int last = std::min(Count() - 1, m_first + m_visibleCount - 1);
    int slot = m_x + m_left->Width();
    for (int i = m_first; i <= last; ++i) {
        TRollover& tab = *m_tabs[static_cast<size_t>(i)];
        tab.SetX(slot + (m_tabWidth - tab.Width()) / 2);
        tab.Show();
        slot += m_tabWidth;
    }
    if (m_first + m_visibleCount < Count()) {
        m_right->Show();
    } else {
        m_right->Hide();
    }
    if (m_first > 0) {
        m_left->Show();
    } else {
        m_left->Hide();
    }
    SetBlink(*m_right, AttentionIn(m_first + m_visibleCount, Count()));
    SetBlink(*m_left, AttentionIn(0, m_first));
    if (m_surface) m_surface->Update();
}

// Whether a tab in [from, to) (from 0) wants attention.
bool TBar::AttentionIn(int from, int to) const {
    for (int i = std::max(from, 0); i < std::min(to, Count()); ++i) {
        if (m_tabs[static_cast<size_t>(i)]->Attention()) return true;
    }
    return false;
}

void TBar::SetBlink(TRollover& arrow, bool blink) {
    if (blink == arrow.Blinking()) return;
    if (blink) {
        arrow.StartBlink();
    } else {
        arrow.StopBlink();
    }
}

void TBar::Show() {
    m_visible = true;
    Layout();
}

void TBar::Hide() {
    m_visible = false;
    for (const auto& tab : m_tabs) tab->Hide();
    m_left->Hide();
    m_right->Hide();
}

void TBar::MoveToOwner(TMygfx* owner) {
    if (!owner) return;
    m_owner = owner;
    m_surface = owner->Paint();
    for (const auto& tab : m_tabs) tab->MoveToOwner(owner);
    m_left->MoveToOwner(owner);
    m_right->MoveToOwner(owner);
    Layout();
}

void TBar::TakeOver(std::unique_ptr<TBar> other) {
    if (!other || other.get() == this) return;
    const bool otherVisible = other->m_visible;
    other->Hide();
    const int before = Count();
    for (auto& tab : other->m_tabs) {
        tab->MoveToOwner(m_owner);
        tab->SetY(m_y);
        AdoptTab(*tab);
        // The caption is measured again against this bar's tab width.
        const std::string caption = tab->Caption();
        if (!caption.empty()) {
            tab->SetCaption(std::string());
            tab->SetCaption(caption);
        }
        m_tabs.push_back(std::move(tab));
    }
    if (other->m_current > 0) m_current = before + other->m_current;
    if (!m_tabs.empty()) CentreArrows(*m_tabs.front());
    other.reset();
    if (otherVisible) {
        Show();
    } else {
        Layout();
    }
}
