#include "net/Session.h"

#include "net/transport/Client.h"

TSession& Session() {
    static TSession session;
    return session;
}

bool SendToServer(const std::string& message) {
    TClient* client = Session().Client;
    if (!client) return false;
    return client->Send(message);
}
