#include "AdminCommands.h"

#include "AdminLine.h"
#include "IniReader.h"

namespace server {
namespace {

const char* const kHelp[] = {
    "who                          the users logged on",
    "rooms                        the rooms",
    "box ALIAS|* TEXT [TITLE]     a message box",
    "ask ALIAS QUESTION ANSWER... a question; the answer is stored",
    "answers [ALIAS]              the latest questions and answers",
    "send ALIAS CODE [BYTES]      a raw message: code byte and bytes (\\xNN escapes)",
    "say ROOM TEXT                a notice line into a room",
    "kick ALIAS                   end the user's session",
    "ban ALIAS | unban ALIAS      refuse or allow the account's logon",
    "privilege ALIAS on|off       the privileged flag",
};

constexpr int kAnswersShown = 20;

bool Number(const std::string& word, long long low, long long high, long long& value) {
    return ParseInteger(word, value) && value >= low && value <= high;
}

std::string NotOnline(const std::string& alias) { return ForTerminal(alias) + " is not logged on"; }

}  // namespace

std::string AdminCommands::Execute(const std::string& line) {
    m_lines.clear();
    Words w;
    std::string error;
    if (SplitWords(line, w, error) && !w.empty()) {
        const std::string& c = w[0];
        if (c == "help") error = Help();
        else if (c == "who") error = Who();
        else if (c == "rooms") error = Rooms();
        else if (c == "box") error = Box(w);
        else if (c == "ask") error = Ask(w);
        else if (c == "answers") error = Answers(w);
        else if (c == "send") error = Send(w);
        else if (c == "say") error = Say(w);
        else if (c == "kick") error = Kick(w);
        else if (c == "ban") error = Ban(w, true);
        else if (c == "unban") error = Ban(w, false);
        else if (c == "privilege") error = Privilege(w);
        else error = "unknown command " + ForTerminal(c) + " (try help)";
    } else if (error.empty()) {
        error = "empty line (try help)";
    }
    std::string reply;
    for (const std::string& l : m_lines) reply += " " + l + "\n";
    return reply + (error.empty() ? "ok\n" : "error: " + error + "\n");
}

void AdminCommands::Line(const std::string& bytes) { m_lines.push_back(ForTerminal(bytes)); }

std::string AdminCommands::Help() {
    for (const char* h : kHelp) m_lines.push_back(h);
    return "";
}

std::string AdminCommands::Who() {
    for (const ZoneUser* u : m_zone.Users())
        Line(u->alias + " room " + std::to_string(u->publicRoom) + " icon " + std::to_string(u->Icon()) +
             (u->privileged ? " privileged" : ""));
    return "";
}

std::string AdminCommands::Rooms() {
    for (const Room* r : m_zone.Rooms()) {
        std::string members;
        for (const RoomMember& m : r->Members()) members += " " + m.alias + (m.session ? "" : "(away)");
        Line(std::to_string(r->Id()) + " kind " + std::to_string(r->Kind()) + " \"" + r->Name() + "\"" +
             (members.empty() ? "" : ":" + members));
    }
    return "";
}

std::string AdminCommands::Box(const Words& w) {
    if (w.size() < 3 || w.size() > 4) return "box ALIAS|* TEXT [TITLE]";
    std::string message = Build(protocol::TServerBox{w[2], w.size() == 4 ? w[3] : "System"});
    if (w[1] != "*") return m_zone.SendMessage(w[1], message) ? "" : NotOnline(w[1]);
    size_t sent = 0;
    for (const ZoneUser* u : m_zone.Users()) sent += m_zone.SendMessage(u->alias, message) ? 1 : 0;
    Line("sent to " + std::to_string(sent));
    return "";
}

std::string AdminCommands::Ask(const Words& w) {
    if (w.size() < 4) return "ask ALIAS QUESTION ANSWER...";
    if (!m_zone.FindUser(w[1])) return NotOnline(w[1]);
    std::vector<std::string> answers(w.begin() + 3, w.end());
    int64_t id = m_zone.Ask(w[1], w[2], answers);
    if (id == 0) return "the question could not be stored";
    Line("question " + std::to_string(id));
    return "";
}

std::string AdminCommands::Answers(const Words& w) {
    if (w.size() > 2) return "answers [ALIAS]";
    for (const QuestionRecord& q : m_accounts.Questions(w.size() == 2 ? w[1] : "", kAnswersShown)) {
        std::string answer = "no answer";
        if (q.answer >= 1 && static_cast<size_t>(q.answer) <= q.answers.size())
            answer = "answer " + std::to_string(q.answer) + " \"" + q.answers[static_cast<size_t>(q.answer - 1)] + "\"";
        Line("#" + std::to_string(q.id) + " " + q.alias + " \"" + q.question + "\": " + answer);
    }
    return "";
}

std::string AdminCommands::Send(const Words& w) {
    long long code = 0;
    if (w.size() < 3 || w.size() > 4 || !Number(w[2], 0, 255, code)) return "send ALIAS CODE(0..255) [BYTES]";
    std::string message(1, static_cast<char>(code));
    if (w.size() == 4) message += w[3];
    return m_zone.SendMessage(w[1], message) ? "" : NotOnline(w[1]);
}

std::string AdminCommands::Say(const Words& w) {
    long long room = 0;
    if (w.size() != 3 || !Number(w[1], 1, 65535, room)) return "say ROOM TEXT";
    return m_zone.Say(static_cast<uint16_t>(room), w[2]) ? "" : "no room " + w[1] + ", or nothing to say";
}

std::string AdminCommands::Kick(const Words& w) {
    if (w.size() != 2) return "kick ALIAS";
    return m_zone.Kick(w[1], "ended by the operator") ? "" : NotOnline(w[1]);
}

std::string AdminCommands::Ban(const Words& w, bool banned) {
    if (w.size() != 2) return banned ? "ban ALIAS" : "unban ALIAS";
    if (!m_accounts.SetBanned(w[1], banned)) return "no account " + ForTerminal(w[1]);
    if (banned && m_zone.Kick(w[1], "banned by the operator")) Line("session ended");
    return "";
}

std::string AdminCommands::Privilege(const Words& w) {
    if (w.size() != 3 || (w[2] != "on" && w[2] != "off")) return "privilege ALIAS on|off";
    bool on = w[2] == "on";
    if (!m_accounts.SetPrivileged(w[1], on)) return "no account " + ForTerminal(w[1]);
    if (m_zone.SetPrivileged(w[1], on)) Line("told the session");
    return "";
}

}  // namespace server
