// Chat lines: 0x08, the room, the text and 0x01 from a member becomes code 9
// to every member, the sender included (the client shows its own lines only
// when they come back). The line reads "alias: text" so that the client
// colours the name and finds the sender for its ignore list. "/sleep" (sent
// after ":afk" and ":brb") is no line: it shows the sleeping icon until the
// user writes again.
#include "Zone.h"

namespace server {
namespace {

// News lines kept for users who log on later.
constexpr size_t kNewsKept = 20;

const char* const kSleep = "/sleep";

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
    int nameColour = user.privileged ? m_config.privilegedNameColour : m_config.nameColour;
    SendMembers(*room, Build(protocol::TChatLine{id, nameColour, m_config.textColour, user.alias + ": " + text}));
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
    }
    return true;
}

void Zone::SendNews(const ZoneUser& user) {
    for (const auto& [id, lines] : m_news)
        for (const std::string& line : lines) SendTo(user, line);
}

}  // namespace server
