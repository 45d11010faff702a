// The operator's command channel: a Unix stream socket in the server's
// folder, served by the server's own loop. Who may write to the socket file
// (mode 0600, the server's user) may command the server; nothing crosses
// the network. `quorvalendix-server admin ...` is its client (AdminClient.h).
//
// The protocol is lines: each line a command (AdminCommands.h), each answered
// by its reply before the next is read. A line longer than kMaxAdminLine
// ends the connection; so do more than kMaxAdminPeers connections at once.
//
// Opening refuses a socket another server still answers on (two servers on
// one folder would share a database); a file left by a server that died is
// replaced. Closing removes the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include "EventLoop.h"

namespace server {

constexpr size_t kMaxAdminLine = 16384;
constexpr size_t kMaxAdminPeers = 8;

class AdminChannel {
public:
    using Execute = std::function<std::string(const std::string& line)>;

    AdminChannel(EventLoop& loop, Execute execute) : m_loop(loop), m_execute(std::move(execute)) {}
    ~AdminChannel();
    AdminChannel(const AdminChannel&) = delete;
    AdminChannel& operator=(const AdminChannel&) = delete;

    bool Open(const std::string& path, std::string& error);
    void Close();
    size_t PeerCount() const { return m_peers.size(); }

private:
    struct Peer {
        int fd = -1;
        uint64_t watch = 0;
        std::string in;
        std::string out;
        bool closing = false;  // the reply is written, then the socket closed
    };

    void AcceptAll();
    void OnEvent(int fd, uint32_t events);
    void ReadFrom(Peer& peer);
    void RunLines(Peer& peer);
    void WriteTo(Peer& peer);
    void Drop(int fd);

    EventLoop& m_loop;
    Execute m_execute;
    std::string m_path;
    int m_listener = -1;
    uint64_t m_listenerWatch = 0;
    std::map<int, Peer> m_peers;  // by descriptor
};

}  // namespace server
