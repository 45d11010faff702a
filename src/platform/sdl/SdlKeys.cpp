#include "platform/sdl/SdlKeys.h"

#include "platform/Codepage.h"
#include "platform/Platform.h"

namespace platform::sdl {
namespace {

// Windows virtual-key numbers that have no ASCII meaning.
enum : int {
    kVkBack = 8, kVkTab = 9, kVkReturn = 13, kVkShift = 16, kVkControl = 17, kVkMenu = 18,
    kVkPause = 19, kVkCapital = 20, kVkEscape = 27, kVkSpace = 32, kVkPrior = 33,
    kVkNext = 34, kVkEnd = 35, kVkHome = 36, kVkLeft = 37, kVkUp = 38, kVkRight = 39,
    kVkDown = 40, kVkSnapshot = 44, kVkInsert = 45, kVkDelete = 46, kVkLWin = 91,
    kVkRWin = 92, kVkApps = 93, kVkNumpad0 = 96, kVkMultiply = 106, kVkAdd = 107,
    kVkSubtract = 109, kVkDecimal = 110, kVkDivide = 111, kVkF1 = 112, kVkF13 = 124,
    kVkNumLock = 144, kVkScroll = 145,
    kVkOem1 = 186, kVkOemPlus = 187, kVkOemComma = 188, kVkOemMinus = 189,
    kVkOemPeriod = 190, kVkOem2 = 191, kVkOem4 = 219, kVkOem5 = 220, kVkOem6 = 221,
    kVkOem7 = 222, kVkOem102 = 226,
};

struct TKeyPair {
    SDL_Keycode sym;
    int vk;
};

// Keys found by their SDL key code.
constexpr TKeyPair kByKeycode[] = {
    {SDLK_BACKSPACE, kVkBack}, {SDLK_TAB, kVkTab}, {SDLK_RETURN, kVkReturn},
    {SDLK_RETURN2, kVkReturn}, {SDLK_LSHIFT, kVkShift}, {SDLK_RSHIFT, kVkShift},
    {SDLK_LCTRL, kVkControl}, {SDLK_RCTRL, kVkControl}, {SDLK_LALT, kVkMenu},
    {SDLK_RALT, kVkMenu}, {SDLK_PAUSE, kVkPause}, {SDLK_CAPSLOCK, kVkCapital},
    {SDLK_ESCAPE, kVkEscape}, {SDLK_SPACE, kVkSpace}, {SDLK_PAGEUP, kVkPrior},
    {SDLK_PAGEDOWN, kVkNext}, {SDLK_END, kVkEnd}, {SDLK_HOME, kVkHome},
    {SDLK_LEFT, kVkLeft}, {SDLK_UP, kVkUp}, {SDLK_RIGHT, kVkRight}, {SDLK_DOWN, kVkDown},
    {SDLK_PRINTSCREEN, kVkSnapshot}, {SDLK_INSERT, kVkInsert}, {SDLK_DELETE, kVkDelete},
    {SDLK_LGUI, kVkLWin}, {SDLK_RGUI, kVkRWin}, {SDLK_APPLICATION, kVkApps},
    {SDLK_NUMLOCKCLEAR, kVkNumLock}, {SDLK_SCROLLLOCK, kVkScroll},
    {SDLK_KP_MULTIPLY, kVkMultiply}, {SDLK_KP_PLUS, kVkAdd},
    {SDLK_KP_MINUS, kVkSubtract}, {SDLK_KP_DIVIDE, kVkDivide}, {SDLK_KP_ENTER, kVkReturn},
};

struct TScanPair {
    SDL_Scancode code;
    int vk;
};

// Keys Windows names by their place on the keyboard.
constexpr TScanPair kByPlace[] = {
    {SDL_SCANCODE_SEMICOLON, kVkOem1}, {SDL_SCANCODE_EQUALS, kVkOemPlus},
    {SDL_SCANCODE_COMMA, kVkOemComma}, {SDL_SCANCODE_MINUS, kVkOemMinus},
    {SDL_SCANCODE_PERIOD, kVkOemPeriod}, {SDL_SCANCODE_SLASH, kVkOem2},
    {SDL_SCANCODE_LEFTBRACKET, kVkOem4}, {SDL_SCANCODE_GRAVE, kVkOem5},
    {SDL_SCANCODE_BACKSLASH, kVkOem5}, {SDL_SCANCODE_NONUSHASH, kVkOem5},
    {SDL_SCANCODE_RIGHTBRACKET, kVkOem6}, {SDL_SCANCODE_APOSTROPHE, kVkOem7},
    {SDL_SCANCODE_NONUSBACKSLASH, kVkOem102},
};

// The numpad with Num Lock off: the keys printed under the digits.
constexpr int kNumpadNavigation[10] = {kVkInsert, kVkEnd, kVkDown, kVkNext, kVkLeft,
                                       0,         kVkRight, kVkHome, kVkUp, kVkPrior};

int NumpadKey(SDL_Scancode code, bool numLock) {
    if (code == SDL_SCANCODE_KP_PERIOD) return numLock ? kVkDecimal : kVkDelete;
    if (code == SDL_SCANCODE_KP_0) return numLock ? kVkNumpad0 : kNumpadNavigation[0];
    if (code < SDL_SCANCODE_KP_1 || code > SDL_SCANCODE_KP_9) return -1;
    int digit = code - SDL_SCANCODE_KP_1 + 1;
    return numLock ? kVkNumpad0 + digit : kNumpadNavigation[digit];
}

int FunctionKey(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F12) return kVkF1 + (code - SDL_SCANCODE_F1);
    if (code >= SDL_SCANCODE_F13 && code <= SDL_SCANCODE_F24) return kVkF13 + (code - SDL_SCANCODE_F13);
    return 0;
}

// The digit row gives '0'..'9' on every layout (AZERTY too), as on Windows.
int DigitRowKey(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + (code - SDL_SCANCODE_1);
    if (code == SDL_SCANCODE_0) return '0';
    return 0;
}

// Letters follow the layout; a layout without Latin letters falls back to
// the letter printed at that place on a US keyboard.
int LetterKey(SDL_Keycode sym, SDL_Scancode code) {
    if (sym >= 'a' && sym <= 'z') return static_cast<int>(sym - 'a' + 'A');
    if (sym >= 'A' && sym <= 'Z') return static_cast<int>(sym);
    bool latin = sym < 0x80;
    if (!latin && code >= SDL_SCANCODE_A && code <= SDL_SCANCODE_Z) return 'A' + (code - SDL_SCANCODE_A);
    return 0;
}

}  // namespace

