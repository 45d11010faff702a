// What the client sends: one struct per message with its code as kCode, a
// Build that makes its bytes, and a strict Read for the server that cuts
// the fields after the code byte and fails when one the message needs is
// missing (a word needs both bytes, a text field its closing byte 1).
// Ranges (an alias's length, a valid birthday, an option number) are the
// server's to check: Read only says what was sent.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "protocol/Codes.h"
#include "protocol/FieldReader.h"

namespace protocol {

// "O": the connection is up; the server answers with the version query or
// the logon prompt.
struct THello {
    static constexpr TClientCode kCode = TClientCode::Hello;
    bool operator==(const THello&) const = default;
};

// "Q" name, version: the answer to the version query.
struct TVersionAnswer {
    static constexpr TClientCode kCode = TClientCode::VersionAnswer;
    std::string Name, Version;
    bool operator==(const TVersionAnswer&) const = default;
};

// 0x04: the logon, "0", "0", alias, password, distribution number and
// machine number; a registration adds year, month, day, gender and face.
// Numbers read as -1 when they are not decimal numbers.
struct TLogon {
    static constexpr TClientCode kCode = TClientCode::Logon;
    std::string Alias, Password;
    int64_t Distribution = 0, Machine = 0;
    bool Registration = false;
    int64_t Year = 0, Month = 0, Day = 0, Gender = 0, Face = 0;
    bool operator==(const TLogon&) const = default;
};

// "(": the account update, password (empty: unchanged), then year, month,
// day and gender only when WithBirthday, then face. Numbers as in TLogon.
struct TAccountUpdate {
    static constexpr TClientCode kCode = TClientCode::AccountUpdate;
    std::string Password;
    bool WithBirthday = false;
    int64_t Year = 0, Month = 0, Day = 0, Gender = 0;
    int64_t Face = 0;
    bool operator==(const TAccountUpdate&) const = default;
};

// "'": asks for the stored account data (code 39).
struct TAccountRequest {
    static constexpr TClientCode kCode = TClientCode::AccountRequest;
    bool operator==(const TAccountRequest&) const = default;
};

// "z" and the round trip of the server's keep-alive in milliseconds as
// decimal (not a field: nothing follows). -1 when not a number.
struct TPingReply {
    static constexpr TClientCode kCode = TClientCode::PingReply;
    int64_t Ms = 0;
    bool operator==(const TPingReply&) const = default;
};

// "c" and a byte: asks for URL entry 1..7 (code 99).
struct TUrlRequest {
    static constexpr TClientCode kCode = TClientCode::UrlRequest;
    int Entry = 0;
    bool operator==(const TUrlRequest&) const = default;
};

// "q" and a byte: the answer chosen (from 1) to the server's question.
struct TAnswer {
    static constexpr TClientCode kCode = TClientCode::Answer;
    int Index = 0;
    bool operator==(const TAnswer&) const = default;
};

// "U" and a byte (2): asks for a banner.
struct TBannerRequest {
    static constexpr TClientCode kCode = TClientCode::BannerRequest;
    static constexpr int kTimedBanner = 2;
    int Place = kTimedBanner;
    bool operator==(const TBannerRequest&) const = default;
};

// "n", the option number (from 2) and the digit + 1.
struct TSetOption {
    static constexpr TClientCode kCode = TClientCode::SetOption;
    int Option = 0;
    int Value = 0;  // the digit + 1
    bool operator==(const TSetOption&) const = default;
};

// 0x1E: the operator's "/ping"; answered with code 30.
struct TPingRequest {
    static constexpr TClientCode kCode = TClientCode::PingRequest;
    bool operator==(const TPingRequest&) const = default;
};

// " ", "!" and "#" with a room: the room shown until now is left, the room
// shown is entered, a private room is closed.
struct TLeaveRoom {
    static constexpr TClientCode kCode = TClientCode::LeaveRoom;
    int Room = 0;
    bool operator==(const TLeaveRoom&) const = default;
};

struct TEnterRoom {
    static constexpr TClientCode kCode = TClientCode::EnterRoom;
    int Room = 0;
    bool operator==(const TEnterRoom&) const = default;
};

struct TCloseRoom {
    static constexpr TClientCode kCode = TClientCode::CloseRoom;
    int Room = 0;
    bool operator==(const TCloseRoom&) const = default;
};

// 0x08, room, the text and byte 1: a chat line. Read takes the rest as the
// text, without a last byte 1.
struct TSay {
    static constexpr TClientCode kCode = TClientCode::Say;
    int Room = 0;
    std::string Text;
    bool operator==(const TSay&) const = default;
};

// "/" name: asks for a user's information (code 47).
struct TInfoRequest {
    static constexpr TClientCode kCode = TClientCode::InfoRequest;
    std::string Name;
    bool operator==(const TInfoRequest&) const = default;
};

// "+", kind (0 a private chat, 1 the own forum) and the name with nothing
// after it; Read tolerates a last byte 1 and refuses a name holding one.
struct TOpenRoom {
    static constexpr TClientCode kCode = TClientCode::OpenRoom;
    int Kind = 0;
    std::string Name;
    bool operator==(const TOpenRoom&) const = default;
};

// 0x1F, the forum's room and the name with nothing after it: adds the user
// to the own forum. Read tolerates a last byte 1 and refuses a name holding
// one.
struct TForumAdd {
    static constexpr TClientCode kCode = TClientCode::ForumAdd;
    int Room = 0;
    std::string Name;
    bool operator==(const TForumAdd&) const = default;
};

// 0x0B, kind and the setting: opens a table (the setting is the match
// length).
struct TCreateTable {
    static constexpr TClientCode kCode = TClientCode::CreateTable;
    int Kind = 0;
    std::string Setting;
    bool operator==(const TCreateTable&) const = default;
};

// 0x0C and kind: withdraws the own table.
struct TWithdrawTable {
    static constexpr TClientCode kCode = TClientCode::WithdrawTable;
    int Kind = 0;
    bool operator==(const TWithdrawTable&) const = default;
};

// 0x10, kind and the creator: asks to join a table.
struct TAskToJoin {
    static constexpr TClientCode kCode = TClientCode::AskToJoin;
    int Kind = 0;
    std::string Creator;
    bool operator==(const TAskToJoin&) const = default;
};

// 0x11, kind and every chosen joiner's alias followed by byte 1: starts
// the own table's game. Read takes at most kMaxJoiners whole fields.
struct TStartTable {
    static constexpr TClientCode kCode = TClientCode::StartTable;
    static constexpr size_t kMaxJoiners = 16;
    int Kind = 0;
    std::vector<std::string> Joiners;
    bool operator==(const TStartTable&) const = default;
};

// "G", the game kind and a payload (GamePayload.h) from a game window.
struct TGamePayload {
    static constexpr TClientCode kCode = TClientCode::GamePayload;
    int Kind = 0;
    std::string Payload;
    bool operator==(const TGamePayload&) const = default;
};

// "%", a backslash and the file's name, and its size in decimal: the
// operator's upload begins; the server asks for each chunk with code 37.
// Read takes the name without the leading backslash (a name without one is
// taken as it stands); Size is -1 when not a decimal number.
struct TUploadStart {
    static constexpr TClientCode kCode = TClientCode::UploadStart;
    std::string Name;
    int64_t Size = 0;
    bool operator==(const TUploadStart&) const = default;
};

// "&", the count n in decimal and byte 1, then n bytes of the upload. Read
// fails unless exactly n bytes follow.
struct TUploadChunk {
    static constexpr TClientCode kCode = TClientCode::UploadChunk;
    std::string Data;
    bool operator==(const TUploadChunk&) const = default;
};

// 0x1A, a file name and byte 1, the offset in decimal and byte 1: the
// update download asks for the named file from that byte on (0 for a new
// file). Read fails unless the offset is a decimal number of 0 or more.
struct TFileRequest {
    static constexpr TClientCode kCode = TClientCode::FileRequest;
    std::string Name;
    int64_t Offset = 0;
    bool operator==(const TFileRequest&) const = default;
};

// "H", the kind, the seat-1 alias of a running game and the preview slot
// as a byte: stream that game into the slot. The kind and slot are the
// server's to range-check.
struct TWatch {
    static constexpr TClientCode kCode = TClientCode::Watch;
    int Kind = 0;
    std::string Player;
    int Slot = 0;
    bool operator==(const TWatch&) const = default;
};

// 0x18, the list (0 all games, 1..4 a game kind), the first and the last
// place, each a decimal field: asks for a hiscore list (code 24). Numbers
// read as -1 when they are not decimal numbers.
struct THiscoreRequest {
    static constexpr TClientCode kCode = TClientCode::HiscoreRequest;
    int64_t List = 0, First = 1, Last = 100;
    bool operator==(const THiscoreRequest&) const = default;
};

std::string Build(const THello& m);
std::string Build(const TVersionAnswer& m);
std::string Build(const TLogon& m);
std::string Build(const TAccountUpdate& m);
std::string Build(const TAccountRequest& m);
std::string Build(const TPingReply& m);
std::string Build(const TUrlRequest& m);
std::string Build(const TAnswer& m);
std::string Build(const TBannerRequest& m);
std::string Build(const TSetOption& m);
std::string Build(const TPingRequest& m);
std::string Build(const TLeaveRoom& m);
std::string Build(const TEnterRoom& m);
std::string Build(const TCloseRoom& m);
std::string Build(const TSay& m);
std::string Build(const TInfoRequest& m);
std::string Build(const TOpenRoom& m);
std::string Build(const TForumAdd& m);
std::string Build(const TCreateTable& m);
std::string Build(const TWithdrawTable& m);
std::string Build(const TAskToJoin& m);
std::string Build(const TStartTable& m);
std::string Build(const TGamePayload& m);
std::string Build(const TUploadStart& m);
std::string Build(const TUploadChunk& m);
std::string Build(const TFileRequest& m);
std::string Build(const TWatch& m);
std::string Build(const THiscoreRequest& m);

bool Read(TFieldReader& r, THello& m);
bool Read(TFieldReader& r, TVersionAnswer& m);
bool Read(TFieldReader& r, TLogon& m);
bool Read(TFieldReader& r, TAccountUpdate& m);
bool Read(TFieldReader& r, TAccountRequest& m);
bool Read(TFieldReader& r, TPingReply& m);
bool Read(TFieldReader& r, TUrlRequest& m);
bool Read(TFieldReader& r, TAnswer& m);
bool Read(TFieldReader& r, TBannerRequest& m);
bool Read(TFieldReader& r, TSetOption& m);
bool Read(TFieldReader& r, TPingRequest& m);
bool Read(TFieldReader& r, TLeaveRoom& m);
bool Read(TFieldReader& r, TEnterRoom& m);
bool Read(TFieldReader& r, TCloseRoom& m);
bool Read(TFieldReader& r, TSay& m);
bool Read(TFieldReader& r, TInfoRequest& m);
bool Read(TFieldReader& r, TOpenRoom& m);
bool Read(TFieldReader& r, TForumAdd& m);
bool Read(TFieldReader& r, TCreateTable& m);
bool Read(TFieldReader& r, TWithdrawTable& m);
bool Read(TFieldReader& r, TAskToJoin& m);
bool Read(TFieldReader& r, TStartTable& m);
bool Read(TFieldReader& r, TGamePayload& m);
bool Read(TFieldReader& r, TUploadStart& m);
bool Read(TFieldReader& r, TUploadChunk& m);
bool Read(TFieldReader& r, TFileRequest& m);
bool Read(TFieldReader& r, TWatch& m);
bool Read(TFieldReader& r, THiscoreRequest& m);

}  // namespace protocol
