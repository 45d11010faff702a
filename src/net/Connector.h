// TConnector: makes the session's connection for the logon and the
// registration window, and owns it (Session().Client points to it).
//
// Connect creates a fresh resumable TClient for Session().ServerHost and the
// stored ports (settings "Lobbivex"/"Ports"), with the dispatcher as its
// message handler, and waits in the shared box "Connecttext" while it
// connects (TClient retries every 5 s, rotating through the ports). The box
// ends one of three ways:
//   custom button 1  the user asks for a port search: the connection ends,
//                    "Searchtext" shows while the ports of "Portlist" are
//                    probed, the ports found (when any) replace "Ports", and
//                    Connect starts over;
//   Cancel           the connection ends; Connect returns;
//   closed (0)       the dispatcher closed the box because the server
//                    answered the logon; the connection stays as it is.
// Ending a connection closes it when it was made (the goodbye), and frees it
// otherwise.
//
// When the connection is made the hello "O" goes out, the update download
// forgets its items, and from then on a connection error shows its text in
// the shared box. A connection that closes before the logon was accepted is
// freed (inside its own close handler, as TClient allows); once it is, the
// dispatcher's own subscription to the end of the session takes over.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/Event.h"

class TClient;
class Tnet;

class TConnector {
public:
    static constexpr int kSendDelayMs = 100;
    static constexpr int kPortSearchLimit = 5;
    // The service's host, when the settings name none for the language.
    static constexpr char kDefaultServerHost[] = "quorvalendix.net";

    TConnector();
    ~TConnector();
    TConnector(const TConnector&) = delete;
    TConnector& operator=(const TConnector&) = delete;

    void Connect();
    // Closes the connection when it was made; frees it otherwise.
    void EndConnection();
    TClient* Client() const;

    // The step of every wait of the connections made here (tests move
    // virtual time in it); empty: the client's own.
    std::function<void()> WaitStep;

    // The stored ports, only those 1..65535.
    static std::vector<int> StoredPorts(const std::string& key);

private:
    void CreateClient();
    void Hello();
    void Disconnected(TClient* client);
    void SearchPorts();
    void Release();

    std::unique_ptr<Tnet> m_client;
    TSubscription m_disconnected;
};
