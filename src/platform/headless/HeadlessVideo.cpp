#include "platform/headless/HeadlessVideo.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace platform::headless {
namespace {

// Runs an event handler as the loop would: through a copy (it may replace the
// window's events) and with the program's error reporter around it.
template <typename F, typename... Args>
void Deliver(const F& handler, Args... args) {
    F copy = handler;
    if (copy) RunHandler([&] { copy(args...); });
}

int BytesPerPixel(int depth) { return depth / 7 > 0 ? depth / 7 : 1; }

}  // namespace

// ---------------------------------------------------------------------------
// Window

TWindow::TWindow(TVideo& video, const WindowParams& params, int depth)
    : m_video(&video),
      m_params(params),
      m_shape(params.shape),
      m_depth(depth),
      m_bytesPerPixel(BytesPerPixel(depth)),
      m_shownWidth(params.width),
      m_shownHeight(params.height),
      m_paint([this](const Rect& area) { DeliverPaint(area); }) {
    m_screen.assign(BufferBytes(), 0);
}

size_t TWindow::BufferBytes() const {
    return static_cast<size_t>(std::max(m_params.width, 0)) *
           static_cast<size_t>(std::max(m_params.height, 0)) * m_bytesPerPixel;
}

TWindow::~TWindow() {
    if (m_video) m_video->Forget(this);
}

Surface TWindow::BackBuffer() {
    if (m_back.empty()) m_back.assign(BufferBytes(), 0);
    return Surface{m_back.data(), m_params.width, m_params.height,
                   m_params.width * m_bytesPerPixel, m_depth};
}

void TWindow::Present(const Rect& area) {
    Rect r = Intersect(area, Rect{0, 0, m_params.width, m_params.height});
    // A back buffer not made yet is as black as the screen already is.
    if (r.Empty() || m_back.empty()) return;
    size_t pitch = static_cast<size_t>(m_params.width) * m_bytesPerPixel;
    for (int y = r.top; y < r.bottom; ++y) {
        size_t off = y * pitch + static_cast<size_t>(r.left) * m_bytesPerPixel;
        std::memcpy(&m_screen[off], &m_back[off], static_cast<size_t>(r.Width()) * m_bytesPerPixel);
    }
    ++m_presents;
}

void TWindow::Invalidate(const Rect& area) {
    m_paint.Add(Intersect(area, Rect{0, 0, m_params.width, m_params.height}));
}

void TWindow::Update() { m_paint.Flush(); }

void TWindow::DeliverPaint(const Rect& area) {
    Deliver(m_events.onPaint, area);
}

void TWindow::Show() {
    bool appearing = !m_visible;
    m_visible = true;
    m_minimized = false;
    if (appearing) Deliver(m_events.onShowing);
    // Like a real window system, a window that appears asks to be painted.
    if (appearing) Invalidate(Rect{0, 0, m_params.width, m_params.height});
}

void TWindow::Hide() {
    m_visible = false;
    if (m_video && m_video->FocusedWindow() == this) m_video->FocusWindow(nullptr);
}

void TWindow::Move(int x, int y) {
    m_params.x = x;
    m_params.y = y;
}

bool TWindow::SetShownSize(int width, int height) {
    m_shownWidth = std::clamp(width, 0, m_params.width);
    m_shownHeight = std::clamp(height, 0, m_params.height);
    return true;
}

Rect TWindow::Bounds() const {
    return Rect{m_params.x, m_params.y, m_params.x + m_shownWidth, m_params.y + m_shownHeight};
}

void TWindow::Focus() {
    if (m_video) m_video->FocusWindow(this);
}

bool TWindow::Focused() const { return m_video && m_video->FocusedWindow() == this; }

void TWindow::BringToFront() {
    if (m_video) m_video->Raise(this);
}

void TWindow::MouseMove(int x, int y, unsigned shift) {
    Deliver(m_events.onMouseMove, x, y, shift);
}
void TWindow::MouseDown(int button, int x, int y, unsigned shift) {
    Deliver(m_events.onMouseDown, button, x, y, shift);
}
void TWindow::MouseUp(int button, int x, int y, unsigned shift) {
    Deliver(m_events.onMouseUp, button, x, y, shift);
}
void TWindow::MouseWheel(int delta, int x, int y, unsigned shift) {
    Deliver(m_events.onMouseWheel, delta, x, y, shift);
}
void TWindow::KeyDown(int key, unsigned shift) {
    Deliver(m_events.onKeyDown, key, shift);
}
void TWindow::KeyUp(int key, unsigned shift) {
    Deliver(m_events.onKeyUp, key, shift);
}
void TWindow::Char(uint8_t ch) {
    Deliver(m_events.onChar, ch);
}
void TWindow::CloseRequest() {
    Deliver(m_events.onCloseRequest);
}
void TWindow::Activate() {
    Deliver(m_events.onActivate);
}
void TWindow::Deactivate() {
    Deliver(m_events.onDeactivate);
}

