#include "platform/sdl/SdlDialogs.h"

#include <SDL.h>

#include <cstdio>

#include "platform/Codepage.h"

namespace platform::sdl {
namespace {

constexpr int kButtonNo = 0;
constexpr int kButtonYes = 1;

// Shows a box with Yes and No; -1 when it could not be shown, else the
// button (closing the box counts as No).
int AskYesNo(const std::string& text, const std::string& caption) {
    const SDL_MessageBoxButtonData buttons[] = {
        {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kButtonYes, "Yes"},
        {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kButtonNo, "No"},
    };
    SDL_MessageBoxData data{};
    data.flags = SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
    data.title = caption.c_str();
    data.message = text.c_str();
    data.numbuttons = 2;
    data.buttons = buttons;
    int pressed = kButtonNo;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) return -1;
    return pressed == kButtonYes ? kButtonYes : kButtonNo;
}

}  // namespace

BoxResult TDialogs::MessageBox(BoxKind kind, const std::string& text,
                               const std::string& caption) {
    std::string utf8Text = Cp1252ToUtf8(text);
    std::string utf8Caption = Cp1252ToUtf8(caption);
    if (kind == BoxKind::YesNo) {
        int answer = AskYesNo(utf8Text, utf8Caption);
        if (answer >= 0) return answer == kButtonYes ? BoxResult::Yes : BoxResult::No;
        std::fprintf(stderr, "%s: %s [answered No]\n", utf8Caption.c_str(), utf8Text.c_str());
        return BoxResult::No;
    }
    Uint32 flags = kind == BoxKind::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    if (SDL_ShowSimpleMessageBox(flags, utf8Caption.c_str(), utf8Text.c_str(), nullptr) != 0) {
        std::fprintf(stderr, "%s: %s\n", utf8Caption.c_str(), utf8Text.c_str());
    }
    return BoxResult::Ok;
}

}  // namespace platform::sdl
