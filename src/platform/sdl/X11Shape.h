// Window shapes on X11 through the X shape extension, applied to a plain SDL
// window. SDL's own shaped windows load OpenGL on X11 (and with a software
// OpenGL its rasterizer threads), which costs far more than the client's
// rounded corners are worth.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

namespace platform::sdl {

// Sets the window's outline to the mask (width × height bytes, non-zero
// inside); an empty mask makes it rectangular again. False where the window
// is not an X11 window or the server lacks the shape extension.
bool SetX11Shape(SDL_Window* window, const std::vector<uint8_t>& mask, int width, int height);

}  // namespace platform::sdl
