#include "LogonMessages.h"

namespace server {
namespace {

// The characters the logon window refuses in aliases and passwords.
constexpr std::string_view kForbidden = "[]=:,~";
// Birthdays outside these years are typing errors.
constexpr int kFirstBirthYear = 1880;
constexpr int kLastBirthYear = 2200;
constexpr size_t kMaxVersionText = 64;

// A number within [low, high], else fallback (a field that was no number
// arrives as -1).
int64_t Bounded(int64_t value, int64_t low, int64_t high, int64_t fallback) {
    return value >= low && value <= high ? value : fallback;
}

bool HasForbidden(std::string_view text) {
    for (char ch : text) {
        if (kForbidden.find(ch) != std::string_view::npos) return true;
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) return true;
    }
    return false;
}

// Year, month and day when they make a birthday, else all three stay 0.
bool TakeBirthday(int64_t year, int64_t month, int64_t day, int& y, int& m, int& d) {
    int by = static_cast<int>(Bounded(year, 0, 9999, 0));
    int bm = static_cast<int>(Bounded(month, 0, 99, 0));
    int bd = static_cast<int>(Bounded(day, 0, 99, 0));
    if (!ValidBirthday(by, bm, bd)) return false;
    y = by;
    m = bm;
    d = bd;
    return true;
}

}  // namespace

bool ParseLogon(std::string_view message, LogonRequest& r) {
    protocol::TLogon logon;
    if (!protocol::Parse(message, logon)) return false;
    r = LogonRequest{};
    r.alias = logon.Alias;
    r.password = logon.Password;
    r.distribution = static_cast<uint32_t>(Bounded(logon.Distribution, 0, UINT32_MAX, 0));
    r.machine = static_cast<uint32_t>(Bounded(logon.Machine, 0, UINT32_MAX, 0));
    if (!logon.Registration) return true;
    TakeBirthday(logon.Year, logon.Month, logon.Day, r.year, r.month, r.day);
    r.gender = static_cast<int>(Bounded(logon.Gender, 0, 1, 0));
    r.face = static_cast<int>(Bounded(logon.Face, 0, 2, 0));
    r.registration = true;
    return true;
}

bool ParseAccountUpdate(std::string_view message, AccountUpdate& u) {
    protocol::TAccountUpdate update;
    if (!protocol::Parse(message, update)) return false;
    u = AccountUpdate{};
    u.password = update.Password;
    u.face = static_cast<int>(Bounded(update.Face, 0, 2, 0));
    if (!update.WithBirthday) return true;
    u.hasBirthday = TakeBirthday(update.Year, update.Month, update.Day, u.year, u.month, u.day);
    u.gender = static_cast<int>(Bounded(update.Gender, 0, 1, 0));
    return true;
}

bool ParseVersionAnswer(std::string_view message, std::string& name, std::string& version) {
    protocol::TVersionAnswer answer;
    if (!protocol::Parse(message, answer)) return false;
    if (answer.Name.size() > kMaxVersionText || answer.Version.size() > kMaxVersionText) return false;
    name = answer.Name;
    version = answer.Version;
    return true;
}

bool AcceptableAlias(std::string_view alias) {
    if (alias.empty() || alias.size() > kMaxAliasLength || HasForbidden(alias)) return false;
    return alias.front() != ' ' && alias.back() != ' ';
}

bool AcceptablePassword(std::string_view password) {
    return !password.empty() && password.size() <= kMaxPasswordLength && !HasForbidden(password);
}

bool ValidBirthday(int year, int month, int day) {
    if (year < kFirstBirthYear || year > kLastBirthYear || month < 1 || month > 12 || day < 1) return false;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= last;
}

std::string AliasKey(std::string_view alias) {
    std::string key(alias);
    for (char& ch : key)
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    return key;
}

}  // namespace server
