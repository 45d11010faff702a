// The lobby's menu bar and its five central areas (1 game tables, 2 game
// previews, 3 all users with the counters, 4 and 5 the web areas), the
// banner requests a user's switch brings, and the buttons of the areas.
#include "controls/Bar.h"
#include "controls/Glide.h"
#include "controls/Multilist.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/Myimage.h"
#include "lobby/Main.h"
#include "net/Session.h"
#include "protocol/ClientMessages.h"
#include "resources/StrFuncs.h"
#include "shell/MyTimer.h"

namespace {

constexpr int kTablesArea = 1, kPreviewArea = 2, kUsersArea = 3;
// Menu tabs 4 and 5 are web areas 1 and 2.
constexpr int kFirstWebTab = 4;
constexpr int kMsPerSecond = 1000;

// The images under each area (index 0 unused), by their place in
// CreateAreaImages: "menu1-2", "menu1", "menu2", "menu3", "menu5", "menu6".
// Area 1 shows one of its two panels, which the game tables choose.
const std::vector<size_t> kAreaImages[] = {{}, {}, {0, 2}, {3}, {4}, {5}};

}  // namespace

// Switching areas ----------------------------------------------------------------

void TChatform::Menuclick(TRollover* tab) {
    const int area = tab ? tab->Tag() : 0;
    if (area < 1 || area > kMenuAreas) return;
    if (m_menuBar->UserAction() && area != m_menuState) BannerOnUserChoice(kMenuUrlEntry);
    LeaveArea(m_menuState);
    m_menuState = area;
    // In big-chat mode the area stays hidden until the mode is left.
    if (!m_big) EnterArea(area);
}

void TChatform::SelectMenuTab(int tab) {
    if (tab >= 1 && tab <= m_menuBar->Count()) m_menuBar->Select(tab);
}

void TChatform::LeaveArea(int area) {
    ShowAreaImages(area, false);
    switch (area) {
        case kTablesArea:
            if (m_tables) m_tables->HideTables();
            m_top100->Hide();
            break;
        case kPreviewArea:
            for (auto& button : m_gameButtons) button->Hide();
            if (m_tables) {
                m_tables->HideTables();
                m_tables->HideGames();
            }
            if (m_previews) m_previews->HideStrip();
            break;
        case kUsersArea:
            m_users->Hide();
            ShowCounters(false);
            m_option->Hide();
            break;
        default:
            if (area >= kFirstWebTab && m_web) m_web->CloseArea(area - kFirstWebTab + 1);
            break;
    }
}

void TChatform::EnterArea(int area) {
    ShowAreaImages(area, true);
    switch (area) {
        case kTablesArea:
            if (m_tables) m_tables->ShowTables(m_currentGame);
            m_top100->Show();
            GameHelpOnce();
            break;
        case kPreviewArea:
            GameButton(m_previewGame)->Show();
            if (m_tables) m_tables->ShowGames(m_previewGame);
            if (m_previews) {
                m_previews->ShowStrip();
                m_previews->FillFreeSlots();
            }
            break;
        case kUsersArea:
            m_users->Show();
            ShowCounters(true);
            m_option->Show();
            break;
        default:
            if (area >= kFirstWebTab && m_web) m_web->OpenArea(area - kFirstWebTab + 1);
            break;
    }
}

void TChatform::ShowAreaImages(int area, bool show) {
    if (area < 1 || area > kMenuAreas) return;
    for (size_t index : kAreaImages[area]) {
        TMyimage& image = *m_areaImages[index];
        if (show)
            image.Show();
        else
            image.Hide();
    }
}

void TChatform::ShowCounters(bool show) {
    for (auto* labels : {&m_counterTexts, &m_counterValues}) {
        for (auto& label : *labels) {
            if (show)
                label->Show();
            else
                label->Hide();
        }
    }
}

// The first visit to the tables explains them once, for a new account.
void TChatform::GameHelpOnce() {
    if (Session().FirstHintShown) return;
    Session().FirstHintShown = true;
    MsgBox("Gamehelp", "Help", mb::kOk, mb::Ok);
}

void TChatform::SetCurrentGame(int kind) {
    if (kind >= 1 && kind <= kGameKinds) m_currentGame = kind;
}

// Banners ------------------------------------------------------------------------

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

// The preview area's game -------------------------------------------------------------

void TChatform::SetPreviews(ILobbyPreviews* previews) {
    m_previews = previews;
    if (m_previews && m_menuState == kPreviewArea && !m_big) m_previews->ShowStrip();
}

void TChatform::OpenGameChooser() {
    TRollover* button = GameButton(m_previewGame);
    m_gameChooser->Popup(button->X(), button->Y());
}

void TChatform::ChoosePreviewGame(int kind) {
    if (kind < 1 || kind > m_gameChooser->Count()) return;
    m_previewGame = kind;
    if (m_menuState != kPreviewArea || m_big) return;
    for (auto& button : m_gameButtons) button->Hide();
    GameButton(kind)->Show();
    if (!m_tables) return;
    m_tables->HideGames();
    m_tables->ShowGames(kind);
}

// The table buttons ----------------------------------------------------------------

void TChatform::CreateClicked() {
    if (Session().GameRunning) return;
    PointsMenu(m_currentGame)->Popup(m_create->X(), m_create->Y());
}

// The points are the item's caption up to its first blank.
void TChatform::PointsChosen(int kind, const TRollover& item) {
    const std::string& caption = item.Caption();
    const std::string points = caption.substr(0, caption.find(' '));
    Send(protocol::Build(protocol::TCreateTable{kind, points}));
}

void TChatform::JoinClicked() {
    if (Session().GameRunning || !m_tables) return;
    const std::string owner = m_tables->SelectedCreator();
    if (owner.empty() || owner == Session().Alias) return;
    Send(protocol::Build(protocol::TAskToJoin{m_currentGame, owner}));
}

void TChatform::DelClicked() { Send(protocol::Build(protocol::TWithdrawTable{m_currentGame})); }

void TChatform::JoinJaClicked() {
    if (!m_tables) return;
    const auto joiners = protocol::SplitFields(m_tables->ChosenJoiners(), protocol::TStartTable::kMaxJoiners);
    Send(protocol::Build(protocol::TStartTable{m_currentGame, joiners}));
}

// Without a hiscore web page the zone's own lists show in the hiscore
// window, at the current game.
void TChatform::Top100Clicked() {
    const std::string page = LobbyText("Hiscoreurl");
    if (page.empty() || !m_web) {
        if (OnHiscores) OnHiscores(m_currentGame);
        return;
    }
    const std::string url = page + "&Game=" + std::to_string(m_currentGame + 1) + "&Alias=" + m_selectedUser +
                            "&Popup=true";
    constexpr int kWidth = 300, kHeight = 500;
    m_web->OpenWebWindow(url, kWidth, kHeight, true);
}

void TChatform::OptionClicked() {
    if (OnOptions) OnOptions();
}
