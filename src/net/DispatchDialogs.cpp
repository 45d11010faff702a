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

void AfterAccountEdit(const TAccountData& account, const IRegistrationWindow& registration) {
    TSessionWindows& windows = SessionWindows();
    if (windows.Lobby) windows.Lobby->SetEnabled(true);
    if (windows.Options && windows.Options->Visible()) windows.Options->Focus();
    if (!Session().RegisterCancelled) SendToServer(registration.AccountUpdate(!account.BirthdayComplete()));
}

}  // namespace

void Hiscores(TReader& m) {
    auto list = ReadAs<THiscoreList>(m);
    if (IHiscoreWindow* window = SessionWindows().Hiscore) window->ShowHiscores(list);
}

void FileChunk(TReader& m) {
    IUpdate* update = SessionWindows().Update;
    TFileChunk chunk;
    chunk.HasSize = !(update && update->TransferOpen());
    protocol::Read(m, chunk);
    if (update) update->AddChunk(chunk);
}

void UploadRequest(TReader&) {
    if (Session().Alias != kOperatorAlias) return;
    if (IUpload* upload = SessionWindows().Upload) upload->SendNextChunk();
}

void AccountData(TReader& m) {
    auto account = ReadAs<TAccountData>(m);
    IRegistrationWindow* registration = SessionWindows().Registration;
    if (!registration) return;
    CloseMsgBox(0);
    registration->EditAccount(account);
    AfterAccountEdit(account, *registration);
}

void UserInfo(TReader& m) {
    auto info = ReadAs<TUserInfo>(m);
    if (IInfoWindow* window = SessionWindows().Info) window->ShowUserInfo(info);
}

void UpdateItem(TReader& m) {
    std::string item = ReadAs<protocol::TUpdateItem>(m).Item;
    if (IUpdate* update = SessionWindows().Update) update->AddItem(item);
}

void Banner(TReader& m) {
    auto banner = ReadAs<protocol::TBanner>(m);
    if (banner.Place < 1 || banner.Place > kBannerPlaces) return;
    if (IWebPanels* web = SessionWindows().Web) web->LoadBanner(banner.Place, banner.Url);
    if (ILobbyWindow* lobby = SessionWindows().Lobby; lobby && banner.Place == kTimedBanner)
        lobby->RestartBannerTimer();
}

void Cameras(TReader& m) {
    bool on = ReadAs<protocol::TCameras>(m).On;
    if (IWebPanels* web = SessionWindows().Web) web->SetCameras(on);
}

void Urls(TReader& m) {
    auto url = ReadAs<protocol::TUrl>(m);
    if (url.Entry < 1 || url.Entry > kUrlEntries) return;
    Session().GameUrls[static_cast<size_t>(url.Entry)] = url.Url;
    if (IWebPanels* web = SessionWindows().Web; web && url.Entry == 1) web->VisitHidden(url.Url);
}

void WebTabs(TReader& m) {
    auto tabs = ReadAs<TWebTabs>(m);
    if (tabs.Area != 1 && tabs.Area != 2) return;
    if (IWebPanels* web = SessionWindows().Web) web->SetWebTabs(tabs);
}

}  // namespace dispatch
