// The lobby window's construction, its texts and its way out to the server.
#include "lobby/Main.h"

#include "controls/Bar.h"
#include "controls/Charselect.h"
#include "controls/Chat.h"
#include "controls/Check.h"
#include "controls/Glide.h"
#include "controls/Multilist.h"
#include "controls/Myedit.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/Myimage.h"
#include "graphics/Myimagelist.h"
#include "graphics/Paint.h"
#include "graphics/Sound.h"
#include "lobby/ErrorBox.h"
#include "lobby/Game.h"
#include "lobby/Spam.h"
#include "lobby/Spamform.h"
#include "lobby/UserIcons.h"
#include "net/Dispatcher.h"
#include "net/Session.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace {

constexpr const char* kLobbyTexts[] = {
    "Deny",     "Private",   "Forum",     "Logoff",   "Logon",      "Closed",
    "Closing",  "Entering",  "Entering1", "Entering2", "Entering3", "Loggedin",
    "Nickchange", "Profileurl", "Webcamurl", "Hiscoreurl"};

// The counters' keys: key + "text" is the caption, key + "value" the number.
constexpr const char* kCounterKeys[] = {"Count", "Tumblix", "Bg", "Puzzle", "Yatzy"};
// The game buttons of the preview area, by game kind.
constexpr const char* kGameButtons[] = {"Tumbli", "Bg", "Puzzle", "Yatzy"};
// Menu tab 1 shows the game tables.
constexpr int kTablesArea = 1;

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

TChatform::TChatform() : TForm(kPainter) {
    // Sounds play from the start; the server's options may switch them off.
    SetSoundOn(true);
    m_slot = NewMsgBox(this, 0);
    ReadTexts();
    CreateButtons();
    CreateTabBars();
    CreateIcons();
    CreateChat();
    CreateUserArea();
    CreateAreaImages();
    CreateGameArea();
    CreateTableActions();
    CreateTables();
    CreateUserMenus();
    CreateRoomMenus();
    CreateInput();
    CreateTimers();
    ConnectSession();
    m_menuBar->Select(kStartArea);
    // The first-time hints are for new accounts: the registration clears
    // these again.
    TSession& session = Session();
    session.StartHelpShown = session.FirstHintShown = session.SecondHintShown = true;
}

TChatform::~TChatform() {
    m_lifetime.End();
    if (SessionWindows().Lobby == this) SessionWindows().Lobby = nullptr;
    if (m_games && SessionWindows().Tables == m_games.get()) SessionWindows().Tables = nullptr;
    SpamCheck().OnRefused = nullptr;
}

void TChatform::ReadTexts() {
    for (const char* key : kLobbyTexts) m_texts[key] = GetText(kTextSection, key);
    m_colorPrivate = SettingsFile().ReadInteger(kSection, "ColorPrivate", 0);
}

std::string TChatform::LobbyText(const std::string& key) const {
    auto it = m_texts.find(key);
    return it == m_texts.end() ? std::string() : it->second;
}

std::string TChatform::Template(const std::string& key, const std::string& argument) const {
    return FillPlaceholders(LobbyText(key), argument);
}

std::unique_ptr<TRollover> TChatform::MakeButton(const std::string& element,
                                                 void (TChatform::*action)()) {
    return std::make_unique<TRollover>(Paint(), kSection, element, [this, action](TRollover*) {
        Guarded([&] { (this->*action)(); });
    });
}

void TChatform::CreateButtons() {
    m_close = std::make_unique<TRollover>(Paint(), kSection, "Close",
                                          [this](TRollover*) { Guarded([&] { Close(); }); });
    m_minimi = std::make_unique<TRollover>(Paint(), kSection, "Minimi",
                                           [this](TRollover*) { Guarded([&] { Minimize(); }); });
    m_symbol = MakeButton("Symbol", &TChatform::OpenPicker);
    m_option = MakeButton("Option", &TChatform::OptionClicked);
    m_bigToggle = std::make_unique<TCheck>(Paint(), "Chatof,Chaton", "Chaton", kSection);
    m_bigToggle->OnChange = [this](TCheck* sender) {
        if (m_syncingToggle) return;
        Guarded([&] { SetBig(sender->Ticked()); });
    };
    m_close->Show();
    m_minimi->Show();
    m_symbol->Show();
    m_bigToggle->Show();
}

std::unique_ptr<TBar> TChatform::MakeRoomTabs(const std::string& key) {
    return std::make_unique<TBar>(
        Paint(), [this](TRollover* tab) { Guarded([&] { RoomTabSelected(tab); }); }, key, kSection);
}

