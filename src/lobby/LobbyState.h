// TLobbyState: the lobby library's part of the application context: the
// spam check of the chat line and the start-up progress reader the error
// box reports.
#pragma once

#include <functional>

#include "lobby/Spam.h"

struct TLobbyState {
    TSpamCheck Spam;
    // Set by the start-up sequence while its splash exists; empty: 0.
    std::function<int()> ProgressSource;
};

// The installed state; the process ends when there is none.
TLobbyState& LobbyState();
