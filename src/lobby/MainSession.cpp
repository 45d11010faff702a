// The lobby within the session: shown at the logon, the banners, and
// leaving the program by closing the lobby.
#include "controls/Myedit.h"
#include "graphics/Paint.h"
#include "lobby/ErrorBox.h"
#include "lobby/Main.h"
#include "net/Session.h"
#include "net/transport/Client.h"
#include "protocol/ClientMessages.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace {

constexpr int kMsPerSecond = 1000;

}  // namespace

void TChatform::ShowLobby() {
    Show();
    BringToFront();
    Focus();
    Paint()->Invalidate(TRect{0, 0, Width(), Height()});
    Paint()->Update();
}

void TChatform::FormShow() {
    Guarded([&] {
        if (ILogonWindow* logon = SessionWindows().Logon; logon && logon->Visible()) logon->Hide();
        m_bannerTimer->SetInterval(Session().BannerPeriodMs);
        m_bannerTimer->SetEnabled(true);
        Input()->Focus();
    });
}

// The lobby never closes by itself: the user confirms, and then the logon
// window closes, which ends the program, and so does the end of the
// session. A lost session ends the program through the dispatcher, which
// says so first.
bool TChatform::FormCloseQuery() {
    Guarded([&] { AskToLeave(); });
    return false;
}

void TChatform::AskToLeave() {
    const std::string question = Template("Closing", Session().Alias);
    if (MsgBox(question, "", mb::kYesNo, mb::No) != mb::Yes) return;
    if (auto* logon = dynamic_cast<TForm*>(SessionWindows().Logon)) logon->Close();
    // The end of the session (the dispatcher's reaction) then ends the
    // program without a box.
    Session().Leaving = true;
    if (TClient* client = Session().Client) client->Close();
}

// Banners ----------------------------------------------------------------------

void TChatform::SetBannerPeriod(int ms) {
    const bool running = m_bannerTimer->Enabled();
    m_bannerTimer->SetInterval(ms);
    if (!running) return;
    m_bannerTimer->SetEnabled(false);
    m_bannerTimer->SetEnabled(true);
}

void TChatform::RestartBannerTimer() {
    m_bannerTime = NowMs();
    m_bannerRequested = true;
    m_bannerTimer->SetEnabled(false);
    m_bannerTimer->SetEnabled(true);
}

// A switch of the user's makes the hidden browser visit the entry's URL and,
// unless one was asked for lately, asks for a new banner.
void TChatform::BannerOnUserChoice(int urlEntry) {
    const TSession& session = Session();
    if (session.BannerMinInterval == 0) return;
    const std::string& url = session.GameUrls[static_cast<size_t>(urlEntry)];
    if (!url.empty())
        if (IWebPanels* web = SessionWindows().Web) web->VisitHidden(url);
    const int64_t waited = NowMs() - m_bannerTime;
    if (!m_bannerRequested || waited > int64_t{session.BannerMinInterval} * kMsPerSecond) RequestBanner();
}

void TChatform::RequestBanner() {
    m_bannerTime = NowMs();
    m_bannerRequested = true;
    Send(protocol::Build(protocol::TBannerRequest{}));
}

void TChatform::FillFreePreviews() {
    if (ILobbyPreviews* previews = m_areas->Previews()) previews->FillFreeSlots();
}
