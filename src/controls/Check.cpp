#include "controls/Check.h"

#include "controls/Rollover.h"
#include "controls/Text.h"
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

TCheck::TCheck(TPaint* surface, const std::string& states, const std::string& key,
               const std::string& section)
    : m_surface(surface) {
    std::string line = SettingsFile().ReadString(section, key, "");
    m_x = LayoutNumber(line, kLayoutDefault);
    m_y = LayoutNumber(line, kLayoutDefault);
    m_width = LayoutNumber(line, kLayoutDefault);
    const std::string font = CutField(line);
    CreateButtons(states.empty() ? kDefaultStates : states);
    if (m_width == 0) m_width = m_buttons[0]->ImageWidth();
    m_imageHeight = m_buttons[0]->ImageHeight();
    CreateLabel(font, key, section);
}

TCheck::~TCheck() = default;

void TCheck::CreateButtons(const std::string& states) {
    std::string rest = states;
    while (!rest.empty() || m_buttons.empty()) {
        const std::string element = CutField(rest);
        auto button = std::make_unique<TRollover>(m_surface, "", element, nullptr);
        const int state = static_cast<int>(m_buttons.size());
        button->SetTag(state);
        button->SetPosition(m_x, m_y);
        button->SetTransparent(true);
        button->OnClick = [this](TRollover* sender) { SetState(sender->Tag() + 1); };
        m_buttons.push_back(std::move(button));
    }
}

void TCheck::CreateLabel(const std::string& font, const std::string& key,
                         const std::string& section) {
    std::string text = GetText(section, key);
    text = CutField(text);
    const int left = m_x + m_buttons[0]->ImageWidth() + kLabelGap;
    m_label = std::make_unique<TText>(m_surface, TText::kMarquee, font, text, 0, m_x + m_width,
                                      m_y, left);
    m_label->MoveTo(left, m_y + (m_imageHeight - m_label->FontHeight()) / 2);
}

TRollover* TCheck::Button(int state) const {
    if (state < 0 || state >= StateCount()) return nullptr;
    return m_buttons[static_cast<size_t>(state)].get();
}

void TCheck::Show() {
    m_visible = true;
    m_label->Show();
    m_buttons[static_cast<size_t>(m_state)]->Show();
}

void TCheck::Hide() {
    m_visible = false;
    m_label->Hide();
    m_buttons[static_cast<size_t>(m_state)]->Hide();
}

void TCheck::SwapButtons(int from, int to) {
    m_buttons[static_cast<size_t>(from)]->Hide();
    m_buttons[static_cast<size_t>(to)]->Show();
}

void TCheck::SetState(int n) {
    if (n == m_state) return;
    const int old = m_state;
    m_state = (n < 0 || n >= StateCount()) ? 0 : n;
    m_ticked = m_state != 0;
    if (m_visible) SwapButtons(old, m_state);
    if (OnChange) OnChange(this);
}

void TCheck::SetTicked(bool ticked) {
    if (ticked == m_ticked) return;
    const int old = m_state;
    m_ticked = ticked;
    m_state = (ticked && StateCount() > 1) ? 1 : 0;
    if (!m_visible) return;
    SwapButtons(old, m_state);
    if (OnChange) OnChange(this);
}

void TCheck::SetEnabled(bool enabled) {
    m_enabled = enabled;
    for (auto& button : m_buttons) button->SetEnabled(enabled);
}
