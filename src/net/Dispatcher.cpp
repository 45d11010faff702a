#include "net/Dispatcher.h"

#include <array>
#include <cstdlib>

#include "controls/MsgBoxes.h"
#include "net/DispatchCodes.h"
#include "net/transport/Client.h"
#include "resources/Texts.h"

namespace dispatch {
namespace {

struct TEntry {
    int code;
    THandler handler;
};

// Every code the server sends, in the order of the code table.
constexpr TEntry kEntries[] = {
    {1, LogonAccepted},     {6, UserLeft},          {9, ChatLine},         {11, TableOpened},
    {12, TableClosed},      {16, JoinRequest},      {18, GameStart},       {19, Ignored},
    {23, ServerBox},        {24, Hiscores},         {26, FileChunk},       {29, Ignored},
    {30, PingAnswer},       {31, RoomNotice},       {32, UserGone},        {33, UserPresent},
    {34, OpenRoom},         {35, RoomClosed},       {36, SwitchRoom},      {37, UploadRequest},
    {39, AccountData},      {42, RemoveRoom},       {47, UserInfo},        {48, BannerInterval},
    {49, BannerPeriod},     {71, GameData},         {73, PreviewStop},     {74, PreviewState},
    {75, TumblixCells},     {76, TumblixRowAdded},  {77, TumblixRowRemoved}, {78, GameStarted},
    {81, VersionQuery},     {82, LogonPrompt},      {83, UpdateItem},      {84, GameEnded},
    {85, Banner},           {88, TumblixNumber},    {89, PuzzleNumber},    {90, GammonDice},
    {91, GammonDiceState},  {92, GammonMove},       {93, GammonUndo},      {94, PreviewEnd},
    {95, GammonCube},       {96, Cameras},          {99, Urls},            {100, PlayServerSound},
    {101, MenuTab},         {106, WebTabs},         {107, SetPrivileged},  {111, Options},
    {112, GameResult},      {113, Question},        {114, RatingChange},   {140, PuzzleShot},
    {142, PuzzleCellSet},   {143, PuzzleCellCleared}, {190, Tournament},   {255, LogonRefused},
};

std::array<THandler, 256> BuildTable() {
    std::array<THandler, 256> table{};
    for (const TEntry& entry : kEntries) table[static_cast<size_t>(entry.code)] = entry.handler;
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
    TMessageReader reader(message);
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
    long long value = NumberOr(number, 0);
    std::string sign = value < 0 ? "-" : "";
    long long magnitude = std::llabs(value);
    std::string text = sign + std::to_string(magnitude / 100);
    int cents = static_cast<int>(magnitude % 100);
    if (cents == 0) return text;
    std::string decimals = {static_cast<char>('0' + cents / 10), static_cast<char>('0' + cents % 10)};
    if (decimals[1] == '0') decimals.pop_back();
    return text + "." + decimals;
}
