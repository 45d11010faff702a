// Building the gallery's controls; the live data and the answers to the
// user are in GalleryLive.cpp.
#include "Galleryform.h"

#include "GalleryLayout.h"
#include "SkinCheck.h"
#include "controls/Bar.h"
#include "controls/Charselect.h"
#include "controls/Chat.h"
#include "controls/Check.h"
#include "controls/Column.h"
#include "controls/Countdown.h"
#include "controls/Glide.h"
#include "controls/Keys.h"
#include "controls/Multilist.h"
#include "controls/Myedit.h"
#include "controls/Progress.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/Myimagelist.h"
#include "graphics/Paint.h"
#include "graphics/Sound.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

using gallery::kSection;

namespace {

// The rooms of the chat, one tab each: more than the bar shows at a time,
// so its arrows have work. Kinds as the lobby has them: 0 private, 1 forum,
// 2 and 3 public, 5 without user list.
struct TRoomSeed {
    int id, kind;
    const char* caption;
};
constexpr TRoomSeed kRooms[] = {
    {1, 2, "Lobby"},   {2, 2, "Newcomers"}, {3, 0, "Ann"},  {4, 3, "Tumblix"},
    {5, 3, "Backgammon"}, {6, 3, "Puzzle"},  {7, 3, "Yatzy"}, {8, 5, "Help"},
    {9, 2, "Quiz"},    {10, 2, "Night owls"}, {11, 0, "Bob"}, {12, 1, "Fans"},
};

// The lobby's tab prefixes: "Person" for private rooms, "Forum" for forums,
// and the chat's own fallback "forum" for the rest.
const char* TabElement(int kind) { return kind == 0 ? "Person" : kind == 1 ? "Forum" : "forum"; }

// The lobby's 41 user icons, in the order their numbers count.
std::vector<std::string> UserIconNames() {
    std::vector<std::string> names;
    for (const char* suffix : {"_gla", "", "_new", "_mut", "_zzz", "_psy"})
        for (const char* prefix : {"Gir", "Boy"})
            for (int digit = 1; digit <= 3; ++digit)
                names.push_back(prefix + std::to_string(digit) + suffix);
    names.push_back("Neutral");
    for (int game = 1; game <= 4; ++game) names.push_back("SGame" + std::to_string(game));
    return names;
}

constexpr const char* kToggleKeys[] = {"Playsounds", "Whispers", "Privates"};
constexpr int kMenuTabs = 5;
constexpr char kMenuCaptions[] = "Tables,Watch,People,News,Web";
constexpr int kColumnCount = 3;
constexpr int kPointsItems[] = {3, 5, 1, 2};
// Where the symbol picker opens, in the window: over the user list, its
// bottom just above the chat line.
constexpr int kPickerX = 700, kPickerBottom = 566;

}  // namespace

TGalleryform::TGalleryform(TSkinCheck& skin) : TForm(kBackground), m_skin(skin) {
    m_scrollbars = m_skin.All("scroll bars", {"Listupon", "Listupof", "Listdoon", "Listdoof"});
    m_blinks = m_skin.All("blinking", {"Blinkon", "Blinkof"});
    m_arrows = m_skin.All("tab bar arrows", {"Barleon", "Barleof", "Barrigon", "Barrigof"});
    BuildChat();
    BuildMenuBar();
    BuildTables();
    BuildLabels();
    BuildToggles();
    BuildButtons();
    BuildGauges();
    BuildEntries();
    BuildMenu();
    BuildPicker();
    FillChat();
    FillTables();
    StartLive();
}

TGalleryform::~TGalleryform() = default;

// ---------------------------------------------------------------------------
// The chat: tab bar, rooms, user icons

void TGalleryform::BuildChat() {
    if (!m_scrollbars || !m_arrows) return;
    // The chat refuses rooms without the tab "forum" to fall back on.
    if (m_skin.StandIn("room tabs", TChat::kFallbackTab, {"Cancel"}).empty()) return;
    m_skin.Button("private room tabs", {"Person", "forum"});
    m_rooms = std::make_unique<TBar>(
        Paint(), [this](TRollover* tab) { if (m_chat) m_chat->SelectRoomById(tab->Tag()); },
        "Rooms", kSection);
    BuildUserIcons();
    m_chat = std::make_unique<TChat>(Paint(), nullptr, this, 0, "Chat", kSection, m_rooms.get());
    m_chat->SetIconList(m_icons.get());
    AddRooms();
    m_rooms->Show();
}

void TGalleryform::AddRooms() {
    for (const TRoomSeed& room : kRooms) {
        if (!m_chat->AddRoom(room.id, room.kind, 0, TabElement(room.kind), room.caption))
            m_skin.Note(std::string("room ") + room.caption + ": refused by the chat");
    }
}

