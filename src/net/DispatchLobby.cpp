// The lobby's codes (rooms, users, chat lines), the session values the
// server sets after the logon (banner timing, privilege, options), the
// server's sounds and the question window.
#include <climits>

#include "graphics/Sound.h"
#include "net/DispatchCodes.h"
#include "net/Session.h"
#include "resources/StrFuncs.h"
#include "shell/MyTimer.h"

namespace dispatch {
namespace {

constexpr int kDefaultBannerSeconds = 30;
constexpr int kDefaultBannerMinutes = 30;
constexpr int kMsPerMinute = 60000;
// The longest banner period that fits the timer's milliseconds.
constexpr int kMaxBannerMinutes = INT_MAX / kMsPerMinute;

ILobbyWindow* Lobby() { return SessionWindows().Lobby; }

// The three ways a chat line names its sender: before ":", before "~>", and
// from its third character to the next blank; each lower-cased.
std::vector<std::string> SenderCandidates(const std::string& text) {
    std::vector<std::string> names;
    for (const char* mark : {":", "~>"}) {
        size_t at = text.find(mark);
        if (at != std::string::npos) names.push_back(text.substr(0, at));
    }
    if (text.size() > 2) {
        size_t blank = text.find(' ', 2);
        names.push_back(text.substr(2, blank == std::string::npos ? std::string::npos : blank - 2));
    }
    for (std::string& name : names) name = LowerCaseAscii(name);
    return names;
}

bool FromIgnoredSender(const ILobbyWindow& lobby, const std::string& text) {
    for (const std::string& name : SenderCandidates(text))
        if (!name.empty() && lobby.Ignores(name)) return true;
    return false;
}

std::string RoomPrefix(int kind, const std::string& sent) {
    if (kind == 0) return "Person";
    if (kind == 1) return "Forum";
    return sent;
}

std::string SoundFileName(const std::string& name) {
    std::string file = LowerCaseAscii(name);
    if (file.find(".wav") == std::string::npos) file += ".wav";
    return file;
}

}  // namespace

void UserLeft(TMessageReader& m) {
    std::string name = m.Field();
    if (ILobbyWindow* lobby = Lobby()) lobby->UserLeft(name);
    if (ITablesView* tables = SessionWindows().Tables)
        for (int kind = 1; kind <= 4; ++kind) tables->RemoveJoinRequest(kind, name);
}

void ChatLine(TMessageReader& m) {
    TChatLine line;
    line.Room = m.Word();
    line.NameColour = m.Byte();
    line.TextColour = m.Byte();
    line.Text = m.Rest();
    if (!line.Text.empty()) line.Text.pop_back();
    ILobbyWindow* lobby = Lobby();
    if (!lobby || FromIgnoredSender(*lobby, line.Text)) return;
    lobby->AddChatLine(line);
}

void PingAnswer(TMessageReader&) {
    AddRoomLine("Ping time: " + std::to_string(NowMs() - Session().PingSentAt));
}

void RoomNotice(TMessageReader& m) {
    int kind = m.Byte();
    int room = m.Word();
    if (kind > 1) return;
    if (ILobbyWindow* lobby = Lobby()) lobby->RoomNotice(kind, room);
}

void UserGone(TMessageReader& m) {
    int room = m.Word();
    std::string name = m.Field();
    if (ILobbyWindow* lobby = Lobby()) lobby->UserGone(room, name);
}

void UserPresent(TMessageReader& m) {
    TUserPresent user;
    user.Room = m.Word();
    user.Icon = m.Byte();
    user.Name = m.Field();
    if (ILobbyWindow* lobby = Lobby()) lobby->UserPresent(user);
}

void OpenRoom(TMessageReader& m) {
    TRoomOpen room;
    room.Kind = m.Byte();
    room.Room = m.Word();
    room.Flags = m.Byte();
    room.Title = m.Field();
    room.Prefix = RoomPrefix(room.Kind, m.Field());
    if (ILobbyWindow* lobby = Lobby()) lobby->OpenRoom(room);
}

void RoomClosed(TMessageReader& m) {
    int room = m.Word();
    std::string name = m.Field();
    if (ILobbyWindow* lobby = Lobby()) lobby->RoomClosed(room, name);
}

void SwitchRoom(TMessageReader& m) {
    int room = m.Word();
    if (ILobbyWindow* lobby = Lobby()) lobby->SwitchRoom(room);
}

void RemoveRoom(TMessageReader& m) {
    int room = m.Word();
    if (ILobbyWindow* lobby = Lobby()) lobby->RemoveRoom(room);
}

void BannerInterval(TMessageReader& m) {
    int seconds = m.Number(kDefaultBannerSeconds);
    Session().BannerMinInterval = seconds < 0 ? kDefaultBannerSeconds : seconds;
}

void BannerPeriod(TMessageReader& m) {
    int minutes = m.Number(kDefaultBannerMinutes);
    if (minutes < 0) minutes = kDefaultBannerMinutes;
    if (minutes > kMaxBannerMinutes) minutes = kMaxBannerMinutes;
    Session().BannerPeriodMs = minutes * kMsPerMinute;
    if (ILobbyWindow* lobby = Lobby()) lobby->SetBannerPeriod(Session().BannerPeriodMs);
}

void PlayServerSound(TMessageReader& m) { PlaySound(SoundFileName(m.Field())); }

void MenuTab(TMessageReader& m) {
    int tab = m.Byte();
    if (ILobbyWindow* lobby = Lobby()) lobby->SelectMenuTab(tab);
}

void SetPrivileged(TMessageReader& m) { Session().Privileged = static_cast<uint8_t>(m.Byte()); }

void Options(TMessageReader& m) {
    Session().OptionString = m.Field();
    const std::string& options = Session().OptionString;
    if (options.empty() || options[0] < '0' || options[0] > '9') return;
    bool soundOn = options[0] != '0';
    SetSoundOn(soundOn);
    if (IOptionsWindow* window = SessionWindows().Options) window->SetSoundToggle(soundOn);
}

void Question(TMessageReader& m) {
    std::string question = m.Field();
    std::vector<std::string> answers;
    while (!m.AtEnd()) answers.push_back(m.Field());
    IQuestionWindow* window = SessionWindows().Question;
    if (!window) return;
    int chosen = window->Ask(question, answers);
    // The answer goes back as one byte.
    if (chosen >= 1 && chosen <= 255) SendToServer(std::string("q") + static_cast<char>(chosen));
}

}  // namespace dispatch
