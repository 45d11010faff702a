// The values of one logged-on session that the logon, the dispatcher, the
// lobby and the game windows share, and the session's connection.
//
// There is one session object per application context (TNetState), for the
// program's whole life; a failed logon and a new attempt reuse it (only the
// connection is created anew).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <variant>

#include "platform/Event.h"
#include "rules/GameSetup.h"

#include "rules/Dicestat.h"

class TClient;

// The parameters of the game being started (server code 18), read by the
// game window when it opens. Their meaning belongs to each game window.
struct TGameStartPlayer {
    std::string Name;
    std::string Extra;
};

struct TGameStart {
    static constexpr int kMaxPlayers = 4;
    int GameKind = 0;  // 1 Tumblix, 2 Backgammon, 3 Puzzle, 4 Yatzy
    int PlayerCount = 0;
    std::array<TGameStartPlayer, kMaxPlayers> Players;
    int Param1 = 0, Param2 = 0, Param3 = 0, Param4 = 0;
    // The same start as its kind's typed record (own alias filled in), which
    // says what each number means; empty before the first start.
    std::variant<std::monostate, rules::TDuelSetup, rules::TGammonSetup, rules::TYatzySetup> Setup;

    // The record of that kind; the defaults when another kind started.
    template <class TRecord>
    TRecord SetupAs() const {
        const TRecord* record = std::get_if<TRecord>(&Setup);
        return record ? *record : TRecord{};
    }
};

struct TSession {
    // The alias as typed with every capital "I" made a small "i".
    std::string Alias;
    std::string ServerHost;
    std::string WebPassword;
    bool StartHelpShown = false;
    // The lobby's two further first-time hints.
    bool FirstHintShown = false;
    bool SecondHintShown = false;
    uint8_t Privileged = 0;
    bool RegisterCancelled = false;
    // "Gotfrom" of version.ini, read when the first version query is answered.
    int DistributionNumber = 0;
    bool VersionQueried = false;

    TGameStart GameStart;
    bool GameRunning = false;
    // Entries 1..7 of server code 99; index 0 unused.
    std::array<std::string, 8> GameUrls;
    int BannerMinInterval = 30;          // seconds
    int BannerPeriodMs = 30 * 60000;     // the lobby's banner timer
    std::string OptionString;
    int64_t PingSentAt = 0;              // ms, the chat command "/ping"
    // The dice statistics of the whole run: the Backgammon and Yatzy windows
    // count into it, the lobby's "/dicestat" prints it.
    rules::TDicestat Dicestat;

    // The session's connection; null between attempts. Owned by the logon
    // window's TConnector.
    TClient* Client = nullptr;
    // The server accepted the logon on this connection (from then on a lost
    // session ends the program; before it the connection is only freed).
    bool LoggedOn = false;
    // The user chose to leave: the end of the session ends the program
    // without the "Disconnect" box.
    bool Leaving = false;
    // The dispatcher's reaction to the end of the logged-on session.
    TSubscription EndOfSession;

    // Ends the program after a lost session (tests replace it); empty:
    // EndProgramSoon.
    std::function<void()> EndProgram;
};

TSession& Session();

// The session's end of the program: Session().EndProgram, or else
// EndProgramSoon.
void EndProgram();
// Ends the main loop 100 ms from now (a one-shot timer, so the loop keeps
// running meanwhile).
void EndProgramSoon();

// Sends a message on the session's connection; false when there is none.
bool SendToServer(const std::string& message);