// The lobby's menu bar: five tabs "Menu1" ... "Menu5" with the captions of
// the text [Chat] Menu.
void TGalleryform::BuildMenuBar() {
    if (!m_arrows) return;
    std::string captions = GetText("Chat", "Menu");
    if (captions.empty()) captions = kMenuCaptions;
    m_menuBar = std::make_unique<TBar>(
        Paint(), [this](TRollover* tab) { Say("Menu bar: \"" + tab->Caption() + "\"."); }, "Menu",
        kSection);
    for (int i = 1; i <= kMenuTabs; ++i) {
        const std::string own = "Menu" + std::to_string(i);
        const std::string element = m_skin.Button("menu bar tab " + own, {own.c_str(), "forum"});
        if (!element.empty()) m_menuBar->AddTab(element, CutField(captions), i);
    }
    m_menuBar->Show();
}

// Without the lobby's icons the user rows show their names alone.
void TGalleryform::BuildUserIcons() {
    const std::vector<std::string> names = UserIconNames();
    if (!m_skin.All("user icons", names)) return;
    m_icons = std::make_unique<TMyimagelist>(Paint(), 0, 0);
    for (const std::string& name : names) m_icons->Add(name);
}

// ---------------------------------------------------------------------------
// The table list, the labels, the toggles

void TGalleryform::BuildTables() {
    if (!m_scrollbars) return;
    m_tables = std::make_unique<TMultilist>(Paint(), nullptr, this, "Tables", kSection, 4);
    m_tables->Show();
}

void TGalleryform::BuildLabels() {
    m_marquee = TText::CreateFromLayout(Paint(), "Marquee", kSection);
    m_centred = TText::CreateFromLayout(Paint(), "Centred", kSection);
    if (m_scrollbars) m_wrapped = TText::CreateFromLayout(Paint(), "Wrapped", kSection);
    m_passwordText = TText::CreateFromLayout(Paint(), "Passwordtext", kSection);
    m_progressText = TText::CreateFromLayout(Paint(), "Progresstext", kSection);
    // A turn clock that starts again when it runs out.
    m_countdown = std::make_unique<TCountdown>(
        Paint(), [](TCountdown* sender) { sender->Start(kCountdownSeconds, 0); }, "Countdown",
        kSection);
    m_countdown->Show();
}

void TGalleryform::BuildToggles() {
    if (!m_skin.All("toggles", {"Chekofon", "Chekofof", "Chekonon", "Chekonof"})) return;
    for (const char* key : kToggleKeys) {
        auto toggle = std::make_unique<TCheck>(Paint(), "", key, kSection);
        toggle->Show();
        m_toggles.push_back(std::move(toggle));
    }
    TCheck& sounds = *m_toggles.front();
    sounds.OnChange = [](TCheck* sender) { SetSoundOn(sender->Ticked()); };
    sounds.SetTicked(true);
    m_toggles[1]->SetTicked(true);
    // The skin has no picture of its own for a third state yet, as a rule.
    const std::string third = m_skin.Button("third toggle state", {"Chekmid", "Chekon"});
    auto filter = std::make_unique<TCheck>(Paint(), "Chekof,Chekon," + third, "Filter", kSection);
    filter->OnChange = [this](TCheck*) { FilterChanged(); };
    filter->Show();
    m_filter = filter.get();
    m_toggles.push_back(std::move(filter));
    // The lobby's big-chat toggle in the title bar, without a label.
    if (!m_skin.All("big-chat toggle", {"Chatofon", "Chatofof", "Chatonon", "Chatonof"})) return;
    auto bigChat = std::make_unique<TCheck>(Paint(), "Chatof,Chaton", "Chaton", kSection);
    bigChat->Show();
    m_toggles.push_back(std::move(bigChat));
}

// ---------------------------------------------------------------------------
// Buttons, gauges, entries

void TGalleryform::BuildButtons() {
    m_menuButton = MakeButton("create", {"create", "New"}, &TGalleryform::OpenMenu);
    m_joinButton = MakeButton("join", {"join", "OK"}, &TGalleryform::Join);
    m_leaveButton = MakeButton("Del", {"Del", "Cancel"}, &TGalleryform::Leave);
    m_symbolButton = MakeButton("Symbol", {"Symbol", "OK"}, &TGalleryform::OpenPicker);
    m_minimiButton = MakeButton("Minimi", {"Minimi"}, &TForm::Minimize);
    m_closeButton = MakeButton("Close", {"Close"}, &TForm::Close);
    if (m_leaveButton && m_blinks) m_leaveButton->StartBlink();
}

