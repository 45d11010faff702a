#include "platform/sdl/SdlVideo.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/Codepage.h"
#include "platform/sdl/SdlKeys.h"
#include "platform/sdl/SdlLoop.h"

namespace platform::sdl {
namespace {

// Far beyond any screen; a larger request is a mistake, not a window.
constexpr int kMaxWindowSide = 16384;
constexpr int kWheelNotch = 120;

bool DriverHasWindowSystem() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) return false;
    return std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
}

// Calls a copy of a handler, so a handler that replaces the window's events
// does not free itself while it runs.
template <typename F, typename... Args>
void Call(const F& handler, Args... args) {
    F copy = handler;
    if (copy) copy(args...);
}

}  // namespace

int FormatDepth(Uint32 format) {
    switch (SDL_BYTESPERPIXEL(format)) {
    case 4: return 32;
    case 3: return 24;
    default: return SDL_BITSPERPIXEL(format);
    }
}

int ForcedDepth() {
    const char* value = std::getenv("QV_SCREEN_DEPTH");
    if (!value) return 0;
    for (int depth : {15, 16, 24, 32})
        if (std::strcmp(value, std::to_string(depth).c_str()) == 0) return depth;
    return 0;
}

// ---------------------------------------------------------------------------
// Set-up

TVideo::TVideo(TLoop& loop)
    : m_loop(loop), m_windowSystem(DriverHasWindowSystem()) {
    m_loop.SetEventSink([this](const SDL_Event& event) { HandleEvent(event); });
    SDL_StartTextInput();
}

TVideo::~TVideo() {
    m_lifetime.End();
    m_loop.SetEventSink(nullptr);
    for (auto* window : m_windows) window->Detach();
}

void TVideo::SetApplicationEvents(std::function<void()> onActivate,
                                  std::function<void()> onDeactivate) {
    m_appActivate = std::move(onActivate);
    m_appDeactivate = std::move(onDeactivate);
}

std::unique_ptr<IWindow> TVideo::CreateWindow(const WindowParams& params) {
    if (params.width <= 0 || params.height <= 0) return nullptr;
    if (params.width > kMaxWindowSide || params.height > kMaxWindowSide) return nullptr;
    const int depth = CurrentMode().depth;
    if (TextureFormat(depth) == SDL_PIXELFORMAT_UNKNOWN) return nullptr;
    auto window = std::make_unique<TWindow>(*this, params, depth);
    m_windows.push_back(window.get());
    return window;
}

void TVideo::SdlWindowOpened() { m_loop.AddWindow(); }
void TVideo::SdlWindowClosed() { m_loop.RemoveWindow(); }

void TVideo::Forget(TWindow* window) {
    auto it = std::find(m_windows.begin(), m_windows.end(), window);
    if (it == m_windows.end()) return;
    m_windows.erase(it);
    if (m_confined == window) m_confined = nullptr;
    if (m_focused == window) {
        m_focused = nullptr;
        CheckApplicationFocus();
    }
}

TWindow* TVideo::Find(Uint32 windowId) const {
    if (windowId == 0) return m_focused;
    for (auto* window : m_windows)
        if (window->Id() == windowId) return window;
    return nullptr;
}

// ---------------------------------------------------------------------------
// Display

DisplayMode TVideo::CurrentMode() const {
    SDL_DisplayMode mode{};
    DisplayMode result;
    if (SDL_GetDesktopDisplayMode(0, &mode) == 0) {
        result = DisplayMode{mode.w, mode.h, FormatDepth(mode.format)};
    }
    if (int forced = ForcedDepth()) result.depth = forced;
    return result;
}

bool TVideo::SetMode(const DisplayMode& mode) {
    (void)mode;
    return false;
}

Rect TVideo::WorkArea() const {
    SDL_Rect r{};
    if (SDL_GetDisplayUsableBounds(0, &r) == 0) return Rect{r.x, r.y, r.x + r.w, r.y + r.h};
    DisplayMode mode = CurrentMode();
    return Rect{0, 0, mode.width, mode.height};
}

// ---------------------------------------------------------------------------
// Pointer and clipboard

void TVideo::PointerPosition(int& x, int& y) const {
    x = 0;
    y = 0;
    SDL_GetGlobalMouseState(&x, &y);
}

bool TVideo::SetPointerPosition(int x, int y) { return SDL_WarpMouseGlobal(x, y) == 0; }

// SDL confines the pointer to a rectangle of one window while that window
// has the focus: the focused one, else the one holding the rectangle.
void TVideo::ConfinePointer(const Rect* area) {
    if (m_confined && m_confined->Handle()) SDL_SetWindowMouseRect(m_confined->Handle(), nullptr);
    m_confined = nullptr;
    if (!area || area->Empty()) return;
    TWindow* target = m_focused;
    for (auto* window : m_windows) {
        if (target) break;
        Rect b = window->Bounds();
        if (window->Visible() && !Intersect(b, *area).Empty()) target = window;
    }
    if (!target || !target->Handle()) return;
    Rect b = target->Bounds();
    SDL_Rect r{area->left - b.left, area->top - b.top, area->Width(), area->Height()};
    if (SDL_SetWindowMouseRect(target->Handle(), &r) == 0) m_confined = target;
}

std::string TVideo::ClipboardText() const {
    char* text = SDL_GetClipboardText();
    if (!text) return {};
    std::string result = Utf8ToCp1252(text);
    SDL_free(text);
    return result;
}

