// The operator's side of the command channel, for
// `quorvalendix-server admin [--folder DIR] COMMAND [WORDS...]`: it quotes
// the words into one line, sends it to the running server's admin socket,
// and prints the reply. Blocking and short-lived; it never runs inside the
// server.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace server {

// Sends one command and writes the reply lines to out (errors to err).
// Returns the process exit code: 0 for "ok", 1 for an error reply, 2 when
// the server cannot be reached.
int RunAdminCommand(const std::string& socketPath, const std::vector<std::string>& words, std::FILE* out,
                    std::FILE* err);

}  // namespace server
