// Translation of SDL's keyboard and mouse input into the numbers the client
// uses: Windows virtual-key numbers, the KeyShift bits, the button numbers
// 1 (left), 2 (right), 3 (middle), and typed text as Windows-1252 bytes.
//
// Keys that name a character follow the keyboard layout where Windows does
// (letters), and the key's place where Windows does (the digit row, the
// punctuation keys); the key the lobby's Alt shortcut uses as 220 is the one
// left of 1 on Nordic layouts and the backslash key on US layouts, both 220.
//
// Everything here is a pure function of its arguments, so it can be tested
// without a display.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

namespace platform::sdl {

// The virtual-key number of a key, 0 when it has none. Numpad digits give
// 96..105 with Num Lock on and the navigation keys with it off, as on
// Windows.
int VirtualKey(SDL_Keycode sym, SDL_Scancode scancode, Uint16 mod);

// ShiftKey, CtrlKey and AltKey from SDL's modifier state.
unsigned KeyShift(Uint16 mod);
// KeyShift plus the ...ButtonHeld bits of SDL's button mask.
unsigned MouseShift(Uint16 mod, Uint32 buttons);
// 1, 2 or 3 for SDL's left, right and middle button; 0 for others.
int MouseButtonNumber(Uint8 sdlButton);
// SDL's button mask bit of one of our button numbers.
Uint32 SdlButtonMask(int button);

// The character Windows types with a key that SDL reports no text for:
// Backspace 8, Tab 9, Enter 13, Escape 27, and Ctrl with a letter 1..26.
// 0 when the key types nothing of that kind.
uint8_t ControlChar(int virtualKey, unsigned shift);

// Typed text (UTF-8 from SDL) as Windows-1252 bytes; characters without a
// byte are dropped, and so are control characters.
std::string TypedBytes(const char* utf8);
// Whether typed text belongs to a shortcut rather than to an entry: with
// Ctrl or the left Alt held (and no AltGr), as Windows types nothing then.
bool TextSuppressed(Uint16 mod);

}  // namespace platform::sdl
