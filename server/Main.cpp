// quorvalendix-server: the reference game-zone server.
//
//   quorvalendix-server [--folder DIR]
//
// DIR (default: the folder "server" beside the program directory, i.e.
// build/server/) holds server.ini and the account database; both are created
// on first start. SIGINT or SIGTERM ends the server after a goodbye to every
// session.
#include <csignal>
#include <cstdio>
#include <cstring>

#include "Clock.h"
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

bool ParseArguments(int argc, char** argv, std::string& folder) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--folder") == 0 && i + 1 < argc) {
            folder = argv[++i];
        } else {
            std::fprintf(stderr, "usage: %s [--folder DIR]\n", argv[0]);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    std::string folder = server::DefaultServerFolder();
    if (!ParseArguments(argc, argv, folder)) return 2;
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
