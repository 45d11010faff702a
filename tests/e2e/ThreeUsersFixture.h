// Three users in the real server's zone, in one process. "Eva" is the real
// client: she registers through the real registration window, and from then
// on the dispatcher feeds the real lobby window (TChatform), which she uses
// with the mouse and the keyboard on a tiny skin of the logon windows and
// the lobby together. "Bo" and "Cy" are wire users: bare connections that
// log on and talk to the zone with the lobby's messages, built by hand, and
// record what the zone sends them. The dispatcher and the session values
// exist once per process, so only Eva has them.
//
// The zone has two public rooms, Lobby (id 1) and Games (id 2), so every
// private chat and forum gets ids from 3 on and the room tabs fit one bar.
// Bo logs on before Eva and Cy after her, so Eva learns of one from her
// welcome and of the other from the zone's announcement.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "HeadlessClient.h"
#include "ServerThread.h"
#include "lobby/Main.h"
#include "net/LogonFixture.h"
#include "protocol/Messages.h"

class TChatroom;
class TGlide;
class TRollover;

namespace e2etest {

std::string Word(int value);
std::string Field(const std::string& text);
// Code 9 as the zone sends a user's line.
std::string ChatFrom(int room, const std::string& alias, const std::string& text);

// A user on a bare connection of the program's own transport.
class TWireUser {
public:
    TWireUser(std::string alias, uint16_t port);

    const std::string& Alias() const { return m_alias; }
    TRecordedClient& Line() { return m_line; }
    // Hello, version answer, then the registration logon (or the logon);
    // false unless the zone accepts it.
    bool LogOn(bool registering, const std::function<bool(const std::function<bool()>&)>& until);
    // The goodbye.
    void LogOff() { m_line.client.Close(); }

    void Send(const std::string& message) { m_line.client.Send(message); }
    void Say(int room, const std::string& text) { Send(Build(protocol::TSay{room, text})); }
    void SwitchRoom(int from, int to) {
        Send(Build(protocol::TLeaveRoom{from}));
        Send(Build(protocol::TEnterRoom{to}));
    }
    // Messages the zone sent since the logon was accepted.
    bool Got(const std::string& message) const;
    // Messages since the logon that start so.
    size_t CountStarting(const std::string& start) const;

private:
    std::string m_alias;
    TRecordedClient m_line{true};
    size_t m_welcomeAt = 0;
};

class ThreeUsersTest : public nettest::LogonFixture {
protected:
    // The lobby's state on the logon fixture's.
    TInstalledStates<TLobbyState> m_lobbyLayer;

    static constexpr int kLobby = 1, kGames = 2;
    // The first room the zone opens on request.
    static constexpr int kFirstPrivate = 3;
    // Icons of a wire user (a girl, the first face): in the account's first
    // session, asleep, and in later sessions.
    static constexpr int kNewcomerIcon = 13, kAsleepIcon = 25, kPlainIcon = 7;

    void SetUp() override;
    void TearDown() override;

    // One step of every connection and of virtual time.
    void StepWorld();
    // Steps the whole world (every connection, virtual time) until done()
    // holds; false when it does not within the step budget.
    bool Until(const std::function<bool()>& done, int limit = 20000);
    std::function<bool(const std::function<bool()>&)> Waiter();
    // A ping to the zone and its answer: whatever the zone sent the user
    // before it has arrived.
    bool Sync(TWireUser& user);

    // Eva's lobby.
    TChatform& Lobby() const { return *m_lobby; }
    platform::headless::TWindow& Win() { return Window(*m_lobby->Paint()); }
    // Types the line into the chat input and presses Enter, well after her
    // last line, as a person types.
    void Enter(const std::string& text);
    // Clicks the user's row in the list of everyone on the service (the
    // menu's user area) and chooses the user menu's item.
    void ChooseForUser(const std::string& name, const std::string& element);
    // Clicks the tab's close mark and chooses the room menu's item.
    void CloseByTab(int roomId);
    void Click(const TRollover& button, int x = -1);
    void ShowUserArea();

    TChatroom* Room(int id) const;
    int CurrentRoomId() const;
    std::vector<std::string> Lines(int id) const;
    bool HasLine(int id, const std::string& line) const;
    // The line's cell with its colour codes; empty when there is none.
    std::string RawLine(int id, const std::string& line) const;
    // The names in the room's user list, in alphabetical order (the list
    // itself sorts by icon first).
    std::vector<std::string> RoomUsers(int id) const;
    std::vector<std::string> ListedUsers() const;
    // The icon byte of the user's row in the lobby's user list; -1: no row.
    int ListedIcon(const std::string& name) const;
    std::string Counter(int index) const;

    TServerThread m_server;
    std::unique_ptr<TWireUser> bo, cy;
    // Every message Eva's lobby sent, on its way to her connection.
    std::vector<std::string> sent;

private:
    int Answer(const nettest::TBoxCall& call);
    void WriteSkin();
    void RegisterEva();

    std::unique_ptr<TChatform> m_lobby;
    int m_endings = 0;
};

}  // namespace e2etest
