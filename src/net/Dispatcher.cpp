#include "net/Dispatcher.h"

#include <array>
#include <cstdlib>

#include "controls/MsgBoxes.h"
#include "net/DispatchCodes.h"
#include "net/transport/Client.h"
#include "resources/Texts.h"

namespace dispatch {
namespace {

using protocol::TServerCode;

struct TEntry {
    TServerCode code;
    THandler handler;
};

// Every code the server sends, in the order of the code table.
constexpr TEntry kEntries[] = {
    {TServerCode::LogonAccepted, LogonAccepted},
    {TServerCode::UserLeft, UserLeft},
    {TServerCode::ChatLine, ChatLine},
    {TServerCode::TableOpened, TableOpened},
    {TServerCode::TableClosed, TableClosed},
    {TServerCode::JoinRequest, JoinRequest},
    {TServerCode::GameStart, GameStart},
    {TServerCode::Ignored, Ignored},
    {TServerCode::ServerBox, ServerBox},
    {TServerCode::Hiscores, Hiscores},
    {TServerCode::FileChunk, FileChunk},
    {TServerCode::IgnoredPair, Ignored},
    {TServerCode::PingAnswer, PingAnswer},
    {TServerCode::RoomNotice, RoomNotice},
    {TServerCode::UserGone, UserGone},
    {TServerCode::UserPresent, UserPresent},
    {TServerCode::RoomOpen, OpenRoom},
    {TServerCode::RoomClosed, RoomClosed},
    {TServerCode::SwitchRoom, SwitchRoom},
    {TServerCode::UploadRequest, UploadRequest},
    {TServerCode::AccountData, AccountData},
    {TServerCode::RemoveRoom, RemoveRoom},
    {TServerCode::UserInfo, UserInfo},
    {TServerCode::BannerInterval, BannerInterval},
    {TServerCode::BannerPeriod, BannerPeriod},
    {TServerCode::GameData, GameData},
    {TServerCode::PreviewStop, PreviewStop},
    {TServerCode::PreviewState, PreviewState},
    {TServerCode::TumblixCells, TumblixCells},
    {TServerCode::TumblixRowAdded, TumblixRowAdded},
    {TServerCode::TumblixRowRemoved, TumblixRowRemoved},
    {TServerCode::GameStarted, GameStarted},
    {TServerCode::VersionQuery, VersionQuery},
    {TServerCode::LogonPrompt, LogonPrompt},
    {TServerCode::UpdateItem, UpdateItem},
    {TServerCode::GameEnded, GameEnded},
    {TServerCode::Banner, Banner},
    {TServerCode::TumblixNumber, TumblixNumber},
    {TServerCode::PuzzleNumber, PuzzleNumber},
    {TServerCode::GammonDice, GammonDice},
    {TServerCode::GammonDiceState, GammonDiceState},
    {TServerCode::GammonMove, GammonMove},
    {TServerCode::GammonUndo, GammonUndo},
    {TServerCode::PreviewEnd, PreviewEnd},
    {TServerCode::GammonCube, GammonCube},
    {TServerCode::Cameras, Cameras},
    {TServerCode::Url, Urls},
    {TServerCode::Sound, PlayServerSound},
    {TServerCode::MenuTab, MenuTab},
    {TServerCode::WebTabs, WebTabs},
    {TServerCode::Privileged, SetPrivileged},
    {TServerCode::Options, Options},
    {TServerCode::GameResult, GameResult},
    {TServerCode::Question, Question},
    {TServerCode::RatingChange, RatingChange},
    {TServerCode::PuzzleShot, PuzzleShot},
    {TServerCode::PuzzleCellSet, PuzzleCellSet},
    {TServerCode::PuzzleCellCleared, PuzzleCellCleared},
    {TServerCode::Tournament, Tournament},
    {TServerCode::LogonRefused, LogonRefused},
};

std::array<THandler, 256> BuildTable() {
    std::array<THandler, 256> table{};
    for (const TEntry& entry : kEntries) table[protocol::CodeByte(entry.code)] = entry.handler;
    return table;
}

}  // namespace

THandler HandlerFor(int code) {
    static const std::array<THandler, 256> table = BuildTable();
    if (code < 0 || code > 255) return nullptr;
    return table[static_cast<size_t>(code)];
}

void Notice(const std::string& text, const std::string& title) {
    MsgBox(text, title, mb::kOk, mb::Ok);
}

std::string Template(const std::string& key, const std::string& arguments) {
    return FillPlaceholders(GetText("Message", key), arguments);
}

void AddRoomLine(const std::string& text) {
    if (ILobbyWindow* lobby = SessionWindows().Lobby)
        lobby->AddLine(text, kSystemNameColour, kSystemTextColour);
}

ISessionForm* VisibleSessionForm() {
    TSessionWindows& windows = SessionWindows();
    if (windows.Registration && windows.Registration->Visible()) return windows.Registration;
    if (windows.Logon && windows.Logon->Visible()) return windows.Logon;
    return nullptr;
}

}  // namespace dispatch

void Dispatch(const std::string& message) {
    // A handler may wait in a modal box while the main loop receives more;
    // the reader keeps its own copy of the message meanwhile.
    const std::string own = message;
    dispatch::TReader reader(own);
    int code = reader.Byte();
    if (dispatch::THandler handler = dispatch::HandlerFor(code))
        handler(reader);
    else
        dispatch::UnknownCode(code, reader);
}

void InstallDispatcher(TClient& client) {
    client.OnMessage = [](TClient*, const std::string& message) { Dispatch(message); };
}

std::string GameName(int kind) {
    static const char* const kNames[] = {"Tumblix", "Bg", "Puzzle", "Yatzy"};
    if (kind < 1 || kind > 4) return {};
    return GetText("Chat", std::string(kNames[kind - 1]) + "name");
}

std::string HundredthsText(const std::string& number) {
    long long value = protocol::NumberOr(number, 0);
    std::string sign = value < 0 ? "-" : "";
    long long magnitude = std::llabs(value);
    std::string text = sign + std::to_string(magnitude / 100);
    int cents = static_cast<int>(magnitude % 100);
    if (cents == 0) return text;
    std::string decimals = {static_cast<char>('0' + cents / 10), static_cast<char>('0' + cents % 10)};
    if (decimals[1] == '0') decimals.pop_back();
    return text + "." + decimals;
}
