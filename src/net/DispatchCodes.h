// The dispatcher's handlers, one per server code, grouped by file:
// DispatchSession.cpp (logon, boxes, version, prompt, unknown codes),
// DispatchLobby.cpp (rooms, users, chat, session values, sound, question),
// DispatchGames.cpp (tables, game start and data, results, ratings,
// tournaments), DispatchPreviews.cpp and DispatchDialogs.cpp (hiscore, info,
// account data, update, upload, web). Each takes a reader standing after the
// code byte and reads the message's typed value with the protocol library.
// Internal to the dispatcher.
#pragma once

#include <string>

#include "net/SessionWindows.h"
#include "protocol/Codes.h"
#include "protocol/Messages.h"

namespace dispatch {

using TReader = protocol::TFieldReader;
using THandler = void (*)(TReader& message);

// The typed value of the message the reader stands in.
template <class TMessage>
TMessage ReadAs(TReader& m) {
    TMessage message;
    protocol::Read(m, message);
    return message;
}

// The handler of a code; null for a code the table does not know.
THandler HandlerFor(int code);
void UnknownCode(int code, TReader& message);

// An OK box (default OK) on the shared slot; text and title are keys or
// ready-made texts.
void Notice(const std::string& text, const std::string& title);
// A text of the message section, filled with the comma-joined arguments.
std::string Template(const std::string& key, const std::string& arguments);
// A line in the lobby's current room, in the system colours.
void AddRoomLine(const std::string& text);
// The visible one of the registration and logon window (registration
// first), or null.
ISessionForm* VisibleSessionForm();

// Session (DispatchSession.cpp).
void LogonAccepted(TReader& m);   // 1
void ServerBox(TReader& m);       // 23
void VersionQuery(TReader& m);    // 81
void LogonPrompt(TReader& m);     // 82
void LogonRefused(TReader& m);    // 255
void Ignored(TReader& m);         // 19, 29

// Lobby (DispatchLobby.cpp).
void UserLeft(TReader& m);        // 6
void ChatLine(TReader& m);        // 9
void PingAnswer(TReader& m);      // 30
void RoomNotice(TReader& m);      // 31
void UserGone(TReader& m);        // 32
void UserPresent(TReader& m);     // 33
void OpenRoom(TReader& m);        // 34
void RoomClosed(TReader& m);      // 35
void SwitchRoom(TReader& m);      // 36
void RemoveRoom(TReader& m);      // 42
void BannerInterval(TReader& m);  // 48
void BannerPeriod(TReader& m);    // 49
void PlayServerSound(TReader& m); // 100
void MenuTab(TReader& m);         // 101
void SetPrivileged(TReader& m);   // 107
void Options(TReader& m);         // 111
void Question(TReader& m);        // 113

// Games and tables (DispatchGames.cpp).
void TableOpened(TReader& m);     // 11
void TableClosed(TReader& m);     // 12
void JoinRequest(TReader& m);     // 16
void GameStart(TReader& m);       // 18
void GameData(TReader& m);        // 71
void GameStarted(TReader& m);     // 78
void GameEnded(TReader& m);       // 84
void GameResult(TReader& m);      // 112
void RatingChange(TReader& m);    // 114
void Tournament(TReader& m);      // 190

// Previews (DispatchPreviews.cpp).
void PreviewStop(TReader& m);         // 73
void PreviewState(TReader& m);        // 74
void TumblixCells(TReader& m);        // 75
void TumblixRowAdded(TReader& m);     // 76
void TumblixRowRemoved(TReader& m);   // 77
void TumblixNumber(TReader& m);       // 88
void PuzzleNumber(TReader& m);        // 89
void GammonDice(TReader& m);          // 90
void GammonDiceState(TReader& m);     // 91
void GammonMove(TReader& m);          // 92
void GammonUndo(TReader& m);          // 93
void PreviewEnd(TReader& m);          // 94
void GammonCube(TReader& m);          // 95
void PuzzleShot(TReader& m);          // 140
void PuzzleCellSet(TReader& m);       // 142
void PuzzleCellCleared(TReader& m);   // 143

// Dialogs, update and web (DispatchDialogs.cpp).
void Hiscores(TReader& m);        // 24
void FileChunk(TReader& m);       // 26
void UploadRequest(TReader& m);   // 37
void AccountData(TReader& m);     // 39
void UserInfo(TReader& m);        // 47
void UpdateItem(TReader& m);      // 83
void Banner(TReader& m);          // 85
void Cameras(TReader& m);         // 96
void Urls(TReader& m);            // 99
void WebTabs(TReader& m);         // 106

}  // namespace dispatch
