// One room of the zone and who is in it.
//
// Public rooms (kind 2 and more) come from the configuration and live as
// long as the server; their members are the users looking at them, for a
// client tells the server when it switches tabs. Private chats (kind 0, two
// users) and forums (kind 1, an owner and the users the owner adds) are made
// on request; their members are the participants, whatever tab they look at,
// and a participant who logs off stays listed as absent so that the room is
// theirs again at their next logon. A private room without any member online
// is removed by the zone.
//
// Members are kept in the order they came, keyed by the lower-cased alias.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace server {

// Room kinds below 2 are private: a private chat of two, and a forum.
constexpr int kPrivateChatKind = 0;
constexpr int kForumKind = 1;

struct RoomMember {
    std::string key;       // lower-cased alias
    std::string alias;     // as registered
    uint32_t session = 0;  // 0: logged off (private rooms only)
};

class Room {
public:
    Room(uint16_t id, int kind, int flags, std::string name, std::string prefix);

    uint16_t Id() const { return m_id; }
    int Kind() const { return m_kind; }
    int Flags() const { return m_flags; }
    const std::string& Name() const { return m_name; }
    const std::string& Prefix() const { return m_prefix; }
    bool IsPrivate() const { return m_kind < 2; }
    // The client keeps user lists only for rooms below kind 3.
    bool ShowsUsers() const { return m_kind < 3; }
    bool TakesUserChat() const;

    // The tab title a member sees: the other user of a private chat, the
    // owner of a forum (its name), a public room's name.
    std::string TitleFor(const std::string& viewerKey) const;
    // A forum's owner is its first member.
    bool IsOwner(const std::string& key) const;

    const std::vector<RoomMember>& Members() const { return m_members; }
    const RoomMember* Find(const std::string& key) const;
    bool IsPresent(const std::string& key) const;
    void Add(const std::string& key, const std::string& alias, uint32_t session);
    void Remove(const std::string& key);
    // The member logged off (session 0) or came back.
    void SetSession(const std::string& key, uint32_t session);
    size_t PresentCount() const;

private:
    uint16_t m_id;
    int m_kind;
    int m_flags;
    std::string m_name;
    std::string m_prefix;
    std::vector<RoomMember> m_members;
};

}  // namespace server