int VirtualKey(SDL_Keycode sym, SDL_Scancode scancode, Uint16 mod) {
    int numpad = NumpadKey(scancode, (mod & KMOD_NUM) != 0);
    if (numpad >= 0) return numpad;
    for (const auto& pair : kByKeycode)
        if (pair.sym == sym) return pair.vk;
    if (int key = FunctionKey(scancode)) return key;
    if (int key = DigitRowKey(scancode)) return key;
    if (int key = LetterKey(sym, scancode)) return key;
    for (const auto& pair : kByPlace)
        if (pair.code == scancode) return pair.vk;
    return 0;
}

unsigned KeyShift(Uint16 mod) {
    unsigned shift = 0;
    if (mod & KMOD_SHIFT) shift |= ShiftKey;
    if (mod & KMOD_CTRL) shift |= CtrlKey;
    if (mod & KMOD_ALT) shift |= AltKey;
    return shift;
}

unsigned MouseShift(Uint16 mod, Uint32 buttons) {
    unsigned shift = KeyShift(mod);
    if (buttons & SDL_BUTTON_LMASK) shift |= LeftButtonHeld;
    if (buttons & SDL_BUTTON_RMASK) shift |= RightButtonHeld;
    if (buttons & SDL_BUTTON_MMASK) shift |= MiddleButtonHeld;
    return shift;
}

int MouseButtonNumber(Uint8 sdlButton) {
    switch (sdlButton) {
    case SDL_BUTTON_LEFT: return ButtonLeft;
    case SDL_BUTTON_RIGHT: return ButtonRight;
    case SDL_BUTTON_MIDDLE: return ButtonMiddle;
    default: return 0;
    }
}

Uint32 SdlButtonMask(int button) {
    switch (button) {
    case ButtonLeft: return SDL_BUTTON_LMASK;
    case ButtonRight: return SDL_BUTTON_RMASK;
    case ButtonMiddle: return SDL_BUTTON_MMASK;
    default: return 0;
    }
}

uint8_t ControlChar(int virtualKey, unsigned shift) {
    switch (virtualKey) {
    case kVkBack: return 8;
    case kVkTab: return 9;
    case kVkReturn: return 13;
    case kVkEscape: return 27;
    default: break;
    }
    bool ctrlOnly = (shift & CtrlKey) && !(shift & AltKey);
    if (ctrlOnly && virtualKey >= 'A' && virtualKey <= 'Z') return static_cast<uint8_t>(virtualKey - 'A' + 1);
    return 0;
}

std::string TypedBytes(const char* utf8) {
    std::string bytes = Utf8ToCp1252(utf8 ? utf8 : "");
    std::string typed;
    for (char c : bytes) {
        auto byte = static_cast<uint8_t>(c);
        if (byte >= 32 && byte != 127) typed += c;
    }
    return typed;
}

bool TextSuppressed(Uint16 mod) {
    bool altGr = (mod & (KMOD_RALT | KMOD_MODE)) != 0;
    return !altGr && (mod & (KMOD_CTRL | KMOD_LALT)) != 0;
}

}  // namespace platform::sdl
