#include "platform/sdl/SdlKeys.h"

#include "platform/Codepage.h"
#include "platform/Platform.h"

namespace platform::sdl {
namespace {

// Virtual-key numbers beyond the letters and digits.
enum Vk : int {
    VkBack = 8, VkTab = 9, VkClear = 12, VkReturn = 13, VkShift = 16, VkControl = 17,
    VkMenu = 18, VkPause = 19, VkCapital = 20, VkEscape = 27, VkSpace = 32, VkPrior = 33,
    VkNext = 34, VkEnd = 35, VkHome = 36, VkLeft = 37, VkUp = 38, VkRight = 39, VkDown = 40,
    VkSnapshot = 44, VkInsert = 45, VkDelete = 46, VkLWin = 91, VkRWin = 92, VkApps = 93,
    VkNumpad0 = 96, VkMultiply = 106, VkAdd = 107, VkSubtract = 109, VkDecimal = 110,
    VkDivide = 111, VkF1 = 112, VkF13 = 124, VkNumLock = 144, VkScroll = 145,
    VkOem1 = 186, VkOemPlus = 187, VkOemComma = 188, VkOemMinus = 189, VkOemPeriod = 190,
    VkOem2 = 191, VkOem4 = 219, VkOem5 = 220, VkOem6 = 221, VkOem7 = 222, VkOem102 = 226,
};

int LetterKey(const SDL_Keysym& key) {
    if (key.sym >= SDLK_a && key.sym <= SDLK_z) return 'A' + (key.sym - SDLK_a);
    // Layouts without Latin letters: the key's position decides.
    if (key.scancode >= SDL_SCANCODE_A && key.scancode <= SDL_SCANCODE_Z) {
        return 'A' + (key.scancode - SDL_SCANCODE_A);
    }
    return 0;
}

int DigitKey(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_1 && code <= SDL_SCANCODE_9) return '1' + (code - SDL_SCANCODE_1);
    if (code == SDL_SCANCODE_0) return '0';
    return 0;
}

int FunctionKey(SDL_Scancode code) {
    if (code >= SDL_SCANCODE_F1 && code <= SDL_SCANCODE_F12) return VkF1 + (code - SDL_SCANCODE_F1);
    if (code >= SDL_SCANCODE_F13 && code <= SDL_SCANCODE_F24) {
        return VkF13 + (code - SDL_SCANCODE_F13);
    }
    return 0;
}

// The keypad's digit keys and its decimal point: with Num Lock they type,
// without it they are the navigation keys printed under the digits.
int KeypadKey(SDL_Scancode code, bool numLock) {
    static const int navigation[10] = {VkInsert, VkEnd,  VkDown, VkNext, VkLeft,
                                       VkClear,  VkRight, VkHome, VkUp,   VkPrior};
    int digit = -1;
    if (code == SDL_SCANCODE_KP_0) digit = 0;
    if (code >= SDL_SCANCODE_KP_1 && code <= SDL_SCANCODE_KP_9) digit = 1 + (code - SDL_SCANCODE_KP_1);
    if (digit >= 0) return numLock ? VkNumpad0 + digit : navigation[digit];
    if (code == SDL_SCANCODE_KP_PERIOD) return numLock ? VkDecimal : VkDelete;
    return 0;
}

int EditingKey(SDL_Scancode code) {
    switch (code) {
        case SDL_SCANCODE_BACKSPACE: return VkBack;
        case SDL_SCANCODE_TAB: return VkTab;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_RETURN2:
        case SDL_SCANCODE_KP_ENTER: return VkReturn;
        case SDL_SCANCODE_ESCAPE: return VkEscape;
        case SDL_SCANCODE_SPACE: return VkSpace;
        case SDL_SCANCODE_PAGEUP: return VkPrior;
        case SDL_SCANCODE_PAGEDOWN: return VkNext;
        case SDL_SCANCODE_END: return VkEnd;
        case SDL_SCANCODE_HOME: return VkHome;
        case SDL_SCANCODE_LEFT: return VkLeft;
        case SDL_SCANCODE_UP: return VkUp;
        case SDL_SCANCODE_RIGHT: return VkRight;
        case SDL_SCANCODE_DOWN: return VkDown;
        case SDL_SCANCODE_INSERT: return VkInsert;
        case SDL_SCANCODE_DELETE: return VkDelete;
        case SDL_SCANCODE_CLEAR: return VkClear;
        default: return 0;
    }
}

int ModifierAndLockKey(SDL_Scancode code) {
    switch (code) {
        case SDL_SCANCODE_LSHIFT:
        case SDL_SCANCODE_RSHIFT: return VkShift;
        case SDL_SCANCODE_LCTRL:
        case SDL_SCANCODE_RCTRL: return VkControl;
        case SDL_SCANCODE_LALT:
        case SDL_SCANCODE_RALT: return VkMenu;
        case SDL_SCANCODE_LGUI: return VkLWin;
        case SDL_SCANCODE_RGUI: return VkRWin;
        case SDL_SCANCODE_APPLICATION: return VkApps;
        case SDL_SCANCODE_PAUSE: return VkPause;
        case SDL_SCANCODE_CAPSLOCK: return VkCapital;
        case SDL_SCANCODE_NUMLOCKCLEAR: return VkNumLock;
        case SDL_SCANCODE_SCROLLLOCK: return VkScroll;
        case SDL_SCANCODE_PRINTSCREEN: return VkSnapshot;
        default: return 0;
    }
}

int PunctuationKey(SDL_Scancode code) {
    switch (code) {
        case SDL_SCANCODE_GRAVE:
        case SDL_SCANCODE_BACKSLASH: return VkOem5;
        case SDL_SCANCODE_NONUSHASH: return VkOem2;  // the Nordic and German "'" or "#" key
        case SDL_SCANCODE_SEMICOLON: return VkOem1;
        case SDL_SCANCODE_EQUALS: return VkOemPlus;
        case SDL_SCANCODE_COMMA: return VkOemComma;
        case SDL_SCANCODE_MINUS: return VkOemMinus;
        case SDL_SCANCODE_PERIOD: return VkOemPeriod;
        case SDL_SCANCODE_SLASH: return VkOem2;
        case SDL_SCANCODE_LEFTBRACKET: return VkOem4;
        case SDL_SCANCODE_RIGHTBRACKET: return VkOem6;
        case SDL_SCANCODE_APOSTROPHE: return VkOem7;
        case SDL_SCANCODE_NONUSBACKSLASH: return VkOem102;
        case SDL_SCANCODE_KP_MULTIPLY: return VkMultiply;
        case SDL_SCANCODE_KP_PLUS: return VkAdd;
        case SDL_SCANCODE_KP_MINUS: return VkSubtract;
        case SDL_SCANCODE_KP_DIVIDE: return VkDivide;
        default: return 0;
    }
}

}  // namespace

