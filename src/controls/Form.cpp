#include "controls/Form.h"

#include <algorithm>

#include "controls/ControlsState.h"
#include "graphics/Paint.h"
#include "platform/InstalledState.h"

TControlsState& ControlsState() { return TInstalledState<TControlsState>::Get(); }

TControlsState* CurrentControlsState() { return TInstalledState<TControlsState>::Current(); }

namespace {

std::vector<TForm*>& Registry() { return ControlsState().Forms; }

}  // namespace

const std::vector<TForm*>& TForm::All() { return Registry(); }

TForm::TForm(const std::string& painter, platform::WindowKind kind) {
    m_paint = std::make_unique<TPaint>(painter, kind, Events());
    Registry().push_back(this);
}

TForm::TForm(int width, int height, platform::WindowKind kind) {
    m_paint = std::make_unique<TPaint>(width, height, kind, Events());
    Registry().push_back(this);
}

TFormEvents TForm::Events() {
    TFormEvents events;
    events.onMouseMove = [this](TPaint*, TShiftState shift, int x, int y) { FormMouseMove(shift, x, y); };
    events.onMouseDown = [this](TPaint*, int button, TShiftState shift, int x, int y) {
        // A click activates its window, also where no window manager does.
        if (!Focused()) Focus();
        FormMouseDown(button, shift, x, y);
    };
    events.onMouseUp = [this](TPaint*, int button, TShiftState shift, int x, int y) {
        FormMouseUp(button, shift, x, y);
    };
    events.onActivate = [this] { Activated(); };
    events.onDeactivate = [this] { Deactivated(); };
    events.onKeyDown = [this](int key, unsigned shift) { KeyDown(key, shift); };
    events.onKeyUp = [this](int key, unsigned shift) { KeyUp(key, shift); };
    events.onChar = [this](uint8_t ch) { KeyPress(ch); };
    events.onCloseRequest = [this] { Close(); };
    return events;
}

TForm::~TForm() {
    if (TControlsState* state = CurrentControlsState()) std::erase(state->Forms, this);
    // The surface goes first so no event reaches a half-destroyed form.
    m_paint.reset();
}

void TForm::Show() {
    if (!m_paint->Valid()) return;
    bool wasVisible = Visible();
    m_paint->Window()->Show();
    if (!wasVisible) FormShow();
}

void TForm::Hide() {
    if (!m_paint->Valid() || !Visible()) return;
    if (m_active && m_hasFocus) m_active->FocusLost();
    m_hasFocus = false;
    m_paint->Window()->Hide();
    FormHide();
}

bool TForm::Visible() const { return m_paint->Valid() && m_paint->Window()->Visible(); }

void TForm::ShowModal() {
    std::vector<TForm*> disabled;
    for (TForm* form : Registry()) {
        if (form != this && form->Visible() && form->Enabled()) {
            form->SetEnabled(false);
            disabled.push_back(form);
        }
    }
    ++m_modalDepth;
    Show();
    BringToFront();
    Focus();
    platform::IEventLoop& loop = platform::Loop();
    while (Visible() && !loop.Terminated()) loop.WaitMessage();
    --m_modalDepth;
    // Forms freed during the wait have left the registry.
    for (TForm* form : disabled) {
        auto& forms = Registry();
        if (std::find(forms.begin(), forms.end(), form) != forms.end()) form->SetEnabled(true);
    }
}

void TForm::Close() {
    if (!FormCloseQuery()) return;
    Hide();
    FormClose();
    if (OnClose) OnClose(this);
}

void TForm::SetEnabled(bool enabled) {
    m_enabled = enabled;
    m_paint->SetInputEnabled(enabled);
}

void TForm::Focus() {
    if (!m_paint->Valid()) return;
    m_paint->Window()->Focus();
}

bool TForm::Focused() const { return m_paint->Valid() && m_paint->Window()->Focused(); }

void TForm::BringToFront() {
    if (m_paint->Valid()) m_paint->Window()->BringToFront();
}

void TForm::Minimize() {
    if (m_paint->Valid()) m_paint->Window()->Minimize();
}

int TForm::Left() const { return m_paint->Valid() ? m_paint->Window()->Bounds().left : 0; }
int TForm::Top() const { return m_paint->Valid() ? m_paint->Window()->Bounds().top : 0; }
int TForm::Width() const { return m_paint->Width(); }
int TForm::Height() const { return m_paint->Height(); }

void TForm::SetPosition(int left, int top) {
    if (m_paint->Valid()) m_paint->Window()->Move(left, top);
}

void TForm::SetActiveControl(TFocusable* control) {
    if (control == m_active) {
        if (control && !m_hasFocus && Focused()) {
            m_hasFocus = true;
            control->FocusGained();
        }
        return;
    }
    TFocusable* old = m_active;
    m_active = control;
    if (old && m_hasFocus) old->FocusLost();
    m_hasFocus = false;
    // A control given the focus of a window that is not active gets it
    // when the window is activated.
    if (m_active && Focused()) {
        m_hasFocus = true;
        m_active->FocusGained();
    }
}

void TForm::ForgetControl(TFocusable* control) {
    if (m_active != control) return;
    m_active = nullptr;
    m_hasFocus = false;
}

TKeyFilter* TForm::SetKeyFilter(TKeyFilter* filter) {
    TKeyFilter* previous = m_keyFilter;
    m_keyFilter = filter;
    return previous;
}

void TForm::KeyDown(int key, unsigned shift) {
    const bool handled = m_keyFilter ? m_keyFilter->FilterKeyDown(key, shift) : FormKeyDown(key, shift);
    if (handled) return;
    if (m_active && m_active->CanFocus()) m_active->FocusKeyDown(key, shift);
}

void TForm::KeyUp(int key, unsigned shift) {
    const bool handled = m_keyFilter ? m_keyFilter->FilterKeyUp(key, shift) : FormKeyUp(key, shift);
    if (handled) return;
    if (m_active && m_active->CanFocus()) m_active->FocusKeyUp(key, shift);
}

void TForm::KeyPress(uint8_t ch) {
    if (FormKeyPress(ch)) return;
    if (m_active && m_active->CanFocus()) m_active->FocusKeyPress(ch);
}

void TForm::Activated() {
    if (m_active && !m_hasFocus) {
        m_hasFocus = true;
        m_active->FocusGained();
    }
    FormActivate();
}

void TForm::Deactivated() {
    if (m_keyFilter) m_keyFilter->FilterDeactivated();
    if (m_active && m_hasFocus) m_active->FocusLost();
    m_hasFocus = false;
    FormDeactivate();
}
