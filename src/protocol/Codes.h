// Every message code of the game zone, both directions, by name. A message
// is its code byte followed by the fields the code defines (see
// FieldReader.h for the field kinds). Where a code is a printable letter,
// the letter is given: the client's codes are mostly written as letters.
#pragma once

#include <cstdint>

namespace protocol {

// What the server sends.
enum class TServerCode : uint8_t {
    LogonAccepted = 1,
    UserLeft = 6,
    ChatLine = 9,
    TableOpened = 11,
    TableClosed = 12,
    JoinRequest = 16,
    GameStart = 18,
    Ignored = 19,           // no fields; the client does nothing
    IgnoredPair = 29,       // two text fields; the client does nothing
    ServerBox = 23,
    Hiscores = 24,
    FileChunk = 26,
    PingAnswer = 30,
    RoomNotice = 31,
    UserGone = 32,
    UserPresent = 33,
    RoomOpen = 34,
    RoomClosed = 35,
    SwitchRoom = 36,
    UploadRequest = 37,
    AccountData = 39,
    RemoveRoom = 42,
    UserInfo = 47,
    BannerInterval = 48,
    BannerPeriod = 49,
    GameData = 71,           // "G"
    PreviewStop = 73,        // "I"
    PreviewState = 74,       // "J"
    TumblixCells = 75,       // "K"
    TumblixRowAdded = 76,    // "L"
    TumblixRowRemoved = 77,  // "M"
    GameStarted = 78,        // "N"
    VersionQuery = 81,       // "Q"
    LogonPrompt = 82,        // "R"
    UpdateItem = 83,         // "S"
    GameEnded = 84,          // "T"
    Banner = 85,             // "U"
    TumblixNumber = 88,      // "X"
    PuzzleNumber = 89,       // "Y"
    GammonDice = 90,         // "Z"
    GammonDiceState = 91,
    GammonMove = 92,
    GammonUndo = 93,
    PreviewEnd = 94,
    GammonCube = 95,
    Cameras = 96,
    Url = 99,                // "c"
    Sound = 100,             // "d"
    MenuTab = 101,           // "e"
    WebTabs = 106,           // "j"
    Privileged = 107,        // "k"
    Options = 111,           // "o"
    GameResult = 112,        // "p"
    Question = 113,          // "q"
    RatingChange = 114,      // "r"
    PuzzleShot = 140,
    PuzzleCellSet = 142,
    PuzzleCellCleared = 143,
    Tournament = 190,
    LogonRefused = 255,
};

// What the client sends.
enum class TClientCode : uint8_t {
    Logon = 0x04,
    Say = 0x08,
    CreateTable = 0x0B,
    WithdrawTable = 0x0C,
    AskToJoin = 0x10,
    StartTable = 0x11,
    HiscoreRequest = 0x18,
    FileRequest = 0x1A,
    PingRequest = 0x1E,      // the chat command "/ping"
    ForumAdd = 0x1F,
    LeaveRoom = ' ',
    EnterRoom = '!',
    CloseRoom = '#',
    UploadStart = '%',
    UploadChunk = '&',
    AccountRequest = '\'',
    AccountUpdate = '(',
    OpenRoom = '+',
    InfoRequest = '/',
    GamePayload = 'G',
    Watch = 'H',
    Hello = 'O',
    VersionAnswer = 'Q',
    BannerRequest = 'U',
    BannerLoaded = 'a',
    BannerClicked = 'b',
    UrlRequest = 'c',
    SetOption = 'n',
    Answer = 'q',
    PingReply = 'z',         // the round trip of the server's keep-alive
};

constexpr uint8_t CodeByte(TServerCode code) { return static_cast<uint8_t>(code); }
constexpr uint8_t CodeByte(TClientCode code) { return static_cast<uint8_t>(code); }

}  // namespace protocol
