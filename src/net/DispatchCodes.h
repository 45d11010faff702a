// The dispatcher's handlers, one per server code, grouped by file:
// DispatchSession.cpp (logon, boxes, version, prompt, unknown codes),
// DispatchLobby.cpp (rooms, users, chat, session values, sound, question),
// DispatchGames.cpp (tables, game start and data, results, ratings,
// tournaments), DispatchPreviews.cpp and DispatchDialogs.cpp (hiscore, info,
// account data, update, upload, web). Each takes the message after its code
// byte. Internal to the dispatcher.
#pragma once

#include <string>

#include "net/MessageReader.h"
#include "net/SessionWindows.h"

namespace dispatch {

using THandler = void (*)(TMessageReader& message);

// The handler of a code; null for a code the table does not know.
THandler HandlerFor(int code);
void UnknownCode(int code, TMessageReader& message);

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
void LogonAccepted(TMessageReader& m);   // 1
void ServerBox(TMessageReader& m);       // 23
void VersionQuery(TMessageReader& m);    // 81
void LogonPrompt(TMessageReader& m);     // 82
void LogonRefused(TMessageReader& m);    // 255
void Ignored(TMessageReader& m);         // 19, 29

// Lobby (DispatchLobby.cpp).
void UserLeft(TMessageReader& m);        // 6
void ChatLine(TMessageReader& m);        // 9
void PingAnswer(TMessageReader& m);      // 30
void RoomNotice(TMessageReader& m);      // 31
void UserGone(TMessageReader& m);        // 32
void UserPresent(TMessageReader& m);     // 33
void OpenRoom(TMessageReader& m);        // 34
void RoomClosed(TMessageReader& m);      // 35
void SwitchRoom(TMessageReader& m);      // 36
void RemoveRoom(TMessageReader& m);      // 42
void BannerInterval(TMessageReader& m);  // 48
void BannerPeriod(TMessageReader& m);    // 49
void PlayServerSound(TMessageReader& m); // 100
void MenuTab(TMessageReader& m);         // 101
void SetPrivileged(TMessageReader& m);   // 107
void Options(TMessageReader& m);         // 111
void Question(TMessageReader& m);        // 113

// Games and tables (DispatchGames.cpp).
void TableOpened(TMessageReader& m);     // 11
void TableClosed(TMessageReader& m);     // 12
void JoinRequest(TMessageReader& m);     // 16
void GameStart(TMessageReader& m);       // 18
void GameData(TMessageReader& m);        // 71
void GameStarted(TMessageReader& m);     // 78
void GameEnded(TMessageReader& m);       // 84
void GameResult(TMessageReader& m);      // 112
void RatingChange(TMessageReader& m);    // 114
void Tournament(TMessageReader& m);      // 190

// Previews (DispatchPreviews.cpp).
void PreviewStop(TMessageReader& m);         // 73
void PreviewState(TMessageReader& m);        // 74
void TumblixCells(TMessageReader& m);        // 75
void TumblixRowAdded(TMessageReader& m);     // 76
void TumblixRowRemoved(TMessageReader& m);   // 77
void TumblixNumber(TMessageReader& m);       // 88
void PuzzleNumber(TMessageReader& m);        // 89
void GammonDice(TMessageReader& m);          // 90
void GammonDiceState(TMessageReader& m);     // 91
void GammonMove(TMessageReader& m);          // 92
void GammonUndo(TMessageReader& m);          // 93
void PreviewEnd(TMessageReader& m);          // 94
void GammonCube(TMessageReader& m);          // 95
void PuzzleShot(TMessageReader& m);          // 140
void PuzzleCellSet(TMessageReader& m);       // 142
void PuzzleCellCleared(TMessageReader& m);   // 143

// Dialogs, update and web (DispatchDialogs.cpp).
void Hiscores(TMessageReader& m);        // 24
void FileChunk(TMessageReader& m);       // 26
void UploadRequest(TMessageReader& m);   // 37
void AccountData(TMessageReader& m);     // 39
void UserInfo(TMessageReader& m);        // 47
void UpdateItem(TMessageReader& m);      // 83
void Banner(TMessageReader& m);          // 85
void Cameras(TMessageReader& m);         // 96
void Urls(TMessageReader& m);            // 99
void WebTabs(TMessageReader& m);         // 106

}  // namespace dispatch
