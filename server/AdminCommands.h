// The operator's commands, one line each (words as AdminLine.h splits them):
//
//   help                              the commands
//   who                               the users logged on: alias, room, icon
//   rooms                             the rooms: id, kind, members, title
//   box ALIAS|* TEXT [TITLE]          a message box (code 23; title "System")
//   ask ALIAS QUESTION ANSWER...      the question window (113); the answer
//                                     the user picks is stored
//   answers [ALIAS]                   the latest questions and their answers
//   send ALIAS CODE [BYTES]           any message: the code byte (0..255)
//                                     followed by the bytes of one word
//   say ROOM TEXT                     a notice line into a room (by id)
//   kick ALIAS                        ends the user's session
//   ban ALIAS | unban ALIAS           refuses (allows) the account's logon;
//                                     ban also ends a session
//   privilege ALIAS on|off            the privileged flag (107), stored
//
// Each reply is zero or more data lines, each starting with a blank, then
// "ok" or "error: " and the reason; every line ends with a line feed.
#pragma once

#include <string>
#include <vector>

#include "AccountStore.h"
#include "Zone.h"

namespace server {

class AdminCommands {
public:
    AdminCommands(Zone& zone, AccountStore& accounts) : m_zone(zone), m_accounts(accounts) {}

    std::string Execute(const std::string& line);

private:
    using Words = std::vector<std::string>;
    // Each returns "" when done, else the reason it failed; data lines go
    // to m_lines.
    std::string Help();
    std::string Who();
    std::string Rooms();
    std::string Box(const Words& w);
    std::string Ask(const Words& w);
    std::string Answers(const Words& w);
    std::string Send(const Words& w);
    std::string Say(const Words& w);
    std::string Kick(const Words& w);
    std::string Ban(const Words& w, bool banned);
    std::string Privilege(const Words& w);
    void Line(const std::string& bytes);

    Zone& m_zone;
    AccountStore& m_accounts;
    std::vector<std::string> m_lines;
};

}  // namespace server
