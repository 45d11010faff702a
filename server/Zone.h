// The zone: the users logged on, the rooms, and the lobby's conversation
// with each client once its logon is accepted.
//
// After the logon the zone sends the session its settings (privileged flag,
// option digits, banner timing, the account data when the birthday is
// missing), the rooms it holds (every public room, and the private rooms it
// left when it last logged off), then every user on the service, each placed
// in the public room they look at (room 0 when none: the client then lists
// them only in the lobby user list). A new user lands in the first public
// room; the others learn of them from one code 33.
//
// Every client keeps the user lists of all public rooms, so changes of a
// public room's members go to every user (33 on entry, 32 on exit); its chat
// lines go only to the users looking at it. A private chat or forum sends
// everything to its members. A user leaving the service is announced with
// code 6, which every client applies to all its lists.
//
// The zone trusts nothing it reads: unknown rooms, rooms the sender is not
// in, out-of-range bytes and names of nobody are ignored or answered with a
// message box; nothing a client sends ends its session here.
//
// Sending only queues (SessionHost), so the zone may send while it walks its
// own maps; the one call that reaches back, ending a session (Kick), is made
// after the zone is done with the user.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "AccountStore.h"
#include "Clock.h"
#include "Room.h"
#include "Session.h"
#include "SessionHost.h"
#include "ZoneConfig.h"
#include "ZoneUser.h"
#include "protocol/Messages.h"
#include "previews/PreviewOutlet.h"
#include "tables/GameTables.h"
#include "tables/TableEvents.h"

namespace server {

class Zone : private TableEvents, private PreviewOutlet {
public:
    Zone(SessionHost& host, AccountStore& accounts, const Clock& clock, ZoneConfig config,
         GameTables::SeedSource seeds = GameTables::SecureSeed);
    ~Zone() override;
    Zone(const Zone&) = delete;
    Zone& operator=(const Zone&) = delete;

    // A session has logged on with this account.
    void Enter(Session& session, const Account& account);
    // A logged-on session ends (whatever the reason).
    void Leave(Session& session);
    // Every news line (the room's clean text) also goes here: the web
    // site's news page.
    void SetNewsSink(std::function<void(const std::string& line)> sink) { m_newsSink = std::move(sink); }
    // One message of a logged-on session; false when it is none of the zone's.
    bool Handle(Session& session, const std::string& message);
    // The account's gender or face may have changed.
    void ProfileChanged(Session& session, const Account& account);
    // Time moves on for the tables (time-outs) and the running games.
    void Tick();
    const GameTables& Tables() const { return *m_tables; }

    // --- for the operator and the game referees --------------------------
    const ZoneUser* FindUser(const std::string& alias) const;
    // Sorted by alias.
    std::vector<const ZoneUser*> Users() const;
    std::vector<const Room*> Rooms() const;
    // Sends one ready message to a logged-on user; false when not logged on.
    bool SendMessage(const std::string& alias, std::string_view message);
    // The question window; the question's number, or 0 when the user is not
    // logged on or it could not be stored. An answer is recorded in the store.
    int64_t Ask(const std::string& alias, const std::string& question, const std::vector<std::string>& answers);
    // A notice line into a room, for everyone who holds it. News rooms keep
    // the latest for users who log on later.
    bool Say(uint16_t room, const std::string& text);
    bool Kick(const std::string& alias, const std::string& reason);
    // The online side of a change the store already holds.
    bool SetPrivileged(const std::string& alias, bool privileged);
    // Game kind 1..4 while the user plays, 0 afterwards: their icon shows it.
    bool SetPlaying(const std::string& alias, int kind);

private:
    // Cuts a client message into its typed value and hands it to the
    // handler; a message missing a field the handler needs is dropped.
    template <class TMessage>
    bool Take(ZoneUser& user, const std::string& message, void (Zone::*handler)(ZoneUser&, const TMessage&)) {
        TMessage parsed;
        if (protocol::Parse(message, parsed)) (this->*handler)(user, parsed);
        return true;
    }

    // Zone.cpp: users, sending, the welcome.
    ZoneUser* UserOf(const Session& session);
    ZoneUser* UserByKey(const std::string& key);
    ZoneUser* UserByName(std::string_view name);
    Room* RoomById(uint16_t id);
    void SendTo(const ZoneUser& user, std::string_view message);
    void SendAll(std::string_view message);
    void SendMembers(const Room& room, std::string_view message);
    void Box(const ZoneUser& user, const std::string& text);
    void Notice(const ZoneUser& user, uint16_t room, const std::string& text);
    uint16_t PresenceRoom(const ZoneUser& user) const;
    void AnnounceIcon(const ZoneUser& user);
    void SendSettings(Session& session, ZoneUser& user, const Account& account);
    void DescribeWorld(ZoneUser& user);
    void AnnounceArrival(const ZoneUser& user);

    // ZonePublicRooms.cpp
    void OnEnterRoom(ZoneUser& user, const protocol::TEnterRoom& in);
    void OnLeaveRoom(ZoneUser& user, const protocol::TLeaveRoom& in);
    void EnterPublic(ZoneUser& user, Room& room);
    void LeavePublic(ZoneUser& user);

