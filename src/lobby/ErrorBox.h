// The last resort of the client's event handlers: an error that escapes a
// handler is caught at its top (Guarded) and reported in the shared box as
// "Der skete en fejl!" followed by the start-up progress value in decimal,
// title "Error", OK. The progress value tells how far start-up had come,
// which is what distinguishes the usual failures (a broken skin, a missing
// window) from each other.
//
// The value comes from the splash window, which lies above the lobby; the
// start-up sequence hands a reader of it here. Without one it reads 0.
#pragma once

#include <functional>

inline constexpr char kUnhandledErrorText[] = "Der skete en fejl!";
inline constexpr char kUnhandledErrorTitle[] = "Error";

void SetStartupProgressSource(std::function<int()> source);
// Closes the shared box and shows the error box.
void ShowUnhandledError();

// Runs the handler; anything it throws ends in ShowUnhandledError.
template <typename F>
void Guarded(F&& handler) {
    try {
        handler();
    } catch (...) {
        ShowUnhandledError();
    }
}
