// Chat lines: 0x08, the room, the text and 0x01 from a member becomes code 9
// to every member, the sender included (the client shows its own lines only
// when they come back). The line reads "alias: text" so that the client
// colours the name and finds the sender for its ignore list. "/sleep" (sent
// after ":afk" and ":brb") is no line: it shows the sleeping icon until the
// user writes again.
//
// "/tell alias text" is a private tell: the named user (in whatever room
// they look at) and the sender see "sender~>alias (private): text"; the
// room never does. The client drops it when it ignores the sender (the
// name before "~>"). A name nobody online holds gets a notice.
#include "Zone.h"

#include "resources/StrFuncs.h"

namespace server {
namespace {

// News lines kept for users who log on later.
constexpr size_t kNewsKept = 20;

const char* const kSleep = "/sleep";
const char* const kTell = "/tell ";

// "/tell" in any letter case, then a blank.
bool IsTell(const std::string& text) {
    const size_t n = std::char_traits<char>::length(kTell);
    return text.size() >= n && LowerCaseAscii(text.substr(0, n)) == kTell;
}

}  // namespace

void Zone::OnSay(ZoneUser& user, const protocol::TSay& in) {
    auto id = static_cast<uint16_t>(in.Room);
    Room* room = RoomById(id);
    if (!room || !MaySay(user, *room)) return;
    std::string text = CleanChatText(in.Text, static_cast<size_t>(m_config.chatLineBytes));
    if (text.empty()) return;
    switch (user.chat.Take(m_clock.NowMs(), m_config.chatBurst, m_config.chatLinesPerMinute)) {
        case ChatBudget::Verdict::Send:
            break;
        case ChatBudget::Verdict::DropAndTell:
            Notice(user, id, "System: You are writing too fast; wait a moment before the next line.");
            return;
        case ChatBudget::Verdict::Drop:
            return;
    }
    bool sleep = text == kSleep;
    if (sleep != user.asleep) {
        user.asleep = sleep;
        AnnounceIcon(user);
    }
    if (sleep) return;
    if (IsTell(text)) {
        Tell(user, id, text.substr(std::char_traits<char>::length(kTell)));
        return;
    }
    int nameColour = user.privileged ? m_config.privilegedNameColour : m_config.nameColour;
    SendMembers(*room, Build(protocol::TChatLine{id, nameColour, m_config.textColour, user.alias + ": " + text}));
}

// The recipient's line goes to room 0, which no client holds, so it shows
// in the room they look at.
void Zone::Tell(ZoneUser& user, uint16_t room, const std::string& rest) {
    const size_t blank = rest.find(' ');
    const std::string alias = rest.substr(0, blank);
    const std::string said = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
    if (alias.empty() || said.find_first_not_of(' ') == std::string::npos) {
        Notice(user, room, "System: Write /tell, a name and your text.");
        return;
    }
    ZoneUser* other = UserByName(alias);
    if (!other) {
        Notice(user, room, "System: " + alias + " is not online.");
        return;
    }
    int nameColour = user.privileged ? m_config.privilegedNameColour : m_config.nameColour;
    std::string line = user.alias + "~>" + other->alias + " (private): " + said;
    SendTo(*other, Build(protocol::TChatLine{kTellRoom, nameColour, m_config.textColour, line}));
    if (other != &user) SendTo(user, Build(protocol::TChatLine{room, nameColour, m_config.textColour, line}));
}

bool Zone::MaySay(const ZoneUser& user, const Room& room) {
    bool member = room.IsPrivate() ? room.IsPresent(user.key) : user.publicRoom == room.Id();
    if (!member) return false;
    if (!room.TakesUserChat()) {
        Notice(user, room.Id(), "System: This room is for reading only.");
        return false;
    }
    return true;
}

bool Zone::Say(uint16_t id, const std::string& text) {
    Room* room = RoomById(id);
    std::string clean = CleanChatText(text, static_cast<size_t>(m_config.chatLineBytes));
    if (!room || clean.empty()) return false;
    std::string line = Build(protocol::TChatLine{id, m_config.noticeNameColour, m_config.noticeTextColour, clean});
    if (room->IsPrivate()) {
        SendMembers(*room, line);
        return true;
    }
    // Every client holds every public room.
    SendAll(line);
    if (!room->TakesUserChat()) {
        std::deque<std::string>& news = m_news[id];
        news.push_back(line);
        if (news.size() > kNewsKept) news.pop_front();
        if (m_newsSink) m_newsSink(clean);
    }
    return true;
}

void Zone::SendNews(const ZoneUser& user) {
    for (const auto& [id, lines] : m_news)
        for (const std::string& line : lines) SendTo(user, line);
}

}  // namespace server
