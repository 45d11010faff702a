// quorvalendix-server: the reference game-zone server.
//
//   quorvalendix-server [--folder DIR]
//   quorvalendix-server admin [--folder DIR] COMMAND [WORDS...]
//   quorvalendix-server verify-dice KEY [COUNT]
//   quorvalendix-server make-update-key [--keep] KEYFILE [PUBFILE]
//   quorvalendix-server sign-update KEYFILE FILES...
//
// DIR (default: the folder "server" beside the program directory, i.e.
// build/server/) holds server.ini and the account database; both are created
// on first start. SIGINT or SIGTERM ends the server after a goodbye to every
// session. The second form sends one command to the server running on DIR
// through its admin socket and prints the reply ("admin help" lists them).
// The third prints the dice of a Backgammon match from the key the table
// chat showed at its end: the key's hash (as shown at the start), then the
// first COUNT dice (default 400; the chat line says how many were used),
// numbered from 1, one per line, in the order they were rolled. The last
// two make the key pair of signed updates and sign a release
// (ReleaseCommands.h).
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "AdminClient.h"
#include "Clock.h"
#include "ReleaseCommands.h"
#include "platform/Files.h"
#include "referees/FairDice.h"
#include "Server.h"
#include "ServerConfig.h"

namespace {

std::atomic<bool> g_stop{false};

void OnSignal(int) { g_stop.store(true); }

void InstallSignals() {
    struct sigaction sa{};
    sa.sa_handler = OnSignal;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGINT, &sa, nullptr);
    sigaction(SIGTERM, &sa, nullptr);
    signal(SIGPIPE, SIG_IGN);
}

void Usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [--folder DIR]\n       %s admin [--folder DIR] COMMAND [WORDS...]\n"
                 "       %s verify-dice KEY [COUNT]\n"
                 "       %s make-update-key [--keep] KEYFILE [PUBFILE]\n"
                 "       %s sign-update KEYFILE FILES...\n",
                 program, program, program, program, program);
}

int VerifyDice(int argc, char** argv) {
    constexpr unsigned long kDefaultCount = 400, kMaxCount = 1000000;
    auto key = argc >= 3 ? server::FairDice::ParseKey(argv[2]) : std::nullopt;
    unsigned long count = kDefaultCount;
    if (argc >= 4) {
        char* end = nullptr;
        count = std::strtoul(argv[3], &end, 10);
        if (*end != 0 || count == 0 || count > kMaxCount) key.reset();
    }
    if (!key || argc > 4) {
        std::fprintf(stderr, "usage: %s verify-dice KEY [COUNT]  (KEY: 64 hex digits, COUNT: 1..%lu)\n", argv[0],
                     kMaxCount);
        return 2;
    }
    std::printf("hash %s\n", server::FairDice::Commitment(*key).c_str());
    for (unsigned long n = 0; n < count; ++n)
        std::printf("%lu %d\n", n + 1, server::FairDice::DieAt(*key, n));
    return 0;
}

// Reads "--folder DIR" and, in admin mode, the command's words.
bool ParseArguments(int argc, char** argv, std::string& folder, bool& admin, std::vector<std::string>& words) {
    int i = 1;
    admin = argc > 1 && std::strcmp(argv[1], "admin") == 0;
    if (admin) ++i;
    for (; i < argc; ++i) {
        if (std::strcmp(argv[i], "--folder") == 0 && i + 1 < argc && words.empty()) {
            folder = argv[++i];
        } else if (admin) {
            words.push_back(argv[i]);
        } else {
            Usage(argv[0]);
            return false;
        }
    }
    if (admin && words.empty()) {
        Usage(argv[0]);
        return false;
    }
    return true;
}

// The admin socket of the server on that folder, from its server.ini; the
// file is not created when it is missing (no server ever ran there).
int RunAdmin(const std::string& folder, const std::vector<std::string>& words) {
    std::string slashed = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    if (!platform::FileExists(slashed + "server.ini")) {
        std::fprintf(stderr, "quorvalendix-server admin: no server.ini in %s\n", slashed.c_str());
        return 2;
    }
    server::ServerConfig config;
    std::string error;
    std::vector<std::string> warnings;
    if (!server::LoadServerConfig(slashed, config, error, warnings)) {
        std::fprintf(stderr, "quorvalendix-server admin: %s\n", error.c_str());
        return 2;
    }
    return server::RunAdminCommand(config.AdminSocketPath(), words, stdout, stderr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "verify-dice") == 0) return VerifyDice(argc, argv);
    if (int code = server::RunReleaseCommand(argc, argv); code >= 0) return code;
    std::string folder = server::DefaultServerFolder();
    bool admin = false;
    std::vector<std::string> words;
    if (!ParseArguments(argc, argv, folder, admin, words)) return 2;
    if (admin) {
        signal(SIGPIPE, SIG_IGN);
        return RunAdmin(folder, words);
    }
    server::ServerConfig config;
    std::string error;
    std::vector<std::string> warnings;
    if (!server::LoadServerConfig(folder, config, error, warnings)) {
        std::fprintf(stderr, "quorvalendix-server: %s\n", error.c_str());
        return 1;
    }
    for (const std::string& w : warnings) std::fprintf(stderr, "quorvalendix-server: server.ini: %s\n", w.c_str());
    server::SteadyClock clock;
    server::Server zone(config, clock);
    if (!zone.Start(error)) {
        std::fprintf(stderr, "quorvalendix-server: %s\n", error.c_str());
        return 1;
    }
    InstallSignals();
    zone.Run(g_stop);
    return 0;
}
