// The server's messages for the dialogs, the update download, the upload
// and the web panels: hiscores, user information, file chunks and update
// items, banners, camera switch, URLs, web tabs and the operator's
// question. See SessionMessages.h for how Build and Read behave.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "protocol/Codes.h"
#include "protocol/FieldReader.h"

namespace protocol {

// Code 24: a hiscore list.
struct THiscoreList {
    static constexpr TServerCode kCode = TServerCode::Hiscores;
    // The three texts for the labels "Myname", "Myscore", "Myplace".
    std::string MyName, MyScore, MyPlace;
    // Three cells per row; a last row the message ends inside has empty
    // cells.
    std::vector<std::array<std::string, 3>> Rows;
    bool operator==(const THiscoreList&) const = default;
};

// Code 47: one user's information.
struct TGameStatistics {
    std::string Place, Score;
    int Won = 0, Lost = 0, Dropped = 0;  // default 0
    int Games = 0;                       // Won + Lost + Dropped; not sent
    bool operator==(const TGameStatistics&) const = default;
};

struct TUserInfo {
    static constexpr TServerCode kCode = TServerCode::UserInfo;
    std::string Name, Date, Time, LoginCount, Ping;
    // Tumblix, Backgammon, Puzzle, Yatzy.
    std::array<TGameStatistics, 4> Games;
    bool operator==(const TUserInfo&) const = default;
};

// Code 26: a chunk of the update download. The size is sent only when no
// transfer is open: Read takes HasSize as it is set before the call.
struct TFileChunk {
    static constexpr TServerCode kCode = TServerCode::FileChunk;
    bool HasSize = false;
    int Size = 0;      // default 0
    std::string Data;  // the announced length, or the bytes present
    bool operator==(const TFileChunk&) const = default;
};

// Code 37: the server asks the operator's upload for its next chunk.
struct TUploadRequest {
    static constexpr TServerCode kCode = TServerCode::UploadRequest;
    bool operator==(const TUploadRequest&) const = default;
};

// Code 83: a file the update download must fetch.
struct TUpdateItem {
    static constexpr TServerCode kCode = TServerCode::UpdateItem;
    std::string Item;
    bool operator==(const TUpdateItem&) const = default;
};

// Code 85: a banner for place 1..3.
struct TBanner {
    static constexpr TServerCode kCode = TServerCode::Banner;
    int Place = 0;
    std::string Url;
    bool operator==(const TBanner&) const = default;
};

// Code 96: the web-camera panels on (byte 1) or off.
struct TCameras {
    static constexpr TServerCode kCode = TServerCode::Cameras;
    bool On = false;
    bool operator==(const TCameras&) const = default;
};

// Code 99: URL entry 1..7.
struct TUrl {
    static constexpr TServerCode kCode = TServerCode::Url;
    int Entry = 0;
    std::string Url;
    bool operator==(const TUrl&) const = default;
};

// Code 106: the tabs of web area 1 or 2.
struct TWebTab {
    std::string Title, Prefix, Url;
    int Refresh = 0;  // seconds, default 0
    std::string CameraUrl;
    bool operator==(const TWebTab&) const = default;
};

struct TWebTabs {
    static constexpr TServerCode kCode = TServerCode::WebTabs;
    int Area = 0;  // 1 or 2
    std::vector<TWebTab> Tabs;
    bool operator==(const TWebTabs&) const = default;
};

// Code 113: the operator's question and its answers.
struct TQuestion {
    static constexpr TServerCode kCode = TServerCode::Question;
    std::string Text;
    std::vector<std::string> Answers;
    bool operator==(const TQuestion&) const = default;
};

std::string Build(const THiscoreList& m);
std::string Build(const TUserInfo& m);
std::string Build(const TFileChunk& m);
std::string Build(const TUploadRequest& m);
std::string Build(const TUpdateItem& m);
std::string Build(const TBanner& m);
std::string Build(const TCameras& m);
std::string Build(const TUrl& m);
std::string Build(const TWebTabs& m);
std::string Build(const TQuestion& m);

bool Read(TFieldReader& r, THiscoreList& m);
bool Read(TFieldReader& r, TUserInfo& m);
bool Read(TFieldReader& r, TFileChunk& m);
bool Read(TFieldReader& r, TUploadRequest& m);
bool Read(TFieldReader& r, TUpdateItem& m);
bool Read(TFieldReader& r, TBanner& m);
bool Read(TFieldReader& r, TCameras& m);
bool Read(TFieldReader& r, TUrl& m);
bool Read(TFieldReader& r, TWebTabs& m);
bool Read(TFieldReader& r, TQuestion& m);

}  // namespace protocol
