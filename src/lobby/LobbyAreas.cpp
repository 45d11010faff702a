// The lobby's menu bar and its five central areas (1 game tables, 2 game
// previews, 3 all users with the counters, 4 and 5 the web areas), and the
// buttons of the areas.
#include "lobby/LobbyAreas.h"

#include "controls/Bar.h"
#include "controls/Glide.h"
#include "controls/Multilist.h"
#include "controls/Rollover.h"
#include "graphics/Myimage.h"
#include "graphics/Paint.h"
#include "lobby/ErrorBox.h"
#include "lobby/Game.h"
#include "lobby/Main.h"
#include "net/Session.h"
#include "protocol/ClientMessages.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

constexpr int kTablesArea = 1, kPreviewArea = 2, kUsersArea = 3;
// Menu tabs 4 and 5 are web areas 1 and 2.
constexpr int kFirstWebTab = 4;

// The images under each area (index 0 unused), by their place in
// CreateAreaImages: "menu1-2", "menu1", "menu2", "menu3", "menu5", "menu6".
// Area 1 shows one of its two panels, which the game tables choose.
const std::vector<size_t> kAreaImages[] = {{}, {}, {0, 2}, {3}, {4}, {5}};

// The game buttons of the preview area, by game kind.
constexpr const char* kGameButtons[] = {"Tumbli", "Bg", "Puzzle", "Yatzy"};

struct TPointsMenu {
    const char* section;
    const char* element;
    const char* textKey;
    std::vector<const char*> points;
    int rows, columns;
};

// The create menus by game kind; an item's caption is its points, a blank
// and the text.
const TPointsMenu kPointsMenus[] = {
    {"Glidetumblix", "Tumpoi", "Tumblixpoint", {"3", "5", "1", "2"}, 1, 4},
    {"Glidegammon", "Gampoi", "Gammonpoint", {"7", "9", "11", "1", "3", "5"}, 2, 3},
    {"Glidepuzzle", "Puzpoi", "Puzzlepoint", {"3", "5", "1", "2"}, 1, 4},
    {"GlideYatzy", "Yatpoi", "Yatzypoint", {"3", "5", "1", "2"}, 1, 4},
};

}  // namespace

TLobbyAreas::TLobbyAreas(TChatform& lobby) : m_lobby(lobby) {
    m_option = MakeButton("Option", &TLobbyAreas::OptionClicked);
    CreateMenuBar();
    CreateAreaImages();
    CreateGameArea();
    CreateTableActions();
    CreateTables();
}

TLobbyAreas::~TLobbyAreas() {
    if (m_games && SessionWindows().Tables == m_games.get()) SessionWindows().Tables = nullptr;
}

std::unique_ptr<TRollover> TLobbyAreas::MakeButton(const std::string& element,
                                                   void (TLobbyAreas::*action)()) {
    return std::make_unique<TRollover>(m_lobby.Paint(), TChatform::kSection, element,
                                       [this, action](TRollover*) { Guarded([&] { (this->*action)(); }); });
}

void TLobbyAreas::CreateMenuBar() {
    m_menuBar = std::make_unique<TBar>(
        m_lobby.Paint(), [this](TRollover* tab) { Guarded([&] { Menuclick(tab); }); }, "Menu",
        TChatform::kSection);
    std::string captions = GetText(TChatform::kSection, "Menu");
    for (int area = 1; area <= kMenuAreas; ++area)
        m_menuBar->AddTab("Menu" + std::to_string(area), CutField(captions), area);
    // The game tables fill it with one tab per game kind.
    m_gamesBar = std::make_unique<TBar>(
        m_lobby.Paint(), [this](TRollover* tab) { Guarded([&] { GameTabSelected(tab); }); }, "GamesCreatedbar",
        TChatform::kSection);
    m_menuBar->Show();
}

// The backgrounds of the central areas, at [Chat] name = x, y, under every
// control of their area.
void TLobbyAreas::CreateAreaImages() {
    for (const char* name : {"menu1-2", "menu1", "menu2", "menu3", "menu5", "menu6"}) {
        auto image = std::make_unique<TMyimage>(m_lobby.Paint(), name);
        std::string place = SettingsFile().ReadString(TChatform::kSection, name, "");
        int32_t x = 0, y = 0;
        if (!ParseInteger(CutField(place), x)) x = 0;
        if (!ParseInteger(CutField(place), y)) y = 0;
        image->MoveTo(x, y);
        image->SetLayer(-1);
        m_areaImages.push_back(std::move(image));
    }
}

// Area 2: the button of the chosen game opens the game chooser.
void TLobbyAreas::CreateGameArea() {
    for (size_t i = 0; i < m_gameButtons.size(); ++i)
        m_gameButtons[i] = MakeButton(kGameButtons[i], &TLobbyAreas::OpenGameChooser);
    m_gameChooser = std::make_unique<TGlide>(
        m_lobby.Paint(), true,
        [this](TRollover*, int column, int) { Guarded([&] { ChoosePreviewGame(column + 1); }); }, 1, 2);
    m_gameChooser->AddItem("Tris", "Tumblix");
    m_gameChooser->AddItem("Gam", "Backgammon");
}

