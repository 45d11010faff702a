// Headless windows: in-memory back buffers in the screen format, events
// injected by the test, paint requests delivered through the task queue, and
// a PNG snapshot of any window so tests and people can see what it shows.
#pragma once

#include <string>
#include <vector>

#include "platform/PendingPaint.h"
#include "platform/Platform.h"

namespace platform::headless {

class TVideo;

class TWindow : public IWindow {
public:
    TWindow(TVideo& video, const WindowParams& params, int depth);
    ~TWindow() override;

    void SetEvents(WindowEvents events) override { m_events = std::move(events); }
    // Made (zeroed) by the first call, like the real backend's.
    Surface BackBuffer() override;
    int Depth() const override { return m_depth; }
    bool HasBackBuffer() const { return !m_back.empty(); }
    void Present(const Rect& area) override;
    void Invalidate(const Rect& area) override;
    void Update() override;
    void SetShape(const WindowShape& shape) override { m_shape = shape; }
    void Show() override;
    void Hide() override;
    bool Visible() const override { return m_visible; }
    void Move(int x, int y) override;
    bool SetShownSize(int width, int height) override;
    Rect Bounds() const override;
    void Focus() override;
    bool Focused() const override;
    void Minimize() override { m_minimized = true; }
    void BringToFront() override;
    void SetTitle(const std::string& title) override { m_params.title = title; }

    // Test controls: each calls the matching event handler, if any.
    void MouseMove(int x, int y, unsigned shift = 0);
    void MouseDown(int button, int x, int y, unsigned shift = 0);
    void MouseUp(int button, int x, int y, unsigned shift = 0);
    void MouseWheel(int delta, int x, int y, unsigned shift = 0);
    void KeyDown(int key, unsigned shift = 0);
    void KeyUp(int key, unsigned shift = 0);
    void Char(uint8_t ch);
    void CloseRequest();
    void Activate();
    void Deactivate();

    // What the test can inspect.
    const WindowParams& Params() const { return m_params; }
    const WindowShape& Shape() const { return m_shape; }
    bool Minimized() const { return m_minimized; }
    // The presented image (what the screen shows), in the screen format.
    const std::vector<uint8_t>& Screen() const { return m_screen; }
    Rect PendingPaint() const { return m_paint.Area(); }
    int PresentCount() const { return m_presents; }
    // Writes the back buffer (or the presented image) as an RGB PNG; a back
    // buffer not made yet is written black.
    bool SavePng(const std::string& path, bool presented = false) const;
    void Detach() { m_video = nullptr; }

private:
    void DeliverPaint(const Rect& area);
    size_t BufferBytes() const;

    TVideo* m_video;
    WindowParams m_params;
    WindowShape m_shape;
    WindowEvents m_events;
    int m_depth;
    int m_bytesPerPixel;
    std::vector<uint8_t> m_back, m_screen;
    bool m_visible = false, m_minimized = false;
    int m_shownWidth, m_shownHeight;  // the part of the window on screen
    int m_presents = 0;
    TPendingPaint m_paint;
};

class TVideo : public IVideo {
public:
    TVideo();
    ~TVideo() override;

    void SetApplicationEvents(std::function<void()> onActivate,
                              std::function<void()> onDeactivate) override;
    std::unique_ptr<IWindow> CreateWindow(const WindowParams& params) override;
    DisplayMode CurrentMode() const override { return m_mode; }
    bool SetMode(const DisplayMode& mode) override;
    void RestoreMode() override;
    Rect WorkArea() const override { return m_workArea; }
    void PointerPosition(int& x, int& y) const override;
    bool SetPointerPosition(int x, int y) override;
    void ConfinePointer(const Rect* area) override;
    std::string ClipboardText() const override { return m_clipboard; }
    void SetClipboardText(const std::string& text) override { m_clipboard = text; }

    // Test controls.
    // The desktop's mode; also the one RestoreMode returns to.
    void SetDesktopMode(const DisplayMode& mode);
    // Depths that SetMode accepts (empty: none).
    void SetSettableDepths(std::vector<int> depths) { m_settable = std::move(depths); }
    const std::vector<DisplayMode>& ModeRequests() const { return m_requests; }
    int RestoreCount() const { return m_restores; }
    void SetWorkArea(const Rect& area) { m_workArea = area; }
    bool PointerConfined() const { return m_confined; }
    Rect Confinement() const { return m_confinement; }
    const std::vector<TWindow*>& Windows() const { return m_windows; }
    TWindow* FocusedWindow() const { return m_focused; }
    TWindow* FindWindow(const std::string& title) const;

    // Called by windows.
    void Forget(TWindow* window);
    void FocusWindow(TWindow* window);
    void Raise(TWindow* window);

private:
    DisplayMode m_desktop{1024, 768, 32}, m_mode{1024, 768, 32};
    std::vector<int> m_settable{15, 16, 24, 32};
    std::vector<DisplayMode> m_requests;
    int m_restores = 0;
    Rect m_workArea{0, 0, 1024, 768};
    int m_pointerX = 0, m_pointerY = 0;
    bool m_confined = false;
    Rect m_confinement;
    std::string m_clipboard;
    std::vector<TWindow*> m_windows;  // bottom to top
    TWindow* m_focused = nullptr;
    std::function<void()> m_appActivate, m_appDeactivate;
};

class TAudio : public IAudio {
public:
    bool PlayWave(const std::string& path) override;
    bool Playing() const override { return m_playing; }
    void StopAll() override;

    // Test controls: whether a sound "still plays", and what was played.
    void SetPlaying(bool playing) { m_playing = playing; }
    const std::vector<std::string>& Played() const { return m_played; }
    int StopCount() const { return m_stops; }

private:
    bool m_playing = false;
    std::vector<std::string> m_played;
    int m_stops = 0;
};

// Converts one pixel of a surface in the given depth to 8-bit r, g, b.
void PixelToRgb(const uint8_t* p, int depth, uint8_t& r, uint8_t& g, uint8_t& b);
// Writes a surface as an RGB PNG; false on failure.
bool WriteSurfacePng(const std::string& path, const uint8_t* pixels, int width,
                     int height, int pitch, int depth);

TVideo& Video();
TAudio& Audio();

}  // namespace platform::headless
