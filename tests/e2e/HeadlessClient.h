// The client side of the end-to-end tests: a fresh headless backend per
// case and the step that moves the client's world on. Time is virtual and
// moves only here; the sockets are real.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FreshStates.h"
#include "net/transport/Client.h"

namespace e2etest {

class HeadlessTest : public ::testing::Test {
protected:
    // First, so it ends after everything the fixture and its subclasses own.
    TFreshLobby m_states;

    void SetUp() override;
};

// One step: virtual time moves on (straight to the next connect attempt
// when the client waits for one, else by one millisecond), then the socket
// events of up to two real milliseconds are handled. Idle steps therefore
// cost real time and no CPU.
void Step(const TClient& client);
// Steps until done() holds; false after `limit` steps without it.
bool StepUntil(const TClient& client, const std::function<bool()>& done, int limit = 20000);

// A client with its wait step and recorders installed.
struct TRecordedClient {
    explicit TRecordedClient(bool resumable);
    Tnet client;
    std::vector<std::string> messages;
    std::vector<std::string> errors;
    int disconnects = 0;
    TSubscription disconnected;
};

}  // namespace e2etest