// The table buttons stay hidden until the game tables show them.
void TLobbyAreas::CreateTableActions() {
    m_create = MakeButton("create", &TLobbyAreas::CreateClicked);
    m_join = MakeButton("join", &TLobbyAreas::JoinClicked);
    m_del = MakeButton("Del", &TLobbyAreas::DelClicked);
    m_joinJa = MakeButton("joinJa", &TLobbyAreas::JoinJaClicked);
    m_top100 = MakeButton("Top100", &TLobbyAreas::Top100Clicked);
    for (size_t i = 0; i < m_pointsMenus.size(); ++i) {
        const TPointsMenu& menuDef = kPointsMenus[i];
        const int kind = static_cast<int>(i) + 1;
        auto menu = std::make_unique<TGlide>(
            m_lobby.Paint(), true,
            [this, kind](TRollover* item, int, int) { Guarded([&] { PointsChosen(kind, *item); }); },
            menuDef.rows, menuDef.columns, menuDef.section);
        for (const char* points : menuDef.points) {
            menu->AddItem(menuDef.element, menuDef.textKey);
            TRollover* item = menu->Item(menu->Count() - 1);
            item->SetCaption(std::string(points) + " " + item->Caption());
        }
        m_pointsMenus[i] = std::move(menu);
    }
}

// The chain of the four kinds, in the order of the games tab bar. The
// running games' clicks go to the previews once they are registered.
void TLobbyAreas::CreateTables() {
    m_games = std::make_unique<TGame>(
        m_lobby.Paint(),
        [this](TMultilist*, int, int, int, TShiftState) {
            Guarded([&] {
                if (m_previews) m_previews->GameClicked();
            });
        },
        &m_lobby);
    TTableControls controls{m_create.get(),        m_join.get(),          m_del.get(),
                            m_joinJa.get(),        m_top100.get(),        m_areaImages[0].get(),
                            m_areaImages[1].get(), m_lobby.UserIcons()};
    constexpr const char* kNames[] = {"Tumblix", "Bg", "Puzzle", "Yatzy"};
    constexpr int kMaxPlayers[] = {2, 2, 2, 4};
    constexpr int kMinPlayers = 2;
    for (int kind = 1; kind <= kGameKinds; ++kind) {
        const size_t i = static_cast<size_t>(kind - 1);
        m_games->Setup(kind, kNames[i], controls, "Games", TChatform::kSection, m_gamesBar.get(), kMaxPlayers[i],
                       kMinPlayers);
    }
    m_games->Sender = [this](const std::string& message) { m_lobby.Send(message); };
    // The first own table is explained once, to a new account.
    m_games->HelpWanted = [] {
        TSession& session = Session();
        const bool wanted = !session.SecondHintShown;
        session.SecondHintShown = true;
        return wanted;
    };
    SetTables(m_games.get());
    SessionWindows().Tables = m_games.get();
}

// The tab's key is its game kind.
void TLobbyAreas::GameTabSelected(TRollover* tab) {
    if (!tab || !m_games) return;
    SetCurrentGame(tab->Tag());
    if (m_menuState == kTablesArea && !m_lobby.Big()) m_games->ShowTablesByCaption(tab->Caption());
}

// Elements ------------------------------------------------------------------------

TGlide* TLobbyAreas::PointsMenu(int kind) const {
    if (kind < 1 || kind > kGameKinds) return nullptr;
    return m_pointsMenus[static_cast<size_t>(kind - 1)].get();
}

TRollover* TLobbyAreas::GameButton(int kind) const {
    if (kind < 1 || kind > kGameKinds) return nullptr;
    return m_gameButtons[static_cast<size_t>(kind - 1)].get();
}

TMyimage* TLobbyAreas::AreaImage(const std::string& name) const {
    for (const auto& image : m_areaImages)
        if (SameTextAscii(image->Name(), name)) return image.get();
    return nullptr;
}

// Switching areas ----------------------------------------------------------------

void TLobbyAreas::Menuclick(TRollover* tab) {
    const int area = tab ? tab->Tag() : 0;
    if (area < 1 || area > kMenuAreas) return;
    if (m_menuBar->UserAction() && area != m_menuState) m_lobby.BannerOnUserChoice(TChatform::kMenuUrlEntry);
    LeaveArea(m_menuState);
    m_menuState = area;
    // In big-chat mode the area stays hidden until the mode is left.
    if (!m_lobby.Big()) EnterArea(area);
}

void TLobbyAreas::SelectMenuTab(int tab) {
    if (tab >= 1 && tab <= m_menuBar->Count()) m_menuBar->Select(tab);
}

