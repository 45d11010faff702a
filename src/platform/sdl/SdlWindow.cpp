#include "platform/sdl/SdlWindow.h"


#include <algorithm>
#include <cstring>

#include "platform/Codepage.h"
#include "platform/sdl/SdlVideo.h"
#include "platform/sdl/X11Shape.h"

namespace platform::sdl {
namespace {

int BytesPerPixel(int depth) { return depth / 7 > 0 ? depth / 7 : 1; }

bool ShapeGiven(const WindowShape& shape) { return shape.cornerW != 0 && shape.cornerH != 0; }

// Whether the point (px, py) lies in the rounded rectangle: the rectangle
// with each corner replaced by a quarter of a cornerW × cornerH ellipse.
bool InRoundRect(double px, double py, const Rect& r, int cornerW, int cornerH) {
    if (px < r.left || px >= r.right || py < r.top || py >= r.bottom) return false;
    double rx = std::min(cornerW, r.Width()) / 2.0;
    double ry = std::min(cornerH, r.Height()) / 2.0;
    if (rx <= 0 || ry <= 0) return true;
    double cx = std::clamp(px, r.left + rx, r.right - rx);
    double cy = std::clamp(py, r.top + ry, r.bottom - ry);
    double dx = (px - cx) / rx, dy = (py - cy) / ry;
    return dx * dx + dy * dy <= 1.0;
}

Uint32 KindFlags(WindowKind kind) {
    switch (kind) {
    case WindowKind::StaysOnTop: return SDL_WINDOW_ALWAYS_ON_TOP;
    // A utility window rather than SDL's popup-menu kind: the symbol picker
    // popup takes the keyboard, which popup menus do not get on X11.
    case WindowKind::Popup: return SDL_WINDOW_UTILITY | SDL_WINDOW_ALWAYS_ON_TOP | SDL_WINDOW_SKIP_TASKBAR;
    case WindowKind::Normal: break;
    }
    return 0;
}

}  // namespace

Uint32 TextureFormat(int depth) {
    switch (depth) {
    case 15: return SDL_PIXELFORMAT_RGB555;
    case 16: return SDL_PIXELFORMAT_RGB565;
    case 24: return SDL_PIXELFORMAT_BGR24;     // bytes b, g, r
    case 32: return SDL_PIXELFORMAT_XRGB8888;  // bytes b, g, r, 0 in memory
    default: return SDL_PIXELFORMAT_UNKNOWN;
    }
}

std::vector<uint8_t> ShapeMask(const WindowShape& shape, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    std::vector<uint8_t> mask(static_cast<size_t>(width) * height, 1);
    if (!ShapeGiven(shape)) return mask;
    const Rect outer{0, 0, width, height};
    const bool holed = shape.holeW != 0 && shape.holeH != 0;
    const Rect hole{shape.holeX, shape.holeY, width - shape.holeX, height - shape.holeY};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            double px = x + 0.5, py = y + 0.5;
            bool inside = InRoundRect(px, py, outer, shape.cornerW, shape.cornerH);
            if (inside && holed && InRoundRect(px, py, hole, shape.holeW, shape.holeH)) inside = false;
            mask[static_cast<size_t>(y) * width + x] = inside ? 1 : 0;
        }
    }
    return mask;
}

// ---------------------------------------------------------------------------
// Creation and teardown

TWindow::TWindow(TVideo& video, const WindowParams& params, int depth)
    : m_video(&video),
      m_params(params),
      m_width(params.width),
      m_height(params.height),
      m_depth(depth),
      m_bytesPerPixel(BytesPerPixel(depth)),
      m_x(params.x),
      m_y(params.y),
      m_shownWidth(params.width),
      m_shownHeight(params.height),
      m_paint([this](const Rect& area) { DeliverPaint(area); }) {}

TWindow::~TWindow() {
    if (m_video) m_video->Forget(this);
    Detach();
}

bool TWindow::Open() {
    if (!m_window && !OpenSdl()) {
        Detach(false);
        return false;
    }
    return MakeTexture();
}

bool TWindow::MakeTexture() {
    if (m_texture) return true;
    if (!m_renderer) return false;
    m_texture = SDL_CreateTexture(m_renderer, TextureFormat(m_depth), SDL_TEXTUREACCESS_STREAMING, m_width,
                                  m_height);
    if (!m_texture) return false;
    // The window's first frame is its whole back buffer.
    const Surface back = BackBuffer();
    if (SDL_UpdateTexture(m_texture, nullptr, back.pixels, back.pitch) != 0) return false;
    RenderTexture();
    return true;
}

void TWindow::ReleaseTexture() {
    if (m_texture) SDL_DestroyTexture(m_texture);
    m_texture = nullptr;
}

bool TWindow::OpenSdl() {
    Detach(false);
    const std::string title = Cp1252ToUtf8(m_params.title);
    const Uint32 flags = SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN | KindFlags(m_params.kind);
    m_window = SDL_CreateWindow(title.c_str(), m_x, m_y, m_width, m_height, flags);
    if (!m_window) return false;
    if (m_video) m_video->SdlWindowOpened();
    m_id = SDL_GetWindowID(m_window);
    m_renderer = SDL_CreateRenderer(m_window, -1, 0);
    if (!m_renderer) return false;
    m_shaped = ShapeGiven(m_params.shape) && ApplyShape(m_params.shape);
    SDL_SetWindowPosition(m_window, m_x, m_y);
    if (m_shownWidth != m_width || m_shownHeight != m_height)
        SDL_SetWindowSize(m_window, std::max(m_shownWidth, 1), std::max(m_shownHeight, 1));
    return true;
}

