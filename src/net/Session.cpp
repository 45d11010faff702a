#include "net/Session.h"

#include "net/SessionWindows.h"
#include "net/transport/Client.h"
#include "platform/Platform.h"
#include "shell/MyTimer.h"

namespace {
// The last moments of the program, so the box that announced the end has
// gone and queued bytes are out.
constexpr int kEndDelayMs = 100;
}  // namespace

TSession& Session() {
    static TSession session;
    return session;
}

TSessionWindows& SessionWindows() {
    static TSessionWindows windows;
    return windows;
}

bool SendToServer(const std::string& message) {
    TClient* client = Session().Client;
    if (!client) return false;
    return client->Send(message);
}

void EndProgram() {
    if (Session().EndProgram)
        Session().EndProgram();
    else
        EndProgramSoon();
}

void EndProgramSoon() {
    // Freed by the timer dispatcher after the pass that fires it.
    auto* timer = new TMyTimer;
    timer->SetInterval(kEndDelayMs);
    timer->OnTimer = [](TMyTimer* sender) {
        sender->SetEnabled(false);
        sender->FreeAfterPass = true;
        platform::Loop().Terminate();
    };
    timer->SetEnabled(true);
}
