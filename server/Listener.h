// Listening TCP sockets and accepting from them, non-blocking throughout.
#pragma once

#include <cstdint>
#include <string>

namespace server {

// Opens a non-blocking listening socket on address:port (port 0: any free
// one). Returns the descriptor and the port actually bound, or -1 with an
// error text.
int OpenListener(const std::string& address, uint16_t port, uint16_t& boundPort, std::string& error);

// Accepts one pending connection as a non-blocking socket; -1 when none is
// pending (or accepting failed). peer gets "a.b.c.d:port".
int AcceptConnection(int listener, std::string& peer);

}  // namespace server
