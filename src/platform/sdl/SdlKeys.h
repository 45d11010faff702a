// Turning SDL's keyboard events into what the client understands: the
// virtual-key numbers of the Windows convention the client's key handling is
// written against, the shift state, and typed characters as Windows-1252.
//
// Letters follow the layout (the key that types "a" is 65 wherever it sits),
// digits, punctuation and the numeric keypad follow the key's position. The
// key left of 1 and the backslash key are both 220, as on the Nordic layouts
// where the client's Alt+0 alternative lives on the key left of 1.
//
// Like Windows, pressing Backspace, Tab, Enter and Escape, or Ctrl with a
// letter, also types a control character; SDL's text input never reports
// those, so ControlCharFor() supplies them.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

namespace platform::sdl {

// The virtual-key number of a key, or 0 for keys the client has no number
// for. The keypad follows Num Lock: digits with it, navigation without.
int VirtualKeyFor(const SDL_Keysym& key);

// KeyShift bits (Shift, Ctrl, Alt) of SDL's modifier state.
unsigned ShiftFromMods(Uint16 mods);

// The control character a key press types (8, 9, 13, 27, or 1..26 for Ctrl
// with a letter), or 0 when it types none.
uint8_t ControlCharFor(const SDL_Keysym& key);

// Whether text typed while these modifiers are held reaches the client.
// Ctrl and the left Alt make shortcuts, not text (AltGr, the right Alt,
// still types).
bool TypesText(Uint16 mods);

// SDL's UTF-8 text as Windows-1252 bytes; characters without a byte are
// dropped.
std::string TypedBytes(const char* utf8);

}  // namespace platform::sdl
