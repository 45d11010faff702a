// The lobby's smaller requests: user information ("/" -> 47), the URLs
// ("c" n -> 99), option digits ("n"), the answer to a question ("q"), and
// the operator's question itself.
#include <algorithm>
#include <cstdint>
#include <ctime>

#include "LogonMessages.h"
#include "Zone.h"

namespace server {
namespace {

// Option k (k >= 2, a byte after "n") is digit k - 2 of the option string;
// the lobby and the games use a few dozen at most.
constexpr int kFirstOption = 2;
constexpr size_t kMaxOptionDigits = 32;

int64_t UnixNow() { return static_cast<int64_t>(std::time(nullptr)); }

std::string Stamp(int64_t unixTime, const char* format) {
    if (unixTime <= 0) return "";
    std::time_t t = static_cast<std::time_t>(unixTime);
    std::tm tm{};
    localtime_r(&t, &tm);
    char text[32];
    return std::strftime(text, sizeof text, format, &tm) ? text : "";
}

// The client reads the counts as 32-bit numbers.
int CountText(int64_t count) { return static_cast<int>(std::clamp<int64_t>(count, 0, INT32_MAX)); }

// Code 47 for an account: its last logon, the ping of its session (0 when
// away) and its records in the four games.
protocol::TUserInfo UserInfoOf(const Account& account, int ping, const GameRecords& games) {
    protocol::TUserInfo info;
    info.Name = account.alias;
    info.Date = Stamp(account.lastLogonAt, "%Y-%m-%d");
    info.Time = Stamp(account.lastLogonAt, "%H:%M");
    info.LoginCount = std::to_string(account.logonCount);
    info.Ping = std::to_string(ping);
    for (size_t i = 0; i < info.Games.size() && i < games.size(); ++i) {
        const GameRecord& g = games[i];
        protocol::TGameStatistics& s = info.Games[i];
        s.Won = CountText(g.won);
        s.Lost = CountText(g.lost);
        s.Dropped = CountText(g.dropped);
        s.Place = std::to_string(g.place);
        s.Score = std::to_string(g.score);
    }
    return info;
}

}  // namespace

void Zone::OnInfoRequest(ZoneUser& user, const protocol::TInfoRequest& in) {
    const std::string& name = in.Name;
    if (name.empty() || name.size() > kMaxAliasLength) return;
    Account account;
    GameRecords games;
    if (m_accounts.Find(name, account) != AccountStore::Result::Ok) {
        Box(user, "Nobody is called " + name + ".");
        return;
    }
    if (!m_accounts.Statistics(account.id, games)) return;
    int ping = 0;
    if (const ZoneUser* other = FindUser(account.alias))
        if (Session* s = m_host.FindSession(other->session)) ping = s->PingMs();
    SendTo(user, Build(UserInfoOf(account, ping, games)));
}

void Zone::OnUrlRequest(ZoneUser& user, const protocol::TUrlRequest& in) {
    int entry = in.Entry;
    if (entry >= 1 && entry <= kUrlCount)
        SendTo(user, Build(protocol::TUrl{entry, m_config.urls[static_cast<size_t>(entry - 1)]}));
}

void Zone::OnSetOption(ZoneUser& user, const protocol::TSetOption& in) {
    int option = in.Option, value = in.Value;
    // The value comes as the digit + 1, so that no byte is 0.
    if (option < kFirstOption || option >= kFirstOption + static_cast<int>(kMaxOptionDigits) || value < 1 || value > 10) return;
    size_t at = static_cast<size_t>(option - kFirstOption);
    if (user.options.size() <= at) user.options.resize(at + 1, '0');
    user.options[at] = static_cast<char>('0' + value - 1);
    if (!m_accounts.SetOptions(user.accountId, user.options))
        m_host.Log("options of " + user.alias + " not stored");
}

void Zone::OnAnswer(ZoneUser& user, const protocol::TAnswer& in) {
    int index = in.Index;
    if (user.questionId == 0 || index < 1 || index > user.questionAnswers) return;
    int64_t id = user.questionId;
    user.questionId = 0;
    if (m_accounts.AnswerQuestion(id, index, UnixNow()))
        m_host.Log("question " + std::to_string(id) + " answered by " + user.alias + ": " + std::to_string(index));
    else
        m_host.Log("answer to question " + std::to_string(id) + " not stored");
}

// A newer question replaces an unanswered one: the client answers what it
// shows last, and sends nothing when the window is closed without a choice.
int64_t Zone::Ask(const std::string& alias, const std::string& question, const std::vector<std::string>& answers) {
    ZoneUser* user = UserByName(alias);
    if (!user || answers.empty() || answers.size() > 255) return 0;
    int64_t id = m_accounts.AddQuestion(user->accountId, question, answers, UnixNow());
    if (id == 0) return 0;
    user->questionId = id;
    user->questionAnswers = static_cast<int>(answers.size());
    SendTo(*user, Build(protocol::TQuestion{question, answers}));
    return id;
}

}  // namespace server