void TChatform::CreateTabBars() {
    m_roomTabs = MakeRoomTabs("Rooms");
    m_menuBar = std::make_unique<TBar>(
        Paint(), [this](TRollover* tab) { Guarded([&] { Menuclick(tab); }); }, "Menu", kSection);
    std::string captions = GetText(kSection, "Menu");
    for (int area = 1; area <= kMenuAreas; ++area)
        m_menuBar->AddTab("Menu" + std::to_string(area), CutField(captions), area);
    // The game tables fill it with one tab per game kind.
    m_gamesBar = std::make_unique<TBar>(
        Paint(), [this](TRollover* tab) { Guarded([&] { GameTabSelected(tab); }); }, "GamesCreatedbar",
        kSection);
    m_roomTabs->Show();
    m_menuBar->Show();
}

void TChatform::CreateIcons() {
    m_icons = std::make_unique<TMyimagelist>(Paint(), 0, 0);
    // The image registry caches by lower-case name.
    for (const std::string& name : UserIconNames()) m_icons->Add(LowerCaseAscii(name));
}

void TChatform::CreateChat() {
    m_chat = std::make_unique<TChat>(
        Paint(),
        [this](TMultilist* list, int button, int y, int x, TShiftState) {
            Guarded([&] { ListClicked(*list, button, x, y); });
        },
        this, 0, kChatKey, kSection, m_roomTabs.get());
    m_chat->SetIconList(m_icons.get());
}

// Area 3: every user of the service (name, icon) with the counters.
void TChatform::CreateUserArea() {
    m_users = std::make_unique<TMultilist>(
        Paint(),
        [this](TMultilist* list, int button, int y, int x, TShiftState) {
            Guarded([&] { ListClicked(*list, button, x, y); });
        },
        this, "Users", kSection, 2);
    m_users->SetSortColumn(1);
    m_users->SetIconList(m_icons.get());
    for (size_t i = 0; i < m_counterTexts.size(); ++i) {
        const std::string key = kCounterKeys[i];
        m_counterTexts[i] = TText::CreateFromLayout(Paint(), key + "text", kSection);
        m_counterValues[i] = TText::CreateFromLayout(Paint(), key + "value", kSection);
        m_counterTexts[i]->Hide();
        m_counterValues[i]->Hide();
    }
}

// The backgrounds of the central areas, at [Chat] name = x, y, under every
// control of their area.
void TChatform::CreateAreaImages() {
    for (const char* name : {"menu1-2", "menu1", "menu2", "menu3", "menu5", "menu6"}) {
        auto image = std::make_unique<TMyimage>(Paint(), name);
        std::string place = SettingsFile().ReadString(kSection, name, "");
        int32_t x = 0, y = 0;
        if (!ParseInteger(CutField(place), x)) x = 0;
        if (!ParseInteger(CutField(place), y)) y = 0;
        image->MoveTo(x, y);
        image->SetLayer(-1);
        m_areaImages.push_back(std::move(image));
    }
}

// Area 2: the button of the chosen game opens the game chooser.
void TChatform::CreateGameArea() {
    for (size_t i = 0; i < m_gameButtons.size(); ++i)
        m_gameButtons[i] = MakeButton(kGameButtons[i], &TChatform::OpenGameChooser);
    m_gameChooser = std::make_unique<TGlide>(
        Paint(), true,
        [this](TRollover*, int column, int) { Guarded([&] { ChoosePreviewGame(column + 1); }); }, 1,
        2);
    m_gameChooser->AddItem("Tris", "Tumblix");
    m_gameChooser->AddItem("Gam", "Backgammon");
}

