// Users in the zone: each a model client logged on over loopback, with the
// welcome read, plus the zone's message layouts as the client reads them.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "ServerFixture.h"

namespace servertest {

// The 16-bit room id as two bytes, low byte first.
std::string Word(uint16_t value);
// Code 9 as the zone sends a user's line: "alias: text" and the dropped byte.
std::string ChatFrom(uint16_t room, const std::string& alias, const std::string& text, int nameColour = 3);
std::string RoomUserMessage(uint16_t room, int icon, const std::string& alias);

// Icons of a user registered with the fixture's defaults (a girl, face 2).
constexpr int kGirlFace2 = 9;
constexpr int kGirlFace2New = 15;

class ZoneTest : public ServerTest {
protected:
    // Logs the alias on (registering it the first time), reads the welcome
    // and returns the client with no messages left.
    std::unique_ptr<ModelClient> Enter(const std::string& alias);
    // Logs the alias on and returns the client with the welcome unread.
    std::unique_ptr<ModelClient> EnterKeepingWelcome(const std::string& alias);
    // Pumps until the client got message m; true with everything up to and
    // including it taken off the queue.
    bool Receive(ModelClient& client, const std::string& m);
    // Pumps a little; true when no message starting with this code came.
    bool NothingWithCode(ModelClient& client, uint8_t code);
    // Logs off with a goodbye and waits until the server has let go.
    void LogOff(std::unique_ptr<ModelClient>& client);
    // Public room ids of the default configuration.
    static constexpr uint16_t kLobby = 1, kGames = 2, kNews = 4;

    std::map<std::string, bool> m_registered;
};

}  // namespace servertest