void TWindow::Detach(bool fromVideo) {
    ReleaseTexture();
    if (m_renderer) SDL_DestroyRenderer(m_renderer);
    if (m_window) {
        SDL_DestroyWindow(m_window);
        if (m_video) m_video->SdlWindowClosed();
    }
    m_renderer = nullptr;
    m_window = nullptr;
    m_shaped = false;
    if (fromVideo) m_video = nullptr;
}

// ---------------------------------------------------------------------------
// Pixels and paint requests

Surface TWindow::BackBuffer() {
    if (m_back.empty()) m_back.assign(static_cast<size_t>(m_width) * m_height * m_bytesPerPixel, 0);
    return Surface{m_back.data(), m_width, m_height, m_width * m_bytesPerPixel, m_depth};
}

void TWindow::Present(const Rect& area) {
    Rect r = Intersect(area, Whole());
    if (r.Empty() || !m_texture || m_back.empty()) return;
    const int pitch = m_width * m_bytesPerPixel;
    const SDL_Rect rect{r.left, r.top, r.Width(), r.Height()};
    const size_t offset = static_cast<size_t>(r.top) * pitch + static_cast<size_t>(r.left) * m_bytesPerPixel;
    if (SDL_UpdateTexture(m_texture, &rect, m_back.data() + offset, pitch) != 0) return;
    RenderTexture();
}

void TWindow::RenderTexture() {
    if (!m_renderer || !m_texture || m_shownWidth <= 0 || m_shownHeight <= 0) return;
    const SDL_Rect shown{0, 0, m_shownWidth, m_shownHeight};
    SDL_RenderCopy(m_renderer, m_texture, &shown, &shown);
    SDL_RenderPresent(m_renderer);
}

void TWindow::Invalidate(const Rect& area) { m_paint.Add(Intersect(area, Whole())); }

void TWindow::Update() { m_paint.Flush(); }

void TWindow::DeliverPaint(const Rect& area) {
    if (!m_events.onPaint) return;
    auto onPaint = m_events.onPaint;  // the handler may replace the events
    onPaint(area);
}

// The texture still holds the last presented image, so the window shows it
// again at once; the owner then copies the whole back buffer.
void TWindow::Exposed() {
    RenderTexture();
    m_paint.Add(Whole());
    m_paint.Flush();
}

// ---------------------------------------------------------------------------
// Shape and place

bool TWindow::ApplyShape(const WindowShape& shape) {
    if (!m_window) return false;
    if (!ShapeGiven(shape)) {
        SetX11Shape(m_window, {}, m_width, m_height);  // rectangular again
        return false;
    }
    return SetX11Shape(m_window, ShapeMask(shape, m_width, m_height), m_width, m_height);
}

void TWindow::SetShape(const WindowShape& shape) {
    m_params.shape = shape;
    m_shaped = ApplyShape(shape);  // applied at the first show when not made yet
}

void TWindow::Show() {
    if (m_visible) return;
    m_visible = true;
    // The owner paints the back buffer before the texture is filled from it.
    if (m_events.onShowing) {
        auto onShowing = m_events.onShowing;  // the handler may replace the events
        onShowing();
    }
    // Without a display the window lives on as memory only.
    if (Open()) {
        if (SDL_GetWindowFlags(m_window) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(m_window);
        SDL_ShowWindow(m_window);
    }
    // A window that appears asks to be painted.
    Invalidate(Whole());
}

void TWindow::Hide() {
    if (!m_visible) return;
    m_visible = false;
    if (m_window) SDL_HideWindow(m_window);
    ReleaseTexture();
    if (m_video) m_video->WindowHidden(this);
}

void TWindow::Move(int x, int y) {
    m_x = x;
    m_y = y;
    if (m_window) SDL_SetWindowPosition(m_window, x, y);
}

bool TWindow::SetShownSize(int width, int height) {
    m_shownWidth = std::clamp(width, 0, m_width);
    m_shownHeight = std::clamp(height, 0, m_height);
    if (!m_window) return true;  // the first Show makes it this size
    // SDL has no empty windows; an empty size leaves one pixel.
    SDL_SetWindowSize(m_window, std::max(m_shownWidth, 1), std::max(m_shownHeight, 1));
    RenderTexture();
    return true;
}

// Our own record of the place: the window system reports moves late, and a
// drag in progress must not see an older place again.
Rect TWindow::Bounds() const { return Rect{m_x, m_y, m_x + m_shownWidth, m_y + m_shownHeight}; }

// ---------------------------------------------------------------------------
// Focus and the rest

void TWindow::Focus() {
    if (!m_window) return;
    SDL_RaiseWindow(m_window);
    SDL_SetWindowInputFocus(m_window);
    if (m_video) m_video->FocusRequested(this);
}

bool TWindow::Focused() const { return m_video && m_video->FocusedWindow() == this; }

void TWindow::Minimize() {
    if (m_window) SDL_MinimizeWindow(m_window);
}

void TWindow::BringToFront() {
    if (m_window) SDL_RaiseWindow(m_window);
}

void TWindow::SetTitle(const std::string& title) {
    m_params.title = title;
    if (m_window) SDL_SetWindowTitle(m_window, Cp1252ToUtf8(title).c_str());
}

}  // namespace platform::sdl
