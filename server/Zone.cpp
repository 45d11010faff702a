// The zone's users: arriving, leaving, what they are sent, and the dispatch
// of their messages. Rooms, chat and the smaller requests are in the other
// Zone*.cpp files.
#include "Zone.h"

#include "LogonMessages.h"

namespace server {

Zone::Zone(SessionHost& host, AccountStore& accounts, const Clock& clock, ZoneConfig config,
           GameTables::SeedSource seeds)
    : m_host(host), m_accounts(accounts), m_clock(clock), m_config(std::move(config)) {
    for (const RoomConfig& r : m_config.rooms) {
        uint16_t id = m_nextRoomId++;
        m_rooms.emplace(id, Room(id, r.kind, r.flags, r.name, r.prefix));
        m_publicRooms.push_back(id);
    }
    m_tables = std::make_unique<GameTables>(static_cast<TableEvents&>(*this), static_cast<PreviewOutlet&>(*this),
                                            m_accounts, m_clock, std::move(seeds));
    // The game windows' panels show each place's first banner.
    std::array<std::string, 3> adverts;
    for (size_t place = 0; place < adverts.size(); ++place)
        if (!m_config.banners[place].empty()) adverts[place] = m_config.banners[place].front();
    m_tables->SetAdverts(std::move(adverts));
}

// The referees may still report while they go; the tables go first.
Zone::~Zone() { m_tables.reset(); }

void Zone::Enter(Session& session, const Account& account) {
    std::string key = AliasKey(account.alias);
    // The server lets one session hold an alias; a leftover would be a fault.
    if (m_users.count(key)) return;
    ZoneUser& user = m_users.emplace(key, ZoneUser(session.Id(), m_config.chatBurst, m_clock.NowMs())).first->second;
    m_keyOf[session.Id()] = key;
    user.accountId = account.id;
    user.alias = account.alias;
    user.key = key;
    user.gender = account.gender;
    user.face = account.face;
    user.privileged = account.privileged;
    user.newcomer = account.logonCount <= 1;
    user.options = account.options.empty() ? m_config.defaultOptions : account.options;
    SendSettings(session, user, account);
    if (!m_publicRooms.empty()) {
        Room& first = m_rooms.at(m_publicRooms.front());
        first.Add(key, user.alias, user.session);
        user.publicRoom = first.Id();
    }
    RejoinPrivateRooms(user);
    DescribeWorld(user);
    AnnounceArrival(user);
}

void Zone::SendSettings(Session& session, ZoneUser& user, const Account& account) {
    if (user.privileged) SendTo(user, Build(protocol::TPrivileged{1}));
    SendTo(user, Build(protocol::TOptions{user.options}));
    SendTo(user, Build(protocol::TBannerInterval{m_config.bannerMinIntervalSeconds}));
    SendTo(user, Build(protocol::TBannerPeriod{m_config.bannerPeriodMinutes}));
    SendWebPanels(user);
    // The registration window then asks for what is missing.
    if (!account.HasBirthday()) {
        session.SetBirthdayAsked(true);
        SendTo(user, Build(protocol::TAccountData{.Gender = account.gender, .Face = account.face}));
    }
}

void Zone::DescribeWorld(ZoneUser& user) {
    for (uint16_t id : m_publicRooms) {
        const Room& r = m_rooms.at(id);
        SendTo(user, Build(protocol::TRoomOpen{r.Kind(), id, r.Flags(), r.Name(), r.Prefix()}));
    }
    for (uint16_t id : user.privateRooms) {
        const Room& r = m_rooms.at(id);
        SendTo(user, Build(protocol::TRoomOpen{r.Kind(), id, r.Flags(), r.TitleFor(user.key), r.Prefix()}));
    }
    for (const auto& [key, other] : m_users) SendTo(user, Build(protocol::TUserPresent{PresenceRoom(other), other.Icon(), other.alias}));
    for (uint16_t id : user.privateRooms)
        for (const RoomMember& m : m_rooms.at(id).Members())
            if (const ZoneUser* member = m.session ? UserByKey(m.key) : nullptr)
                SendTo(user, Build(protocol::TUserPresent{id, member->Icon(), member->alias}));
    SendNews(user);
    DescribeTables(user);
}

void Zone::AnnounceArrival(const ZoneUser& user) {
    std::string arrival = Build(protocol::TUserPresent{PresenceRoom(user), user.Icon(), user.alias});
    for (const auto& [key, other] : m_users)
        if (key != user.key) SendTo(other, arrival);
    // Their private rooms list them again (the clients showed them absent).
    for (uint16_t id : user.privateRooms) {
        std::string back = Build(protocol::TUserPresent{id, user.Icon(), user.alias});
        for (const RoomMember& m : m_rooms.at(id).Members())
            if (const ZoneUser* member = m.session && m.key != user.key ? UserByKey(m.key) : nullptr)
                SendTo(*member, back);
    }
}

void Zone::Leave(Session& session) {
    ZoneUser* user = UserOf(session);
    if (!user) return;
    // Their tables go and a game they play is forfeited while they are
    // still listed, so the others learn of it before code 6.
    m_tables->UserLeft(PlayerOf(*user));
    // Code 6 takes them off every list of every client; no 32 is needed.
    if (Room* r = RoomById(user->publicRoom)) r->Remove(user->key);
    AbsentFromPrivateRooms(*user);
    std::string gone = Build(protocol::TUserLeft{user->alias});
    m_keyOf.erase(session.Id());
    m_users.erase(user->key);
    SendAll(gone);
}

bool Zone::Handle(Session& session, const std::string& message) {
    ZoneUser* user = UserOf(session);
    if (!user || message.empty()) return false;
    using protocol::TClientCode;
    switch (static_cast<TClientCode>(message[0])) {
        case TClientCode::EnterRoom: return Take<protocol::TEnterRoom>(*user, message, &Zone::OnEnterRoom);
        case TClientCode::LeaveRoom: return Take<protocol::TLeaveRoom>(*user, message, &Zone::OnLeaveRoom);
        case TClientCode::Say: return Take<protocol::TSay>(*user, message, &Zone::OnSay);
        case TClientCode::OpenRoom: return Take<protocol::TOpenRoom>(*user, message, &Zone::OnOpenRoom);
        case TClientCode::ForumAdd: return Take<protocol::TForumAdd>(*user, message, &Zone::OnForumAdd);
        case TClientCode::CloseRoom: return Take<protocol::TCloseRoom>(*user, message, &Zone::OnCloseRoom);
        case TClientCode::InfoRequest: return Take<protocol::TInfoRequest>(*user, message, &Zone::OnInfoRequest);
        case TClientCode::UrlRequest: return Take<protocol::TUrlRequest>(*user, message, &Zone::OnUrlRequest);
        case TClientCode::BannerRequest: return Take<protocol::TBannerRequest>(*user, message, &Zone::OnBannerRequest);
        case TClientCode::BannerLoaded: return true;
        case TClientCode::BannerClicked: m_host.Log("banner clicked by " + user->alias); return true;
        case TClientCode::SetOption: return Take<protocol::TSetOption>(*user, message, &Zone::OnSetOption);
        case TClientCode::Answer: return Take<protocol::TAnswer>(*user, message, &Zone::OnAnswer);
        case TClientCode::HiscoreRequest:
            return Take<protocol::THiscoreRequest>(*user, message, &Zone::OnHiscoreRequest);
        case TClientCode::UploadStart: return Take<protocol::TUploadStart>(*user, message, &Zone::OnUploadStart);
        case TClientCode::UploadChunk: return Take<protocol::TUploadChunk>(*user, message, &Zone::OnUploadChunk);
        case TClientCode::PingRequest: SendTo(*user, Build(protocol::TPingAnswer{})); return true;
        default: return HandleTables(*user, message);
    }
}

void Zone::ProfileChanged(Session& session, const Account& account) {
    ZoneUser* user = UserOf(session);
    if (!user || (user->gender == account.gender && user->face == account.face)) return;
    user->gender = account.gender;
    user->face = account.face;
    AnnounceIcon(*user);
}

ZoneUser* Zone::UserOf(const Session& session) {
    auto it = m_keyOf.find(session.Id());
    return it == m_keyOf.end() ? nullptr : UserByKey(it->second);
}

ZoneUser* Zone::UserByKey(const std::string& key) {
    auto it = m_users.find(key);
    return it == m_users.end() ? nullptr : &it->second;
}

ZoneUser* Zone::UserByName(std::string_view name) {
    // An alias is at most 16 bytes; a longer name is nobody.
    if (name.empty() || name.size() > kMaxAliasLength) return nullptr;
    return UserByKey(AliasKey(name));
}

Room* Zone::RoomById(uint16_t id) {
    auto it = m_rooms.find(id);
    return it == m_rooms.end() ? nullptr : &it->second;
}

void Zone::SendTo(const ZoneUser& user, std::string_view message) {
    if (Session* s = m_host.FindSession(user.session)) m_host.Send(*s, message);
}

void Zone::SendAll(std::string_view message) {
    for (const auto& [key, user] : m_users) SendTo(user, message);
}

void Zone::SendMembers(const Room& room, std::string_view message) {
    for (const RoomMember& m : room.Members())
        if (const ZoneUser* user = m.session ? UserByKey(m.key) : nullptr) SendTo(*user, message);
}

void Zone::Box(const ZoneUser& user, const std::string& text) { SendTo(user, Build(protocol::TServerBox{text, "System"})); }

void Zone::Notice(const ZoneUser& user, uint16_t room, const std::string& text) {
    SendTo(user, Build(protocol::TChatLine{room, m_config.noticeNameColour, m_config.noticeTextColour, text}));
}

uint16_t Zone::PresenceRoom(const ZoneUser& user) const {
    auto it = m_rooms.find(user.publicRoom);
    return it != m_rooms.end() && it->second.ShowsUsers() ? user.publicRoom : 0;
}

// One 33 per client is enough while the user is in a public room with a user
// list: the client gives the new icon to that room, to the lobby user list and
// to every private room listing them. Room 0 (a user looking at a private tab
// or at a room without a list) reaches only the lobby user list, so the
// members of the user's private rooms are then told once more, per room.
void Zone::AnnounceIcon(const ZoneUser& user) {
    const uint16_t presence = PresenceRoom(user);
    SendAll(Build(protocol::TUserPresent{presence, user.Icon(), user.alias}));
    if (presence != 0) return;
    for (uint16_t id : user.privateRooms)
        if (const Room* room = RoomById(id)) SendMembers(*room, Build(protocol::TUserPresent{id, user.Icon(), user.alias}));
}

const ZoneUser* Zone::FindUser(const std::string& alias) const {
    auto it = m_users.find(AliasKey(alias));
    return it == m_users.end() ? nullptr : &it->second;
}

std::vector<const ZoneUser*> Zone::Users() const {
    std::vector<const ZoneUser*> list;
    for (const auto& [key, user] : m_users) list.push_back(&user);
    return list;
}

std::vector<const Room*> Zone::Rooms() const {
    std::vector<const Room*> list;
    for (const auto& [id, room] : m_rooms) list.push_back(&room);
    return list;
}

bool Zone::SendMessage(const std::string& alias, std::string_view message) {
    const ZoneUser* user = FindUser(alias);
    if (!user || message.empty()) return false;
    SendTo(*user, message);
    return true;
}

bool Zone::Kick(const std::string& alias, const std::string& reason) {
    const ZoneUser* user = FindUser(alias);
    Session* session = user ? m_host.FindSession(user->session) : nullptr;
    if (!session) return false;
    // Ending the session calls Leave, which frees the user.
    m_host.EndSession(*session, reason);
    return true;
}

bool Zone::SetPrivileged(const std::string& alias, bool privileged) {
    ZoneUser* user = UserByName(alias);
    if (!user) return false;
    user->privileged = privileged;
    SendTo(*user, Build(protocol::TPrivileged{privileged ? 1 : 0}));
    AnnounceIcon(*user);
    return true;
}

bool Zone::SetPlaying(const std::string& alias, int kind) {
    ZoneUser* user = UserByName(alias);
    if (!user || kind < 0 || kind > kGameKinds) return false;
    if (user->playing == kind) return true;
    user->playing = kind;
    AnnounceIcon(*user);
    return true;
}

}  // namespace server
