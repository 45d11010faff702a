#include "net/Session.h"

#include "net/NetState.h"
#include "net/transport/Client.h"
#include "platform/InstalledState.h"
#include "platform/Platform.h"
#include "shell/MyTimer.h"

namespace {
// The last moments of the program, so the box that announced the end has
// gone and queued bytes are out.
constexpr int kEndDelayMs = 100;
}  // namespace

TSession& Session() { return TInstalledState<TNetState>::Get().Session; }

TSessionWindows& SessionWindows() { return TInstalledState<TNetState>::Get().Windows; }

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
    // The context owns the timer, so one that never fires ends with it.
    auto& timer = TInstalledState<TNetState>::Get().EndTimer;
    if (!timer) {
        timer = std::make_unique<TMyTimer>();
        timer->SetInterval(kEndDelayMs);
        timer->OnTimer = [](TMyTimer* sender) {
            sender->SetEnabled(false);
            platform::Loop().Terminate();
        };
    }
    timer->SetEnabled(true);
}
