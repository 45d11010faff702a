// What the server accepts in the logon and the account update: the protocol
// library cuts the messages (TLogon, TAccountUpdate, TVersionAnswer), and
// these functions apply the server's rules to them (every number bounded,
// an impossible birthday kept as not known), plus the alias and password
// rules and the refusal numbers of code 255.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/Messages.h"

namespace server {

// Refusal numbers of code 255, as the client names them.
enum class Refusal : uint8_t {
    Password = 1,      // "Errorpass": unknown alias or wrong password
    Connected = 2,     // "Errorconnected": the alias is logged on already
    TooMany = 3,       // "Errortoomany"
    Banned = 10,       // "Errorband"
    Alias = 11,        // "Erroralias": taken or not acceptable
    ServerFault = 99,  // shown by the client as "Error code 99": the database failed
};

constexpr size_t kMaxAliasLength = 16;
constexpr size_t kMaxPasswordLength = 20;

struct LogonRequest {
    std::string alias;
    std::string password;
    uint32_t distribution = 0;
    uint32_t machine = 0;
    bool registration = false;
    // Registration only; an impossible date is kept as 0, 0, 0 (not known).
    int year = 0, month = 0, day = 0;
    int gender = 0;
    int face = 0;
};

struct AccountUpdate {
    std::string password;  // empty: unchanged
    bool hasBirthday = false;
    int year = 0, month = 0, day = 0;
    int gender = 0;
    int face = 0;
};

// False when the message is not a logon (code, the two "0" fields, alias,
// password, distribution and machine number, each ended by 0x01).
bool ParseLogon(std::string_view message, LogonRequest& request);
bool ParseAccountUpdate(std::string_view message, AccountUpdate& update);
// "Q" name 0x01 version 0x01, each at most 64 bytes.
bool ParseVersionAnswer(std::string_view message, std::string& name, std::string& version);

// The logon window's rules, and a few a server needs on top: no control
// bytes, no blanks at either end.
bool AcceptableAlias(std::string_view alias);
bool AcceptablePassword(std::string_view password);
bool ValidBirthday(int year, int month, int day);
// The alias as users are told apart: ASCII letters lower-cased.
std::string AliasKey(std::string_view alias);

}  // namespace server
