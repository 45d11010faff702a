// The key, button and text translation of the SDL backend, as pure
// functions: no display needed.
#include <gtest/gtest.h>

#include "platform/Platform.h"
#include "platform/sdl/SdlKeys.h"

namespace {

using platform::sdl::VirtualKey;

int Key(SDL_Keycode sym, SDL_Scancode code, Uint16 mod = KMOD_NONE) { return VirtualKey(sym, code, mod); }

}  // namespace

TEST(SdlKeys, NamedKeysGiveTheirWindowsNumbers) {
    EXPECT_EQ(Key(SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE), 8);
    EXPECT_EQ(Key(SDLK_TAB, SDL_SCANCODE_TAB), 9);
    EXPECT_EQ(Key(SDLK_RETURN, SDL_SCANCODE_RETURN), 13);
    EXPECT_EQ(Key(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), 13);
    EXPECT_EQ(Key(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT), 16);
    EXPECT_EQ(Key(SDLK_LCTRL, SDL_SCANCODE_LCTRL), 17);
    EXPECT_EQ(Key(SDLK_RALT, SDL_SCANCODE_RALT), 18);
    EXPECT_EQ(Key(SDLK_PAUSE, SDL_SCANCODE_PAUSE), 19);
    EXPECT_EQ(Key(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), 27);
    EXPECT_EQ(Key(SDLK_SPACE, SDL_SCANCODE_SPACE), 32);
    EXPECT_EQ(Key(SDLK_PAGEUP, SDL_SCANCODE_PAGEUP), 33);
    EXPECT_EQ(Key(SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN), 34);
    EXPECT_EQ(Key(SDLK_END, SDL_SCANCODE_END), 35);
    EXPECT_EQ(Key(SDLK_HOME, SDL_SCANCODE_HOME), 36);
    EXPECT_EQ(Key(SDLK_LEFT, SDL_SCANCODE_LEFT), 37);
    EXPECT_EQ(Key(SDLK_UP, SDL_SCANCODE_UP), 38);
    EXPECT_EQ(Key(SDLK_RIGHT, SDL_SCANCODE_RIGHT), 39);
    EXPECT_EQ(Key(SDLK_DOWN, SDL_SCANCODE_DOWN), 40);
    EXPECT_EQ(Key(SDLK_INSERT, SDL_SCANCODE_INSERT), 45);
    EXPECT_EQ(Key(SDLK_DELETE, SDL_SCANCODE_DELETE), 46);
    EXPECT_EQ(Key(SDLK_F1, SDL_SCANCODE_F1), 112);
    EXPECT_EQ(Key(SDLK_F12, SDL_SCANCODE_F12), 123);
    EXPECT_EQ(Key(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0);
}

TEST(SdlKeys, CharacterKeysFollowWindowsRules) {
    // Letters are capitals and follow the layout (AZERTY's A sits on Q).
    EXPECT_EQ(Key(SDLK_a, SDL_SCANCODE_A), 'A');
    EXPECT_EQ(Key(SDLK_a, SDL_SCANCODE_Q), 'A');
    EXPECT_EQ(Key(SDLK_z, SDL_SCANCODE_Z), 'Z');
    // A Cyrillic layout falls back to the letter at that place.
    EXPECT_EQ(Key(0x0444, SDL_SCANCODE_A), 'A');
    // The digit row gives digits on every layout (AZERTY types "&" there).
    EXPECT_EQ(Key(SDLK_AMPERSAND, SDL_SCANCODE_1), '1');
    EXPECT_EQ(Key(SDLK_0, SDL_SCANCODE_0), '0');
    // The key left of 1 and the US backslash key both give 220; a Danish
    // letter key gives its place's number.
    EXPECT_EQ(Key(0xBD, SDL_SCANCODE_GRAVE), 220);
    EXPECT_EQ(Key(SDLK_BACKSLASH, SDL_SCANCODE_BACKSLASH), 220);
    EXPECT_EQ(Key(0xE6, SDL_SCANCODE_SEMICOLON), 186);
    EXPECT_EQ(Key(SDLK_MINUS, SDL_SCANCODE_MINUS), 189);
}

TEST(SdlKeys, NumpadDependsOnNumLock) {
    EXPECT_EQ(Key(SDLK_KP_0, SDL_SCANCODE_KP_0, KMOD_NUM), 96);
    EXPECT_EQ(Key(SDLK_KP_9, SDL_SCANCODE_KP_9, KMOD_NUM), 105);
    EXPECT_EQ(Key(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD, KMOD_NUM), 110);
    EXPECT_EQ(Key(SDLK_KP_8, SDL_SCANCODE_KP_8), 38);  // up
    EXPECT_EQ(Key(SDLK_KP_3, SDL_SCANCODE_KP_3), 34);  // page down
    EXPECT_EQ(Key(SDLK_KP_PERIOD, SDL_SCANCODE_KP_PERIOD), 46);
    EXPECT_EQ(Key(SDLK_KP_5, SDL_SCANCODE_KP_5), 0);
}

TEST(SdlKeys, ShiftStatesAndButtons) {
    using namespace platform;
    EXPECT_EQ(sdl::KeyShift(KMOD_RSHIFT | KMOD_LCTRL | KMOD_RALT), ShiftKey | CtrlKey | AltKey);
    EXPECT_EQ(sdl::KeyShift(KMOD_NUM | KMOD_CAPS), 0u);
    EXPECT_EQ(sdl::MouseShift(KMOD_LSHIFT, SDL_BUTTON_LMASK | SDL_BUTTON_MMASK),
              ShiftKey | LeftButtonHeld | MiddleButtonHeld);
    EXPECT_EQ(sdl::MouseButtonNumber(SDL_BUTTON_LEFT), 1);
    EXPECT_EQ(sdl::MouseButtonNumber(SDL_BUTTON_RIGHT), 2);
    EXPECT_EQ(sdl::MouseButtonNumber(SDL_BUTTON_MIDDLE), 3);
    EXPECT_EQ(sdl::MouseButtonNumber(SDL_BUTTON_X1), 0);
}

TEST(SdlKeys, ControlCharactersAsWindowsTypesThem) {
    using platform::sdl::ControlChar;
    EXPECT_EQ(ControlChar(13, 0), 13);
    EXPECT_EQ(ControlChar(27, platform::ShiftKey), 27);
    EXPECT_EQ(ControlChar(8, 0), 8);
    EXPECT_EQ(ControlChar('C', platform::CtrlKey), 3);
    EXPECT_EQ(ControlChar('C', platform::CtrlKey | platform::AltKey), 0);  // AltGr
    EXPECT_EQ(ControlChar('C', 0), 0);  // typed text comes from the text events
    EXPECT_EQ(ControlChar(37, 0), 0);
}

TEST(SdlKeys, TypedTextBecomesWindows1252) {
    using platform::sdl::TypedBytes;
    EXPECT_EQ(TypedBytes("a\xC3\xA9\xE2\x82\xAC"), "a\xE9\x80");  // a é €
    EXPECT_EQ(TypedBytes("\xE4\xB8\xAD" "b"), "b");               // no byte for 中
    EXPECT_EQ(TypedBytes("\t\x7F"), "");
    EXPECT_EQ(TypedBytes(nullptr), "");
    EXPECT_TRUE(platform::sdl::TextSuppressed(KMOD_LCTRL));
    EXPECT_TRUE(platform::sdl::TextSuppressed(KMOD_LALT));
    EXPECT_FALSE(platform::sdl::TextSuppressed(KMOD_RALT | KMOD_LCTRL));  // AltGr
    EXPECT_FALSE(platform::sdl::TextSuppressed(KMOD_SHIFT));
}
