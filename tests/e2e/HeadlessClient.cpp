#include "HeadlessClient.h"

#include "platform/headless/Headless.h"
#include "shell/MyTimer.h"

namespace e2etest {

void HeadlessTest::SetUp() { platform::headless::InstallFresh(); }

void Step(const TClient& client) {
    auto& loop = platform::headless::Loop();
    int64_t since = NowMs() - client.LastAttemptAt();
    if (!client.SocketOpen() && since >= 0 && since < TClient::kAttemptGapMs)
        loop.AdvanceMs(TClient::kAttemptGapMs - since);
    else
        loop.AdvanceMs(1);
    auto& io = static_cast<platform::headless::TIo&>(platform::Io());
    bool tasksReady = false;
    io.Poll(2, &tasksReady);
    loop.Queue().Drain();
}

bool StepUntil(const TClient& client, const std::function<bool()>& done, int limit) {
    for (int i = 0; i < limit; ++i) {
        if (done()) return true;
        Step(client);
    }
    return done();
}

TRecordedClient::TRecordedClient(bool resumable) {
    client.Host = "127.0.0.1";
    client.Resumable = resumable;
    client.WaitStep = [this] { Step(client); };
    client.OnMessage = [this](TClient*, const std::string& m) { messages.push_back(m); };
    client.OnError = [this](TClient*, const std::string& e) { errors.push_back(e); };
    disconnected = client.OnDisconnect.Subscribe([this](TClient*, int) { ++disconnects; });
}

}  // namespace e2etest