int VirtualKeyFor(const SDL_Keysym& key) {
    SDL_Scancode code = key.scancode;
    // Each group answers 0 for keys that are not its own.
    int vk = LetterKey(key);
    if (!vk) vk = DigitKey(code);
    if (!vk) vk = EditingKey(code);
    if (!vk) vk = FunctionKey(code);
    if (!vk) vk = KeypadKey(code, (key.mod & KMOD_NUM) != 0);
    if (!vk) vk = ModifierAndLockKey(code);
    if (!vk) vk = PunctuationKey(code);
    return vk;
}

unsigned ShiftFromMods(Uint16 mods) {
    unsigned shift = 0;
    if (mods & KMOD_SHIFT) shift |= ShiftKey;
    if (mods & KMOD_CTRL) shift |= CtrlKey;
    if (mods & KMOD_ALT) shift |= AltKey;
    return shift;
}

uint8_t ControlCharFor(const SDL_Keysym& key) {
    switch (key.scancode) {
        case SDL_SCANCODE_BACKSPACE: return 8;
        case SDL_SCANCODE_TAB: return 9;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_RETURN2:
        case SDL_SCANCODE_KP_ENTER: return 13;
        case SDL_SCANCODE_ESCAPE: return 27;
        default: break;
    }
    if ((key.mod & KMOD_CTRL) && !(key.mod & KMOD_ALT)) {
        int letter = LetterKey(key);
        if (letter) return static_cast<uint8_t>(letter - 'A' + 1);
    }
    return 0;
}

bool TypesText(Uint16 mods) {
    if (mods & KMOD_LALT) return false;
    bool altGr = (mods & (KMOD_RALT | KMOD_MODE)) != 0;
    return !(mods & KMOD_CTRL) || altGr;
}

std::string TypedBytes(const char* utf8) {
    if (!utf8) return {};
    return Utf8ToCp1252(utf8);
}

}  // namespace platform::sdl
