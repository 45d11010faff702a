// One borderless, fixed-size SDL window with its back buffer.
//
// Cost: until it is first shown the window is a record only; its back buffer
// is made by the first BackBuffer call (the owner's, at the first Show). The
// SDL window, its renderer and its texture are made by the first Show, which
// lets the owner fill the back buffer (onShowing) and fills the texture from
// it before the window appears, so it shows its whole face at once. Hiding
// gives the texture back and keeps the back buffer; the next Show makes and
// fills the texture again.
//
// The back buffer is memory in the screen format; Present uploads the area
// into a streaming texture of the same pixel format and presents the whole
// texture (the renderer's own buffer is undefined after a present). The
// window's face is always the texture, so an exposure shows the presented
// image again at once; it also reaches the owner as an onPaint of the whole
// window, like a paint request of the window system.
//
// Paint requests: Invalidate joins areas and posts one paint to the loop;
// Update delivers the pending one now. A window freed with a paint posted
// drops it.
//
// Shapes: on X11 a window with a shape gets its rounded-rectangle outline
// through the X shape extension (see X11Shape.h); SetShape changes it. Where
// the window system cannot shape windows, they stay rectangular.
#pragma once

#include <SDL.h>

#include <memory>
#include <vector>

#include "platform/PendingPaint.h"
#include "platform/Platform.h"

namespace platform::sdl {

class TVideo;

// The texture format of a depth (15, 16, 24, 32); SDL_PIXELFORMAT_UNKNOWN
// for any other.
Uint32 TextureFormat(int depth);

// Coverage of a window shape: width × height bytes, 1 inside, 0 outside (a
// pixel is inside when its centre lies in the rounded rectangle and outside
// the hole).
std::vector<uint8_t> ShapeMask(const WindowShape& shape, int width, int height);

class TWindow : public IWindow {
public:
    // Creates nothing; the first Show does. depth must be one TextureFormat
    // knows.
    TWindow(TVideo& video, const WindowParams& params, int depth);
    ~TWindow() override;
    TWindow(const TWindow&) = delete;
    TWindow& operator=(const TWindow&) = delete;
    // Creates the SDL window, renderer and texture unless they exist and
    // fills the texture from the back buffer; false on failure.
    bool Open();
    // Whether the SDL window and its texture exist.
    bool Opened() const { return m_window != nullptr; }
    bool HasTexture() const { return m_texture != nullptr; }

    void SetEvents(WindowEvents events) override { m_events = std::move(events); }
    Surface BackBuffer() override;
    int Depth() const override { return m_depth; }
    // Whether the back buffer has been made.
    bool HasBackBuffer() const { return !m_back.empty(); }
    void Present(const Rect& area) override;
    void Invalidate(const Rect& area) override;
    void Update() override;
    void SetShape(const WindowShape& shape) override;
    void Show() override;
    void Hide() override;
    bool Visible() const override { return m_visible; }
    void Move(int x, int y) override;
    bool SetShownSize(int width, int height) override;
    Rect Bounds() const override;
    void Focus() override;
    bool Focused() const override;
    void Minimize() override;
    void BringToFront() override;
    void SetTitle(const std::string& title) override;

    // Called by the video facet.
    Uint32 Id() const { return m_id; }
    SDL_Window* Handle() const { return m_window; }
    const WindowEvents& Events() const { return m_events; }
    void Exposed();
    // Frees the SDL objects; from the video facet before SDL's video ends,
    // after which the window lives on as memory only.
    void Detach(bool fromVideo = true);
    bool Shaped() const { return m_shaped; }

private:
    bool OpenSdl();
    bool MakeTexture();
    void ReleaseTexture();
    bool ApplyShape(const WindowShape& shape);
    void RenderTexture();
    void DeliverPaint(const Rect& area);
    Rect Whole() const { return Rect{0, 0, m_width, m_height}; }

    TVideo* m_video;
    WindowParams m_params;
    int m_width, m_height, m_depth, m_bytesPerPixel;
    int m_x, m_y, m_shownWidth, m_shownHeight;
    std::vector<uint8_t> m_back;
    SDL_Window* m_window = nullptr;
    SDL_Renderer* m_renderer = nullptr;
    SDL_Texture* m_texture = nullptr;
    Uint32 m_id = 0;
    bool m_shaped = false;
    bool m_visible = false;
    WindowEvents m_events;
    TPendingPaint m_paint;
};

}  // namespace platform::sdl
