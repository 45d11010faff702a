#include "lobby/ErrorBox.h"

#include <string>

#include "controls/MsgBoxes.h"
#include "lobby/LobbyState.h"

namespace {

std::function<int()>& ProgressSource() { return LobbyState().ProgressSource; }

}  // namespace

void SetStartupProgressSource(std::function<int()> source) { ProgressSource() = std::move(source); }

void ShowUnhandledError() {
    // The report itself must not throw out of the handler it guards.
    try {
        const int progress = ProgressSource() ? ProgressSource()() : 0;
        CloseMsgBox(0);
        MsgBox(kUnhandledErrorText + std::to_string(progress), kUnhandledErrorTitle, mb::kOk, mb::Ok);
    } catch (...) {
    }
}