    // ZonePrivateRooms.cpp
    void OnOpenRoom(ZoneUser& user, const protocol::TOpenRoom& in);
    void OnForumAdd(ZoneUser& user, const protocol::TForumAdd& in);
    void OnCloseRoom(ZoneUser& user, const protocol::TCloseRoom& in);
    void OpenPrivateChat(ZoneUser& user, ZoneUser& other);
    void OpenForum(ZoneUser& owner, ZoneUser& guest);
    void AddToForum(Room& forum, ZoneUser& owner, ZoneUser& guest);
    bool MayOpenRoom(ZoneUser& user, const ZoneUser* other);
    Room& NewPrivateRoom(int kind, const std::string& name);
    void SendRoomTo(const Room& room, const ZoneUser& user);
    void LeavePrivate(ZoneUser& user, Room& room);
    void RemoveRoom(uint16_t id);
    void RejoinPrivateRooms(ZoneUser& user);
    void AbsentFromPrivateRooms(ZoneUser& user);

    // ZoneChat.cpp
    void OnSay(ZoneUser& user, const protocol::TSay& in);
    bool MaySay(const ZoneUser& user, const Room& room);
    // rest: what follows "/tell ".
    void Tell(ZoneUser& user, uint16_t room, const std::string& rest);
    // The room id of a tell's line to its recipient: none, so their client
    // shows it in the room they look at.
    static constexpr uint16_t kTellRoom = 0;

    // ZoneUpload.cpp: the operator's upload into the uploads folder.
    bool IsOperator(const ZoneUser& user) const;
    void OnUploadStart(ZoneUser& user, const protocol::TUploadStart& in);
    void OnUploadChunk(ZoneUser& user, const protocol::TUploadChunk& in);
    void SendNews(const ZoneUser& user);

    // ZoneTables.cpp: the table requests and game payloads, and the tables'
    // events turned into messages.
    bool HandleTables(ZoneUser& user, const std::string& message);
    void OnCreateTable(ZoneUser& user, const protocol::TCreateTable& in);
    void OnWithdrawTable(ZoneUser& user, const protocol::TWithdrawTable& in);
    void OnAskToJoin(ZoneUser& user, const protocol::TAskToJoin& in);
    void OnStartTable(ZoneUser& user, const protocol::TStartTable& in);
    void OnGamePayload(ZoneUser& user, const protocol::TGamePayload& in);
    void OnWatch(ZoneUser& user, const protocol::TWatch& in);
    void DescribeTables(const ZoneUser& user);
    static Player PlayerOf(const ZoneUser& user) { return Player{user.accountId, user.alias}; }
    void SendToAlias(const std::string& alias, std::string_view message);
    void TableOpened(rules::TGameKind kind, const std::string& creator, int64_t rating,
                     const std::string& text) override;
    void TableClosed(rules::TGameKind kind, const std::string& creator) override;
    void JoinRequested(rules::TGameKind kind, const std::string& creator, const std::string& joiner,
                       int64_t rating) override;
    void Refused(const std::string& alias, TableRefusal reason, const std::string& name) override;
    void GameSetUp(const std::string& alias, rules::TGameKind kind, const SeatSetup& setup) override;
    void GameStarted(rules::TGameKind kind, const std::vector<Seat>& seats) override;
    void PlayingChanged(const std::string& alias, int kind) override;
    void GamePayload(const std::string& alias, std::string_view payload) override;
    void GameEnded(rules::TGameKind kind, const std::string& alias) override;
    void MatchResult(const std::string& alias, const MatchResultLine& line) override;
    void RatingChanged(const std::string& alias, rules::TGameKind kind, int64_t oldHundredths,
                       int64_t newHundredths) override;
    void ToWatcher(const std::string& alias, std::string_view message) override;

    // ZoneRequests.cpp
    void OnInfoRequest(ZoneUser& user, const protocol::TInfoRequest& in);
    void OnUrlRequest(ZoneUser& user, const protocol::TUrlRequest& in);
    void OnBannerRequest(ZoneUser& user, const protocol::TBannerRequest& in);
    void SendWebPanels(const ZoneUser& user);
    void OnSetOption(ZoneUser& user, const protocol::TSetOption& in);
    void OnAnswer(ZoneUser& user, const protocol::TAnswer& in);
    // ZoneHiscore.cpp
    void OnHiscoreRequest(ZoneUser& user, const protocol::THiscoreRequest& in);

    SessionHost& m_host;
    AccountStore& m_accounts;
    const Clock& m_clock;
    ZoneConfig m_config;
    std::map<std::string, ZoneUser> m_users;            // by lower-cased alias
    std::unordered_map<uint32_t, std::string> m_keyOf;  // session -> key
    std::map<uint16_t, Room> m_rooms;
    std::vector<uint16_t> m_publicRooms;  // in configured order
    std::map<uint16_t, std::deque<std::string>> m_news;  // latest lines of news rooms
    size_t m_bannerTurn = 0;                             // place 2's rotation
    std::function<void(const std::string&)> m_newsSink;   // the web site's news page
    uint16_t m_nextRoomId = 1;
    size_t m_privateRoomCount = 0;
    // Last: the running games' referees talk to the zone until they go.
    std::unique_ptr<GameTables> m_tables;
};

}  // namespace server
