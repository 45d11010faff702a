#include "platform/sdl/X11Shape.h"

#include <SDL_syswm.h>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#endif

namespace platform::sdl {

bool SetX11Shape(SDL_Window* window, const std::vector<uint8_t>& mask, int width, int height) {
#if defined(SDL_VIDEO_DRIVER_X11)
    if (!window) return false;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    Display* display = info.info.x11.display;
    Window xwindow = info.info.x11.window;
    int eventBase = 0, errorBase = 0;
    if (!XShapeQueryExtension(display, &eventBase, &errorBase)) return false;
    if (mask.empty()) {
        XShapeCombineMask(display, xwindow, ShapeBounding, 0, 0, None, ShapeSet);
        return true;
    }
    if (width <= 0 || height <= 0 || mask.size() != static_cast<size_t>(width) * height) return false;
    // A bitmap of one bit per pixel, rows padded to bytes, least significant
    // bit first (XCreateBitmapFromData's layout).
    const int rowBytes = (width + 7) / 8;
    std::vector<char> bits(static_cast<size_t>(rowBytes) * height, 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (mask[static_cast<size_t>(y) * width + x])
                bits[static_cast<size_t>(y) * rowBytes + x / 8] |= static_cast<char>(1 << (x % 8));
    Pixmap pixmap = XCreateBitmapFromData(display, xwindow, bits.data(), static_cast<unsigned>(width),
                                          static_cast<unsigned>(height));
    if (pixmap == None) return false;
    XShapeCombineMask(display, xwindow, ShapeBounding, 0, 0, pixmap, ShapeSet);
    XFreePixmap(display, pixmap);
    XFlush(display);
    return true;
#else
    (void)window;
    (void)mask;
    (void)width;
    (void)height;
    return false;
#endif
}

}  // namespace platform::sdl
