// TNetState: the net library's part of the application context: the values
// of the logged-on session and the windows the dispatcher acts on.
//
// Session() and SessionWindows() return the members of the installed state;
// a fresh context starts with an empty session and no windows registered.
#pragma once

#include <memory>

#include "net/Session.h"
#include "net/SessionWindows.h"
#include "shell/MyTimer.h"

struct TNetState {
    TSession Session;
    TSessionWindows Windows;
    // The one-shot timer of EndProgramSoon, created on its first use.
    std::unique_ptr<TMyTimer> EndTimer;
};
