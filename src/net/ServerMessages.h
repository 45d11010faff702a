// The typed contents of the server messages whose effects belong to the
// lobby, the dialogs, the previews, the update download and the web panels.
// The dispatcher cuts a message into one of these and hands it to the
// window's interface (SessionWindows.h); the windows never see raw bytes.
//
// Numbers are as the server sent them: bytes 0..255, words 0..65535, and
// decimal text fields already read as numbers (a bad number takes the
// default named at the field). Where the server offsets a value ("+ 1",
// "+ 2") the field keeps the offset and says so; the receiver removes it,
// since only it knows what the value indexes. Fields missing at the end of
// a message hold their defaults.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Code 9: a chat line for a room.
struct TChatLine {
    int Room = 0;
    int NameColour = 0;
    int TextColour = 0;
    std::string Text;  // without the message's last byte
};

// Code 33: a user present in a room.
struct TUserPresent {
    int Room = 0;
    int Icon = 0;
    std::string Name;
};

// Code 34: a room opened or renamed.
struct TRoomOpen {
    int Kind = 0;
    int Room = 0;
    int Flags = 0;  // bit 0: the room has a web-camera page
    std::string Title;
    // The tab prefix: "Person" for kind 0, "Forum" for kind 1, else as sent.
    std::string Prefix;
};

// Code 11: a table was opened. Kind is 1..4.
struct TTableOpened {
    int Kind = 0;
    std::string Creator;
    int Number = 0;  // default 0
    std::string Text;
};

// Code 16: a player asks to join the own table. Kind is 1..4.
struct TJoinRequest {
    int Kind = 0;
    std::string Joiner;
    int Number = 0;  // default 0
};

// Code 78: a game started. Kind is 1..4; one pair (alias, figure) per seat
// the server listed.
struct TRunningGame {
    int Kind = 0;
    std::vector<std::pair<std::string, std::string>> Players;
};

// Code 24: a hiscore list.
struct THiscoreList {
    // The three texts for the labels "Myname", "Myscore", "Myplace".
    std::string MyName, MyScore, MyPlace;
    // Three cells per row; a last row the message ends inside has empty
    // cells.
    std::vector<std::array<std::string, 3>> Rows;
};

// Code 47: one user's information.
struct TGameStatistics {
    std::string Place, Score;
    int Won = 0, Lost = 0, Dropped = 0;  // default 0
    int Games = 0;                       // Won + Lost + Dropped
};

struct TUserInfo {
    std::string Name, Date, Time, LoginCount, Ping;
    // Tumblix, Backgammon, Puzzle, Yatzy.
    std::array<TGameStatistics, 4> Games;
};

// Code 39: the stored account data.
struct TAccountData {
    int Year = 0, Month = 0, Day = 0;  // default 0
    int Gender = 0;                     // 0 male, 1 female; default 0
    int Face = 0;                       // default 0
    // The server knows the whole birthday (no part below 1).
    bool BirthdayComplete() const { return Year >= 1 && Month >= 1 && Day >= 1; }
};

// Code 26: a chunk of the update download.
struct TFileChunk {
    bool HasSize = false;  // read only when no transfer was open
    int Size = 0;          // default 0
    std::string Data;      // the announced length, or the bytes present
};

// Code 106: the tabs of web area 1 or 2.
struct TWebTab {
    std::string Title, Prefix, Url;
    int Refresh = 0;  // seconds, default 0
    std::string CameraUrl;
};

struct TWebTabs {
    int Area = 0;  // 1 or 2
    std::vector<TWebTab> Tabs;
};

// Code 74, per kind, after kind and slot.
struct TTumblixSnapshot {
    // Seat 1's board, then seat 2's: 26 rows of 12 cells from the top, each
    // colour + 1.
    std::array<uint8_t, 624> Boards{};
    // The number beside the boards, then a + 1, b + 1 and c of the score.
    std::array<int, 4> Numbers{};
};

struct TGammonSnapshot {
    // Points 0..25, white's tray, black's tray, each value + 1.
    std::array<uint8_t, 28> Points{};
    int DiceState = 0;  // state + 1: 1..4
    bool HasDice = false;
    // States 0..2 only: the two dice, each + 1.
    std::array<int, 2> Dice{};
    int Cube = 0;
    int Score1 = 0, Score2 = 0;  // each + 1
    int MatchLength = 0;
    int CubeOwner = 0;
};

struct TPuzzleSnapshot {
    // Seat 1's grid, then seat 2's: 10 rows of 7 cells, one colour per cell.
    std::array<uint8_t, 140> Grids{};
    // Three numbers of the score, then the one shown alone.
    std::array<int, 4> Numbers{};
};

// Code 75: Tumblix cells to set, each value + 1.
struct TTumblixCell {
    int Column = 0, Row = 0, Colour = 0;
};

struct TTumblixCells {
    int Slot = 0, Seat = 0;
    std::vector<TTumblixCell> Cells;
};

// Code 140: a Puzzle shot.
struct TPuzzleShot {
    int Slot = 0, Seat = 0, Colour = 0;
    int Direction = 0;  // index into the preview's direction table, 0..126
    int Column = 0, Row = 0;
};

// Codes 142 (set, with a colour) and 143 (clear, colour 0).
struct TPuzzleCell {
    int Slot = 0, Seat = 0, Colour = 0, Column = 0, Row = 0;
};