void TLobbyAreas::SetShown(bool shown) {
    if (shown) {
        m_menuBar->Show();
        EnterArea(m_menuState);
    } else {
        LeaveArea(m_menuState);
        m_menuBar->Hide();
    }
}

void TLobbyAreas::ShowCameraArea() {
    if (!m_menuBar->Visible() || !m_web) return;
    for (int area = 1; area <= 2; ++area) {
        if (m_web->SelectCameraTab(area)) {
            m_menuBar->Select(area + kFirstWebTab - 1);
            return;
        }
    }
}

void TLobbyAreas::LeaveArea(int area) {
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
            m_lobby.UserPanel().ShowPanel(false);
            m_option->Hide();
            break;
        default:
            if (area >= kFirstWebTab && m_web) m_web->CloseArea(area - kFirstWebTab + 1);
            break;
    }
}

void TLobbyAreas::EnterArea(int area) {
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
            m_lobby.UserPanel().ShowPanel(true);
            m_option->Show();
            break;
        default:
            if (area >= kFirstWebTab && m_web) m_web->OpenArea(area - kFirstWebTab + 1);
            break;
    }
}

void TLobbyAreas::ShowAreaImages(int area, bool show) {
    if (area < 1 || area > kMenuAreas) return;
    for (size_t index : kAreaImages[area]) {
        TMyimage& image = *m_areaImages[index];
        if (show)
            image.Show();
        else
            image.Hide();
    }
}

// The first visit to the tables explains them once, for a new account.
void TLobbyAreas::GameHelpOnce() {
    if (Session().FirstHintShown) return;
    Session().FirstHintShown = true;
    MsgBox("Gamehelp", "Help", mb::kOk, mb::Ok);
}

void TLobbyAreas::SetCurrentGame(int kind) {
    if (kind >= 1 && kind <= kGameKinds) m_currentGame = kind;
}

// The preview area's game -------------------------------------------------------------

void TLobbyAreas::SetPreviews(ILobbyPreviews* previews) {
    m_previews = previews;
    if (m_previews && m_menuState == kPreviewArea && !m_lobby.Big()) m_previews->ShowStrip();
}

void TLobbyAreas::OpenGameChooser() {
    TRollover* button = GameButton(m_previewGame);
    m_gameChooser->Popup(button->X(), button->Y());
}

void TLobbyAreas::ChoosePreviewGame(int kind) {
    if (kind < 1 || kind > m_gameChooser->Count()) return;
    m_previewGame = kind;
    if (m_menuState != kPreviewArea || m_lobby.Big()) return;
    for (auto& button : m_gameButtons) button->Hide();
    GameButton(kind)->Show();
    if (!m_tables) return;
    m_tables->HideGames();
    m_tables->ShowGames(kind);
}

// The table buttons ----------------------------------------------------------------

void TLobbyAreas::CreateClicked() {
    if (Session().GameRunning) return;
    PointsMenu(m_currentGame)->Popup(m_create->X(), m_create->Y());
}

// The points are the item's caption up to its first blank.
void TLobbyAreas::PointsChosen(int kind, const TRollover& item) {
    const std::string& caption = item.Caption();
    const std::string points = caption.substr(0, caption.find(' '));
    m_lobby.Send(protocol::Build(protocol::TCreateTable{kind, points}));
}

void TLobbyAreas::JoinClicked() {
    if (Session().GameRunning || !m_tables) return;
    const std::string owner = m_tables->SelectedCreator();
    if (owner.empty() || owner == Session().Alias) return;
    m_lobby.Send(protocol::Build(protocol::TAskToJoin{m_currentGame, owner}));
}

void TLobbyAreas::DelClicked() { m_lobby.Send(protocol::Build(protocol::TWithdrawTable{m_currentGame})); }

void TLobbyAreas::JoinJaClicked() {
    if (!m_tables) return;
    const auto joiners = protocol::SplitFields(m_tables->ChosenJoiners(), protocol::TStartTable::kMaxJoiners);
    m_lobby.Send(protocol::Build(protocol::TStartTable{m_currentGame, joiners}));
}

// Without a hiscore web page the zone's own lists show in the hiscore
// window, at the current game.
void TLobbyAreas::Top100Clicked() {
    const std::string page = m_lobby.LobbyText("Hiscoreurl");
    if (page.empty() || !m_web) {
        if (m_lobby.OnHiscores) m_lobby.OnHiscores(m_currentGame);
        return;
    }
    const std::string url = page + "&Game=" + std::to_string(m_currentGame + 1) +
                            "&Alias=" + m_lobby.SelectedUser() + "&Popup=true";
    constexpr int kWidth = 300, kHeight = 500;
    m_web->OpenWebWindow(url, kWidth, kHeight, true);
}

void TLobbyAreas::OptionClicked() {
    if (m_lobby.OnOptions) m_lobby.OnOptions();
}