void TVideo::SetClipboardText(const std::string& text) {
    SDL_SetClipboardText(Cp1252ToUtf8(text).c_str());
}

// ---------------------------------------------------------------------------
// Focus and activation

void TVideo::FocusRequested(TWindow* window) {
    if (!m_windowSystem) FocusGained(window);
}

void TVideo::WindowHidden(TWindow* window) { FocusLost(window); }

void TVideo::FocusGained(TWindow* window) {
    if (m_focused == window) return;
    TWindow* previous = m_focused;
    m_focused = window;
    if (previous) Call(previous->Events().onDeactivate);
    if (!m_applicationActive && m_focused == window) {
        m_applicationActive = true;
        Call(m_appActivate);
    }
    if (m_focused == window) Call(window->Events().onActivate);
}

void TVideo::FocusLost(TWindow* window) {
    if (m_focused != window) return;
    m_focused = nullptr;
    Call(window->Events().onDeactivate);
    if (!m_windowSystem) {
        CheckApplicationFocus();
        return;
    }
    // The focus may be on its way to another of our windows.
    if (m_focusCheckPosted) return;
    m_focusCheckPosted = true;
    m_loop.Post([this, alive = m_lifetime.Watch()] {
        if (!alive) return;
        m_focusCheckPosted = false;
        CheckApplicationFocus();
    });
}

void TVideo::CheckApplicationFocus() {
    if (m_focused || !m_applicationActive) return;
    m_applicationActive = false;
    Call(m_appDeactivate);
}

// ---------------------------------------------------------------------------
// Events

void TVideo::HandleEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_WINDOWEVENT:
        if (TWindow* w = Find(event.window.windowID)) HandleWindowEvent(*w, event.window);
        break;
    case SDL_MOUSEMOTION:
        if (TWindow* w = Find(event.motion.windowID)) HandleMouseMotion(*w, event.motion);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (TWindow* w = Find(event.button.windowID)) HandleMouseButton(*w, event.button);
        break;
    case SDL_MOUSEWHEEL:
        if (TWindow* w = Find(event.wheel.windowID)) HandleMouseWheel(*w, event.wheel);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (TWindow* w = Find(event.key.windowID)) HandleKey(*w, event.key);
        break;
    case SDL_TEXTINPUT:
        if (TWindow* w = Find(event.text.windowID)) HandleText(*w, event.text);
        break;
    default: break;
    }
}

void TVideo::HandleWindowEvent(TWindow& window, const SDL_WindowEvent& event) {
    switch (event.event) {
    case SDL_WINDOWEVENT_EXPOSED: window.Exposed(); break;
    case SDL_WINDOWEVENT_CLOSE: Call(window.Events().onCloseRequest); break;
    case SDL_WINDOWEVENT_FOCUS_GAINED: FocusGained(&window); break;
    case SDL_WINDOWEVENT_FOCUS_LOST: FocusLost(&window); break;
    default: break;
    }
}

void TVideo::HandleMouseMotion(TWindow& window, const SDL_MouseMotionEvent& event) {
    if (event.which == SDL_TOUCH_MOUSEID) return;
    m_buttons = event.state;
    Call(window.Events().onMouseMove, event.x, event.y, MouseShift(SDL_GetModState(), m_buttons));
}

// The shift state of a press includes the pressed button, that of a release
// no longer the released one.
void TVideo::HandleMouseButton(TWindow& window, const SDL_MouseButtonEvent& event) {
    int button = MouseButtonNumber(event.button);
    if (button == 0 || event.which == SDL_TOUCH_MOUSEID) return;
    bool down = event.type == SDL_MOUSEBUTTONDOWN;
    if (down) {
        m_buttons |= SdlButtonMask(button);
    } else {
        m_buttons &= ~SdlButtonMask(button);
    }
    unsigned shift = MouseShift(SDL_GetModState(), m_buttons);
    Call(down ? window.Events().onMouseDown : window.Events().onMouseUp, button, event.x, event.y, shift);
}

void TVideo::HandleMouseWheel(TWindow& window, const SDL_MouseWheelEvent& event) {
    if (event.y == 0) return;
    int notches = event.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.y : event.y;
    Rect b = window.Bounds();
    Call(window.Events().onMouseWheel, notches * kWheelNotch, b.left + event.mouseX, b.top + event.mouseY,
         MouseShift(SDL_GetModState(), m_buttons));
}

// A key that Windows types a control character with (Enter, Escape, ...)
// also delivers that character after the key-down, as Windows does.
void TVideo::HandleKey(TWindow& window, const SDL_KeyboardEvent& event) {
    int key = VirtualKey(event.keysym.sym, event.keysym.scancode, event.keysym.mod);
    if (key == 0) return;
    unsigned shift = KeyShift(event.keysym.mod);
    if (event.type == SDL_KEYUP) {
        Call(window.Events().onKeyUp, key, shift);
        return;
    }
    const Uint32 id = window.Id();
    Call(window.Events().onKeyDown, key, shift);
    uint8_t ch = ControlChar(key, shift);
    TWindow* still = Find(id);  // the handler may have freed the window
    if (ch != 0 && still) Call(still->Events().onChar, ch);
}

void TVideo::HandleText(TWindow& window, const SDL_TextInputEvent& event) {
    if (TextSuppressed(SDL_GetModState())) return;
    const Uint32 id = window.Id();
    for (char c : TypedBytes(event.text)) {
        TWindow* still = Find(id);
        if (!still) return;
        Call(still->Events().onChar, static_cast<uint8_t>(c));
    }
}

}  // namespace platform::sdl
