// Table messages for wire users, built and read with the protocol library:
// opening, asking for and starting a table, game payloads, and the messages
// of one code a user got, parsed. Shared by the whole-match tests.
#pragma once

#include <string>
#include <vector>

#include "ThreeUsersFixture.h"
#include "protocol/Messages.h"

namespace e2etest {

inline std::string OpenTable(int kind, const std::string& setting) {
    return protocol::Build(protocol::TCreateTable{kind, setting});
}
inline std::string AskTable(int kind, const std::string& creator) {
    return protocol::Build(protocol::TAskToJoin{kind, creator});
}
inline std::string StartTable(int kind, const std::vector<std::string>& joiners) {
    return protocol::Build(protocol::TStartTable{kind, joiners});
}
inline std::string GamePayload(int kind, const std::string& payload) {
    return protocol::Build(protocol::TGamePayload{kind, payload});
}

// The messages of one code the user got since the logon, parsed; from is
// an index into the recorded messages.
template <class TMessage>
std::vector<TMessage> AllOf(TWireUser& user, size_t from = 0) {
    std::vector<TMessage> found;
    const std::vector<std::string>& messages = user.Line().messages;
    for (size_t i = from; i < messages.size(); ++i) {
        TMessage parsed;
        const std::string& message = messages[i];
        if (!message.empty() && uint8_t(message[0]) == uint8_t(TMessage::kCode) && protocol::Parse(message, parsed))
            found.push_back(parsed);
    }
    return found;
}

}  // namespace e2etest
