// The server's session messages: logon accepted and refused, its boxes, the
// version query and the logon prompt, the account data, and the values it
// sets after the logon (privilege, options, banner timing).
//
// Every message the server sends is a struct here or in LobbyMessages.h,
// DialogMessages.h, GameMessages.h and PreviewMessages.h, with its code as
// kCode, a Build that makes its bytes and a Read that cuts its fields after
// the code byte. Read is lenient (see FieldReader.h): a field missing at the
// end keeps the default written at the field, and it fails only where noted.
// Numbers are as sent; where the server offsets a value ("+ 1") the field
// keeps the offset and says so, since only the receiver knows what it
// indexes.
#pragma once

#include <string>

#include "protocol/Codes.h"
#include "protocol/FieldReader.h"

namespace protocol {

// Code 1.
struct TLogonAccepted {
    static constexpr TServerCode kCode = TServerCode::LogonAccepted;
    std::string WebPassword;
    bool operator==(const TLogonAccepted&) const = default;
};

// Code 255: the reason, 1 wrong password, 2 already connected, 3 too many,
// 4 a game still running, 10 banned, 11 alias refused; anything else is
// shown as its number.
struct TLogonRefused {
    static constexpr TServerCode kCode = TServerCode::LogonRefused;
    int Error = 0;
    bool operator==(const TLogonRefused&) const = default;
};

// Code 23: a message box.
struct TServerBox {
    static constexpr TServerCode kCode = TServerCode::ServerBox;
    std::string Text, Title;
    bool operator==(const TServerBox&) const = default;
};

// Code 81: the server asks for the version of Name.
struct TVersionQuery {
    static constexpr TServerCode kCode = TServerCode::VersionQuery;
    std::string Name;
    bool operator==(const TVersionQuery&) const = default;
};

// Code 82: send the logon now.
struct TLogonPrompt {
    static constexpr TServerCode kCode = TServerCode::LogonPrompt;
    bool operator==(const TLogonPrompt&) const = default;
};

// Code 39: the stored account data.
struct TAccountData {
    static constexpr TServerCode kCode = TServerCode::AccountData;
    int Year = 0, Month = 0, Day = 0;  // default 0
    int Gender = 0;                     // 0 male, 1 female; default 0
    int Face = 0;                       // default 0
    // The server knows the whole birthday (no part below 1).
    bool BirthdayComplete() const { return Year >= 1 && Month >= 1 && Day >= 1; }
    bool operator==(const TAccountData&) const = default;
};

// Code 107.
struct TPrivileged {
    static constexpr TServerCode kCode = TServerCode::Privileged;
    int Value = 0;
    bool operator==(const TPrivileged&) const = default;
};

// Code 111: the user's stored option digits.
struct TOptions {
    static constexpr TServerCode kCode = TServerCode::Options;
    std::string Digits;
    bool operator==(const TOptions&) const = default;
};

// Code 48: the least time between two banner requests.
struct TBannerInterval {
    static constexpr TServerCode kCode = TServerCode::BannerInterval;
    int Seconds = 30;  // default 30
    bool operator==(const TBannerInterval&) const = default;
};

// Code 49: the banner timer's period.
struct TBannerPeriod {
    static constexpr TServerCode kCode = TServerCode::BannerPeriod;
    int Minutes = 30;  // default 30
    bool operator==(const TBannerPeriod&) const = default;
};

std::string Build(const TLogonAccepted& m);
std::string Build(const TLogonRefused& m);
std::string Build(const TServerBox& m);
std::string Build(const TVersionQuery& m);
std::string Build(const TLogonPrompt& m);
std::string Build(const TAccountData& m);
std::string Build(const TPrivileged& m);
std::string Build(const TOptions& m);
std::string Build(const TBannerInterval& m);
std::string Build(const TBannerPeriod& m);

bool Read(TFieldReader& r, TLogonAccepted& m);
bool Read(TFieldReader& r, TLogonRefused& m);
bool Read(TFieldReader& r, TServerBox& m);
bool Read(TFieldReader& r, TVersionQuery& m);
bool Read(TFieldReader& r, TLogonPrompt& m);
bool Read(TFieldReader& r, TAccountData& m);
bool Read(TFieldReader& r, TPrivileged& m);
bool Read(TFieldReader& r, TOptions& m);
bool Read(TFieldReader& r, TBannerInterval& m);
bool Read(TFieldReader& r, TBannerPeriod& m);

}  // namespace protocol
