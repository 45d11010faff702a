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

constexpr int kDefaultBannerSeconds = protocol::TBannerInterval{}.Seconds;
constexpr int kDefaultBannerMinutes = protocol::TBannerPeriod{}.Minutes;
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

void UserLeft(TReader& m) {
    std::string name = ReadAs<protocol::TUserLeft>(m).Name;
    if (ILobbyWindow* lobby = Lobby()) lobby->UserLeft(name);
    if (ITablesView* tables = SessionWindows().Tables)
        for (int kind = 1; kind <= 4; ++kind) tables->RemoveJoinRequest(kind, name);
}

void ChatLine(TReader& m) {
    auto line = ReadAs<TChatLine>(m);
    ILobbyWindow* lobby = Lobby();
    if (!lobby || FromIgnoredSender(*lobby, line.Text)) return;
    lobby->AddChatLine(line);
}

void PingAnswer(TReader&) {
    AddRoomLine("Ping time: " + std::to_string(NowMs() - Session().PingSentAt));
}

void RoomNotice(TReader& m) {
    auto notice = ReadAs<protocol::TRoomNotice>(m);
    if (notice.Kind > 1) return;
    if (ILobbyWindow* lobby = Lobby()) lobby->RoomNotice(notice.Kind, notice.Room);
}

void UserGone(TReader& m) {
    auto gone = ReadAs<protocol::TUserGone>(m);
    if (ILobbyWindow* lobby = Lobby()) lobby->UserGone(gone.Room, gone.Name);
}

void UserPresent(TReader& m) {
    auto user = ReadAs<TUserPresent>(m);
    if (ILobbyWindow* lobby = Lobby()) lobby->UserPresent(user);
}

void OpenRoom(TReader& m) {
    auto room = ReadAs<TRoomOpen>(m);
    room.Prefix = RoomPrefix(room.Kind, room.Prefix);
    if (ILobbyWindow* lobby = Lobby()) lobby->OpenRoom(room);
}

void RoomClosed(TReader& m) {
    auto closed = ReadAs<protocol::TRoomClosed>(m);
    if (ILobbyWindow* lobby = Lobby()) lobby->RoomClosed(closed.Room, closed.Name);
}

void SwitchRoom(TReader& m) {
    int room = ReadAs<protocol::TSwitchRoom>(m).Room;
    if (ILobbyWindow* lobby = Lobby()) lobby->SwitchRoom(room);
}

void RemoveRoom(TReader& m) {
    int room = ReadAs<protocol::TRemoveRoom>(m).Room;
    if (ILobbyWindow* lobby = Lobby()) lobby->RemoveRoom(room);
}

void BannerInterval(TReader& m) {
    int seconds = ReadAs<protocol::TBannerInterval>(m).Seconds;
    Session().BannerMinInterval = seconds < 0 ? kDefaultBannerSeconds : seconds;
}

void BannerPeriod(TReader& m) {
    int minutes = ReadAs<protocol::TBannerPeriod>(m).Minutes;
    if (minutes < 0) minutes = kDefaultBannerMinutes;
    if (minutes > kMaxBannerMinutes) minutes = kMaxBannerMinutes;
    Session().BannerPeriodMs = minutes * kMsPerMinute;
    if (ILobbyWindow* lobby = Lobby()) lobby->SetBannerPeriod(Session().BannerPeriodMs);
}

void PlayServerSound(TReader& m) { PlaySound(SoundFileName(ReadAs<protocol::TServerSound>(m).Name)); }

void MenuTab(TReader& m) {
    int tab = ReadAs<protocol::TMenuTab>(m).Tab;
    if (ILobbyWindow* lobby = Lobby()) lobby->SelectMenuTab(tab);
}

void SetPrivileged(TReader& m) {
    Session().Privileged = static_cast<uint8_t>(ReadAs<protocol::TPrivileged>(m).Value);
}

void Options(TReader& m) {
    Session().OptionString = ReadAs<protocol::TOptions>(m).Digits;
    const std::string& options = Session().OptionString;
    if (options.empty() || options[0] < '0' || options[0] > '9') return;
    bool soundOn = options[0] != '0';
    SetSoundOn(soundOn);
    if (IOptionsWindow* window = SessionWindows().Options) window->SetSoundToggle(soundOn);
}

void Question(TReader& m) {
    auto question = ReadAs<protocol::TQuestion>(m);
    IQuestionWindow* window = SessionWindows().Question;
    if (!window) return;
    int chosen = window->Ask(question.Text, question.Answers);
    // The answer goes back as one byte.
    if (chosen >= 1 && chosen <= 255) SendToServer(protocol::Build(protocol::TAnswer{chosen}));
}

}  // namespace dispatch
