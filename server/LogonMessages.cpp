#include "LogonMessages.h"

#include "net/transport/FrameCodec.h"

namespace server {
namespace {

constexpr char kFieldEnd = 0x01;
// The characters the logon window refuses in aliases and passwords.
constexpr std::string_view kForbidden = "[]=:,~";
// Birthdays outside these years are typing errors.
constexpr int kFirstBirthYear = 1880;
constexpr int kLastBirthYear = 2200;

// A decimal field within [low, high], else fallback.
int64_t NumberField(std::string_view field, int64_t low, int64_t high, int64_t fallback) {
    int64_t value = net::ParseDecimal(field);
    return value >= low && value <= high ? value : fallback;
}

bool HasForbidden(std::string_view text) {
    for (char ch : text) {
        if (kForbidden.find(ch) != std::string_view::npos) return true;
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F) return true;
    }
    return false;
}

void AddField(std::string& message, const std::string& text) {
    message += text;
    message.push_back(kFieldEnd);
}

void ReadRegistration(const std::vector<std::string_view>& f, LogonRequest& r) {
    int year = static_cast<int>(NumberField(f[6], 0, 9999, 0));
    int month = static_cast<int>(NumberField(f[7], 0, 99, 0));
    int day = static_cast<int>(NumberField(f[8], 0, 99, 0));
    if (ValidBirthday(year, month, day)) {
        r.year = year;
        r.month = month;
        r.day = day;
    }
    r.gender = static_cast<int>(NumberField(f[9], 0, 1, 0));
    r.face = static_cast<int>(NumberField(f[10], 0, 2, 0));
    r.registration = true;
}

}  // namespace

std::vector<std::string_view> SplitFields(std::string_view message) {
    std::vector<std::string_view> fields;
    size_t at = 1;
    // A logon has eleven fields; a flood of empty ones is not worth keeping.
    constexpr size_t kMaxFields = 32;
    while (at < message.size() && fields.size() < kMaxFields) {
        size_t end = message.find(kFieldEnd, at);
        if (end == std::string_view::npos) break;
        fields.push_back(message.substr(at, end - at));
        at = end + 1;
    }
    return fields;
}

bool ParseLogon(std::string_view message, LogonRequest& r) {
    if (message.empty() || static_cast<uint8_t>(message[0]) != kCodeLogon) return false;
    std::vector<std::string_view> f = SplitFields(message);
    if (f.size() < 6) return false;
    r = LogonRequest{};
    r.alias = std::string(f[2]);
    r.password = std::string(f[3]);
    r.distribution = static_cast<uint32_t>(NumberField(f[4], 0, UINT32_MAX, 0));
    r.machine = static_cast<uint32_t>(NumberField(f[5], 0, UINT32_MAX, 0));
    if (f.size() >= 11) ReadRegistration(f, r);
    return true;
}

bool ParseAccountUpdate(std::string_view message, AccountUpdate& u) {
    if (message.empty() || static_cast<uint8_t>(message[0]) != kCodeAccountUpdate) return false;
    std::vector<std::string_view> f = SplitFields(message);
    if (f.size() != 2 && f.size() < 6) return false;
    u = AccountUpdate{};
    u.password = std::string(f[0]);
    if (f.size() >= 6) {
        int year = static_cast<int>(NumberField(f[1], 0, 9999, 0));
        int month = static_cast<int>(NumberField(f[2], 0, 99, 0));
        int day = static_cast<int>(NumberField(f[3], 0, 99, 0));
        u.hasBirthday = ValidBirthday(year, month, day);
        if (u.hasBirthday) {
            u.year = year;
            u.month = month;
            u.day = day;
        }
        u.gender = static_cast<int>(NumberField(f[4], 0, 1, 0));
        u.face = static_cast<int>(NumberField(f[5], 0, 2, 0));
    } else {
        u.face = static_cast<int>(NumberField(f[1], 0, 2, 0));
    }
    return true;
}

bool ParseVersionAnswer(std::string_view message, std::string& name, std::string& version) {
    if (message.empty() || static_cast<uint8_t>(message[0]) != kCodeVersionAnswer) return false;
    std::vector<std::string_view> f = SplitFields(message);
    constexpr size_t kMaxVersionText = 64;
    if (f.size() < 2 || f[0].size() > kMaxVersionText || f[1].size() > kMaxVersionText) return false;
    name = std::string(f[0]);
    version = std::string(f[1]);
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

std::string LogonAccepted(const std::string& webPassword) {
    std::string m(1, static_cast<char>(kCodeLogonAccepted));
    AddField(m, webPassword);
    return m;
}

std::string LogonRefused(Refusal refusal) {
    std::string m(1, static_cast<char>(kCodeLogonRefused));
    m.push_back(static_cast<char>(refusal));
    return m;
}

std::string VersionQuery(const std::string& name) {
    std::string m(1, static_cast<char>(kCodeVersionQuery));
    AddField(m, name);
    return m;
}

std::string LogonPrompt() { return std::string(1, static_cast<char>(kCodeLogonPrompt)); }

std::string AccountData(int year, int month, int day, int gender, int face) {
    std::string m(1, static_cast<char>(kCodeAccountData));
    AddField(m, std::to_string(year));
    AddField(m, std::to_string(month));
    AddField(m, std::to_string(day));
    AddField(m, std::to_string(gender));
    AddField(m, std::to_string(face));
    return m;
}

}  // namespace server