// The table buttons stay hidden until the game tables show them.
void TChatform::CreateTableActions() {
    m_create = MakeButton("create", &TChatform::CreateClicked);
    m_join = MakeButton("join", &TChatform::JoinClicked);
    m_del = MakeButton("Del", &TChatform::DelClicked);
    m_joinJa = MakeButton("joinJa", &TChatform::JoinJaClicked);
    m_top100 = MakeButton("Top100", &TChatform::Top100Clicked);
    for (size_t i = 0; i < m_pointsMenus.size(); ++i) {
        const TPointsMenu& menuDef = kPointsMenus[i];
        const int kind = static_cast<int>(i) + 1;
        auto menu = std::make_unique<TGlide>(
            Paint(), true,
            [this, kind](TRollover* item, int, int) {
                Guarded([&] { PointsChosen(kind, *item); });
            },
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
void TChatform::CreateTables() {
    m_games = std::make_unique<TGame>(
        Paint(),
        [this](TMultilist*, int, int, int, TShiftState) {
            Guarded([&] {
                if (m_previews) m_previews->GameClicked();
            });
        },
        this);
    TTableControls controls{m_create.get(), m_join.get(), m_del.get(), m_joinJa.get(), m_top100.get(),
                            m_areaImages[0].get(), m_areaImages[1].get(), m_icons.get()};
    constexpr const char* kNames[] = {"Tumblix", "Bg", "Puzzle", "Yatzy"};
    constexpr int kMaxPlayers[] = {2, 2, 2, 4};
    constexpr int kMinPlayers = 2;
    for (int kind = 1; kind <= kGameKinds; ++kind) {
        const size_t i = static_cast<size_t>(kind - 1);
        m_games->Setup(kind, kNames[i], controls, "Games", kSection, m_gamesBar.get(), kMaxPlayers[i], kMinPlayers);
    }
    m_games->Sender = [this](const std::string& message) { Send(message); };
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
void TChatform::GameTabSelected(TRollover* tab) {
    if (!tab || !m_games) return;
    SetCurrentGame(tab->Tag());
    if (m_menuState == kTablesArea && !m_big) m_games->ShowTablesByCaption(tab->Caption());
}

void TChatform::CreateUserMenus() {
    auto chosen = [this](TRollover* item, int, int) { Guarded([&] { UserMenuChosen(*item); }); };
    m_userMenu = std::make_unique<TGlide>(Paint(), true, chosen, 5, 1);
    m_userMenu->AddItem("Info", "Userinfo");
    m_userMenu->AddItem("Rum21", "Userprofil");
    m_userMenu->AddItem("Ignore", "Userignore");
    m_userMenu->AddItem("Person", "Userprivate");
    m_userMenu->AddItem("Forum", "Userforum");
    m_ownMenu = std::make_unique<TGlide>(Paint(), true, chosen, 1, 1);
    m_ownMenu->AddItem("Info", "Userinfo");
}

void TChatform::CreateRoomMenus() {
    auto chosen = [this](TRollover*, int, int) { Guarded([&] { RoomMenuChosen(); }); };
    m_deleteMenu = std::make_unique<TGlide>(Paint(), true, chosen, 1, 1);
    m_deleteMenu->AddItem("Perdel", "Chatdelete");
    m_logoffMenu = std::make_unique<TGlide>(Paint(), true, chosen, 1, 1);
    m_logoffMenu->AddItem("Perdel", "Chatlogoff");
}

void TChatform::CreateInput() {
    m_edit = std::make_unique<TMyedit>(Paint(), 0, "Chatedit", kSection);
    m_editBig = std::make_unique<TMyedit>(Paint(), 0, "Chateditbig", kSection);
    for (TMyedit* edit : {m_edit.get(), m_editBig.get()}) edit->SetColoursAllowed(true);
    m_edit->Show();
    m_edit->Focus();
    m_picker = std::make_unique<TCharselect>(
        "font" + std::to_string(kSymbolColour), "",
        [this](TCharselect*, uint8_t code) { Guarded([&] { Picked(code); }); }, this);
}

void TChatform::CreateTimers() {
    m_bannerTimer = std::make_unique<TMyTimer>();
    m_bannerTimer->SetInterval(Session().BannerPeriodMs);
    m_bannerTimer->OnTimer = [this](TMyTimer*) { Guarded([&] { BannerTimerFired(); }); };
}

// A line the spam check refuses brings up the spam window over the chat.
void TChatform::ConnectSession() {
    SessionWindows().Lobby = this;
    SpamCheck().OnRefused = [this](TSpamCheck*) {
        Guarded([&] {
            TSpamform* spam = nullptr;
            for (TForm* form : TForm::All())
                if (!spam) spam = dynamic_cast<TSpamform*>(form);
            TChatroom* room = CurrentChatroom();
            if (!spam || !room) return;
            spam->ShowAt(Left() + room->Text()->X(), Top() + room->Text()->Y());
        });
    };
}

void TChatform::Send(const std::string& message) {
    if (Sender)
        Sender(message);
    else
        SendToServer(message);
}

void TChatform::AddSystemLine(int roomId, const std::string& text) {
    m_chat->AddText(roomId, kSystemNameColour, text, kSystemTextColour);
}

TMyedit* TChatform::Input() const { return m_big ? m_editBig.get() : m_edit.get(); }

TText* TChatform::CounterValue(int index) const {
    if (index < 0 || index > kGameKinds) return nullptr;
    return m_counterValues[static_cast<size_t>(index)].get();
}

TText* TChatform::CounterText(int index) const {
    if (index < 0 || index > kGameKinds) return nullptr;
    return m_counterTexts[static_cast<size_t>(index)].get();
}

TGlide* TChatform::RoomMenu(int kind) const {
    if (kind == kPrivateRoom || kind == kForumRoom) return m_deleteMenu.get();
    if (kind == kLogoffRoom) return m_logoffMenu.get();
    return nullptr;
}

TGlide* TChatform::PointsMenu(int kind) const {
    if (kind < 1 || kind > kGameKinds) return nullptr;
    return m_pointsMenus[static_cast<size_t>(kind - 1)].get();
}

TRollover* TChatform::GameButton(int kind) const {
    if (kind < 1 || kind > kGameKinds) return nullptr;
    return m_gameButtons[static_cast<size_t>(kind - 1)].get();
}

TMyimage* TChatform::AreaImage(const std::string& name) const {
    for (const auto& image : m_areaImages)
        if (SameTextAscii(image->Name(), name)) return image.get();
    return nullptr;
}