// The role's line and caption are written under the element that stands
// in, so the button reads them itself, as every skinned button does.
std::unique_ptr<TRollover> TGalleryform::MakeButton(const std::string& role,
                                                    std::initializer_list<const char*> elements,
                                                    void (TGalleryform::*onClick)()) {
    const std::string element = m_skin.Button("button \"" + role + "\"", elements);
    if (element.empty()) return nullptr;
    gallery::WriteButtonLayout(role, element);
    auto button = std::make_unique<TRollover>(Paint(), kSection, element,
                                              [this, onClick](TRollover*) { (this->*onClick)(); });
    button->Show();
    return button;
}

void TGalleryform::BuildGauges() {
    const std::string bar = m_skin.Image("gauge", {"Updateon", "progon"});
    if (!bar.empty()) {
        m_progress = std::make_unique<TProgress>(Paint(), bar, gallery::LayoutNumber("Progress", 1),
                                                 gallery::LayoutNumber("Progress", 0));
        m_progress->SetMaximum(100);
        m_progress->Show();
    }
    const std::string column = m_skin.Image("columns", {"3_column", "Listbar"});
    if (column.empty()) return;
    const int x = gallery::LayoutNumber("Column", 0), y = gallery::LayoutNumber("Column", 1);
    const int step = gallery::LayoutNumber("Column", 2);
    for (int i = 0; i < kColumnCount; ++i) {
        auto gauge = std::make_unique<TColumn>(Paint(), column, y, x + i * step);
        gauge->SetMaximum(100);
        gauge->SetTransparent(true);
        gauge->Show();
        m_columns.push_back(std::move(gauge));
    }
}

void TGalleryform::BuildEntries() {
    if (!m_skin.All("entries' caret", {"cur00001"})) return;
    m_chatEntry = std::make_unique<TMyedit>(Paint(), 200, "Chatedit", kSection);
    m_chatEntry->SetColoursAllowed(true);
    m_chatEntry->OnKeyDown = [this](TMyedit*, int& key, unsigned) {
        if (key != vk::Enter) return;
        SendChatLine();
        key = 0;
    };
    m_chatEntry->Show();
    m_passwordEntry = std::make_unique<TMyedit>(Paint(), 20, "Passwordedit", kSection);
    m_passwordEntry->SetPasswordChar('*');
    m_passwordEntry->SetText("opensesame");
    m_passwordEntry->Show();
}

// ---------------------------------------------------------------------------
// The glide menu and the symbol picker, popups of their own

void TGalleryform::BuildMenu() {
    if (!m_skin.All("glide menu", {"Glide"})) return;
    const std::string item = m_skin.Button("glide menu items", {"Tumpoi", "OK"});
    if (item.empty()) return;
    if (gallery::WriteTextIfMissing("", kMenuTitle, "Points"))
        m_skin.Note(std::string("glide menu: no text [Message] ") + kMenuTitle + ", the gallery's own shown");
    if (gallery::WriteTextIfMissing(TGlide::kDefaultSection, kMenuItemText, "{1} points"))
        m_skin.Note(std::string("glide menu: no text [Glide] ") + kMenuItemText + ", the gallery's own shown");
    m_menu = std::make_unique<TGlide>(
        Paint(), true, [this](TRollover* chosen, int column, int row) { MenuChosen(chosen, column, row); },
        2, 2, "", kMenuTitle);
    for (int points : kPointsItems) {
        m_menu->SetItemParameters(std::to_string(points));
        m_menu->AddItem(item, kMenuItemText);
    }
}

void TGalleryform::BuildPicker() {
    if (!m_scrollbars || !m_skin.All("symbol picker", {"Symbol", "font99"})) return;
    m_picker = std::make_unique<TCharselect>(
        "font99", "", [this](TCharselect*, uint8_t code) { SymbolPicked(code); }, this);
}

// The lobby opens its menus at the pointer.
void TGalleryform::OpenMenu() {
    if (m_menu) m_menu->Popup(-1, -1);
}

void TGalleryform::OpenPicker() {
    if (!m_picker) return;
    m_picker->PopupAt(Left() + kPickerX, Top() + kPickerBottom - m_picker->Height());
}

void TGalleryform::ShowSkinNotes() {
    std::string text;
    for (const std::string& note : m_skin.Notes()) text += (text.empty() ? "" : "; ") + note;
    if (text.empty()) text = "The skin has every image the gallery asks for.";
    if (!m_notes && m_scrollbars) m_notes = TText::CreateFromLayout(Paint(), "Skinnotes", kSection);
    if (m_notes) m_notes->SetText("Skin notes: " + text);
}
