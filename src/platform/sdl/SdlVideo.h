// The SDL backend's windows, input, display and clipboard.
//
// Every SDL event that is not the loop's own comes here (the loop's event
// sink) and goes to the window it names: mouse, wheel, keys, typed text,
// exposure, close requests and focus. SDL windows are counted in the loop
// while they exist (from a window's first Show on), so WaitMessage sleeps in
// SDL_WaitEvent then.
//
// Activation: a window that gains the keyboard focus is activated, the one
// that had it deactivated first. The application is activated when one of
// its windows gains the focus while none had it, and deactivated when the
// focus has left all of them: that is decided after the events queued with
// the loss are handled, so focus moving between two of our windows does not
// deactivate the application. Drivers without a window system (dummy,
// offscreen) send no focus events; there Focus() moves the focus at once.
//
// Display: the desktop's mode, with the depth forced by the environment
// variable QV_SCREEN_DEPTH (15, 16, 24 or 32) for testing. SetMode always
// fails: SDL only changes modes for fullscreen windows, and the client's
// windows are not fullscreen; RestoreMode therefore has nothing to undo.
#pragma once

#include <SDL.h>

#include <functional>
#include <memory>
#include <vector>

#include "platform/Lifetime.h"
#include "platform/Platform.h"
#include "platform/sdl/SdlWindow.h"

namespace platform::sdl {

class TLoop;

// The depth of an SDL pixel format in the client's terms: 32 for 4 bytes
// per pixel, 24 for 3, else the bits per pixel (15 or 16).
int FormatDepth(Uint32 format);
// The depth QV_SCREEN_DEPTH asks for, or 0 when it is unset or invalid.
int ForcedDepth();

class TVideo : public IVideo {
public:
    // SDL's video must be running; installs itself as the loop's event sink.
    explicit TVideo(TLoop& loop);
    ~TVideo() override;

    void SetApplicationEvents(std::function<void()> onActivate,
                              std::function<void()> onDeactivate) override;
    std::unique_ptr<IWindow> CreateWindow(const WindowParams& params) override;
    DisplayMode CurrentMode() const override;
    bool SetMode(const DisplayMode& mode) override;
    bool CanSetMode() const override { return false; }
    void RestoreMode() override {}
    Rect WorkArea() const override;
    void PointerPosition(int& x, int& y) const override;
    bool SetPointerPosition(int x, int y) override;
    void ConfinePointer(const Rect* area) override;
    std::string ClipboardText() const override;
    void SetClipboardText(const std::string& text) override;

    // Called by windows.
    void Forget(TWindow* window);
    // An SDL window was made or destroyed (the loop waits in SDL while one
    // exists).
    void SdlWindowOpened();
    void SdlWindowClosed();
    void WindowHidden(TWindow* window);
    void FocusRequested(TWindow* window);
    TWindow* FocusedWindow() const { return m_focused; }

    // Handles one SDL event (the loop's sink; tests call it directly).
    void HandleEvent(const SDL_Event& event);

private:
    TWindow* Find(Uint32 windowId) const;
    void HandleWindowEvent(TWindow& window, const SDL_WindowEvent& event);
    void HandleMouseMotion(TWindow& window, const SDL_MouseMotionEvent& event);
    void HandleMouseButton(TWindow& window, const SDL_MouseButtonEvent& event);
    void HandleMouseWheel(TWindow& window, const SDL_MouseWheelEvent& event);
    void HandleKey(TWindow& window, const SDL_KeyboardEvent& event);
    void HandleText(TWindow& window, const SDL_TextInputEvent& event);
    void FocusGained(TWindow* window);
    void FocusLost(TWindow* window);
    void CheckApplicationFocus();

    TLoop& m_loop;
    bool m_windowSystem;            // the driver sends focus events
    std::vector<TWindow*> m_windows;
    TWindow* m_focused = nullptr;
    bool m_applicationActive = false;
    bool m_focusCheckPosted = false;
    TLifetime m_lifetime;  // posted checks see whether the video is gone
    TWindow* m_confined = nullptr;  // holds the pointer rectangle
    Uint32 m_buttons = 0;           // SDL button mask, from the events seen
    std::function<void()> m_appActivate, m_appDeactivate;
};

}  // namespace platform::sdl