bool TWindow::SavePng(const std::string& path, bool presented) const {
    const std::vector<uint8_t> blank(m_back.empty() && !presented ? BufferBytes() : 0, 0);
    const auto& pixels = presented ? m_screen : m_back.empty() ? blank : m_back;
    return WriteSurfacePng(path, pixels.data(), m_params.width, m_params.height,
                           m_params.width * m_bytesPerPixel, m_depth);
}

// ---------------------------------------------------------------------------
// Video

TVideo::TVideo() = default;

TVideo::~TVideo() {
    for (auto* w : m_windows) w->Detach();
}

void TVideo::SetApplicationEvents(std::function<void()> onActivate,
                                  std::function<void()> onDeactivate) {
    m_appActivate = std::move(onActivate);
    m_appDeactivate = std::move(onDeactivate);
}

std::unique_ptr<IWindow> TVideo::CreateWindow(const WindowParams& params) {
    if (params.width <= 0 || params.height <= 0) return nullptr;
    auto window = std::make_unique<TWindow>(*this, params, m_mode.depth);
    m_windows.push_back(window.get());
    return window;
}

bool TVideo::SetMode(const DisplayMode& mode) {
    m_requests.push_back(mode);
    if (std::find(m_settable.begin(), m_settable.end(), mode.depth) == m_settable.end()) return false;
    m_mode = mode;
    return true;
}

void TVideo::RestoreMode() {
    ++m_restores;
    m_mode = m_desktop;
}

void TVideo::SetDesktopMode(const DisplayMode& mode) {
    m_desktop = mode;
    m_mode = mode;
    m_workArea = Rect{0, 0, mode.width, mode.height};
}

void TVideo::PointerPosition(int& x, int& y) const {
    x = m_pointerX;
    y = m_pointerY;
}

bool TVideo::SetPointerPosition(int x, int y) {
    m_pointerX = x;
    m_pointerY = y;
    return true;
}

void TVideo::ConfinePointer(const Rect* area) {
    m_confined = area != nullptr;
    m_confinement = area ? *area : Rect{};
}

TWindow* TVideo::FindWindow(const std::string& title) const {
    for (auto* w : m_windows) {
        if (w->Params().title == title) return w;
    }
    return nullptr;
}

void TVideo::Forget(TWindow* window) {
    m_windows.erase(std::remove(m_windows.begin(), m_windows.end(), window), m_windows.end());
    if (m_focused == window) {
        m_focused = nullptr;
        Deliver(m_appDeactivate);
    }
}

void TVideo::FocusWindow(TWindow* window) {
    if (m_focused == window) return;
    TWindow* previous = m_focused;
    m_focused = window;
    if (previous) previous->Deactivate();
    if (!previous && window) Deliver(m_appActivate);
    if (window) window->Activate();
    if (previous && !window) Deliver(m_appDeactivate);
}

void TVideo::Raise(TWindow* window) {
    auto it = std::find(m_windows.begin(), m_windows.end(), window);
    if (it == m_windows.end()) return;
    m_windows.erase(it);
    m_windows.push_back(window);
}

// ---------------------------------------------------------------------------
// Audio

bool TAudio::PlayWave(const std::string& path) {
    m_played.push_back(path);
    return true;
}

void TAudio::StopAll() {
    ++m_stops;
    m_playing = false;
}

// ---------------------------------------------------------------------------
// Pixels and PNG

void PixelToRgb(const uint8_t* p, int depth, uint8_t& r, uint8_t& g, uint8_t& b) {
    auto expand5 = [](unsigned v) { return static_cast<uint8_t>((v << 3) | (v >> 2)); };
    auto expand6 = [](unsigned v) { return static_cast<uint8_t>((v << 2) | (v >> 4)); };
    if (depth == 15 || depth == 16) {
        unsigned v = p[0] | (p[1] << 8);
        if (depth == 15) {
            r = expand5((v >> 10) & 31);
            g = expand5((v >> 5) & 31);
        } else {
            r = expand5((v >> 11) & 31);
            g = expand6((v >> 5) & 63);
        }
        b = expand5(v & 31);
        return;
    }
    b = p[0];
    g = p[1];
    r = p[2];
}

bool WriteSurfacePng(const std::string& path, const uint8_t* pixels, int width,
                     int height, int pitch, int depth) {
    if (width <= 0 || height <= 0 || !pixels) return false;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info) {
        if (png) png_destroy_write_struct(&png, nullptr);
        std::fclose(f);
        return false;
    }
    std::vector<uint8_t> row(static_cast<size_t>(width) * 3);
    bool ok = false;
    if (setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, f);
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        int bpp = BytesPerPixel(depth);
        for (int y = 0; y < height; ++y) {
            const uint8_t* src = pixels + static_cast<size_t>(y) * pitch;
            for (int x = 0; x < width; ++x) {
                PixelToRgb(src + x * bpp, depth, row[x * 3], row[x * 3 + 1], row[x * 3 + 2]);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(&png, &info);
    if (std::fclose(f) != 0) ok = false;
    return ok;
}

TVideo& Video() { return static_cast<TVideo&>(platform::Video()); }
TAudio& Audio() { return static_cast<TAudio&>(platform::Audio()); }

}  // namespace platform::headless
