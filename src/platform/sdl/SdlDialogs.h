// The SDL backend's system message boxes.
//
// They work before any window exists and before SDL's video starts. Where no
// box can be shown (no display), the text goes to standard error and a
// question is answered No, the answer that does not go ahead.
#pragma once

#include "platform/Platform.h"

namespace platform::sdl {

class TDialogs : public IDialogs {
public:
    BoxResult MessageBox(BoxKind kind, const std::string& text,
                         const std::string& caption) override;
};

}  // namespace platform::sdl
