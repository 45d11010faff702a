// The dialog codes (hiscores, user information, account data), the update
// download and the operator's upload, and the web panels with the URLs.
#include <cstdint>

#include "controls/MsgBoxes.h"
#include "net/DispatchCodes.h"
#include "net/Session.h"

namespace dispatch {
namespace {

constexpr char kOperatorAlias[] = "Sysop";
constexpr int kUrlEntries = 7;
constexpr int kBannerPlaces = 3;
// The banner whose load restarts the lobby's banner timer.
constexpr int kTimedBanner = 2;

TGameStatistics ReadStatistics(TMessageReader& m) {
    TGameStatistics game;
    game.Won = m.Number(0);
    game.Lost = m.Number(0);
    game.Dropped = m.Number(0);
    game.Place = m.Field();
    game.Score = m.Field();
    // In 64 bits: three counts from the server cannot overflow the sum.
    long long games = static_cast<long long>(game.Won) + game.Lost + game.Dropped;
    game.Games = games > INT32_MAX ? INT32_MAX : games < INT32_MIN ? INT32_MIN : static_cast<int>(games);
    return game;
}

TWebTab ReadWebTab(TMessageReader& m) {
    TWebTab tab;
    tab.Title = m.Field();
    tab.Prefix = m.Field();
    tab.Url = m.Field();
    tab.Refresh = m.Number(0);
    tab.CameraUrl = m.Field();
    return tab;
}

void AfterAccountEdit(const TAccountData& account, const IRegistrationWindow& registration) {
    TSessionWindows& windows = SessionWindows();
    if (windows.Lobby) windows.Lobby->SetEnabled(true);
    if (windows.Options && windows.Options->Visible()) windows.Options->Focus();
    if (!Session().RegisterCancelled) SendToServer(registration.AccountUpdate(!account.BirthdayComplete()));
}

}  // namespace

void Hiscores(TMessageReader& m) {
    THiscoreList list;
    list.MyName = m.Field();
    list.MyScore = m.Field();
    list.MyPlace = m.Field();
    while (!m.AtEnd()) {
        std::array<std::string, 3> row;
        for (std::string& cell : row) cell = m.Field();
        list.Rows.push_back(row);
    }
    if (IHiscoreWindow* window = SessionWindows().Hiscore) window->ShowHiscores(list);
}

void FileChunk(TMessageReader& m) {
    IUpdate* update = SessionWindows().Update;
    int length = m.Number(0);
    TFileChunk chunk;
    chunk.HasSize = !(update && update->TransferOpen());
    if (chunk.HasSize) chunk.Size = m.Number(0);
    chunk.Data = m.Bytes(length);
    if (update) update->AddChunk(chunk);
}

void UploadRequest(TMessageReader&) {
    if (Session().Alias != kOperatorAlias) return;
    if (IUpload* upload = SessionWindows().Upload) upload->SendNextChunk();
}

void AccountData(TMessageReader& m) {
    TAccountData account;
    account.Year = m.Number(0);
    account.Month = m.Number(0);
    account.Day = m.Number(0);
    account.Gender = m.Number(0);
    account.Face = m.Number(0);
    IRegistrationWindow* registration = SessionWindows().Registration;
    if (!registration) return;
    CloseMsgBox(0);
    registration->EditAccount(account);
    AfterAccountEdit(account, *registration);
}

void UserInfo(TMessageReader& m) {
    TUserInfo info;
    info.Name = m.Field();
    info.Date = m.Field();
    info.Time = m.Field();
    info.LoginCount = m.Field();
    info.Ping = m.Field();
    for (TGameStatistics& game : info.Games) game = ReadStatistics(m);
    if (IInfoWindow* window = SessionWindows().Info) window->ShowUserInfo(info);
}

void UpdateItem(TMessageReader& m) {
    std::string item = m.Field();
    if (IUpdate* update = SessionWindows().Update) update->AddItem(item);
}

void Banner(TMessageReader& m) {
    int place = m.Byte();
    std::string url = m.Field();
    if (place < 1 || place > kBannerPlaces) return;
    if (IWebPanels* web = SessionWindows().Web) web->LoadBanner(place, url);
    if (ILobbyWindow* lobby = SessionWindows().Lobby; lobby && place == kTimedBanner)
        lobby->RestartBannerTimer();
}

void Cameras(TMessageReader& m) {
    bool on = m.Byte() == 1;
    if (IWebPanels* web = SessionWindows().Web) web->SetCameras(on);
}

void Urls(TMessageReader& m) {
    int entry = m.Byte();
    std::string url = m.Field();
    if (entry < 1 || entry > kUrlEntries) return;
    Session().GameUrls[static_cast<size_t>(entry)] = url;
    if (IWebPanels* web = SessionWindows().Web; web && entry == 1) web->VisitHidden(url);
}

void WebTabs(TMessageReader& m) {
    TWebTabs tabs;
    tabs.Area = m.Number(0);
    while (!m.AtEnd()) tabs.Tabs.push_back(ReadWebTab(m));
    if (tabs.Area != 1 && tabs.Area != 2) return;
    if (IWebPanels* web = SessionWindows().Web) web->SetWebTabs(tabs);
}

}  // namespace dispatch
