// The lobby window's construction from its parts, its texts, its keys,
// big-chat mode and its way out to the server.
#include "lobby/Main.h"

#include "controls/Chat.h"
#include "controls/Check.h"
#include "controls/Keys.h"
#include "controls/Multilist.h"
#include "controls/Rollover.h"
#include "graphics/Paint.h"
#include "graphics/Sound.h"
#include "lobby/ErrorBox.h"
#include "lobby/Spam.h"
#include "net/Dispatcher.h"
#include "net/Session.h"
#include "resources/Inifile.h"
#include "resources/Texts.h"
#include "shell/MyTimer.h"

namespace {

constexpr const char* kLobbyTexts[] = {
    "Deny",     "Private",   "Forum",     "Logoff",   "Logon",      "Closed",
    "Closing",  "Entering",  "Entering1", "Entering2", "Entering3", "Loggedin",
    "Nickchange", "Profileurl", "Webcamurl", "Hiscoreurl"};

// The key left of "1" on the keyboards the lobby was made for: focuses the
// game window like Alt+0.
constexpr int kKeyGameWindow = vk::Oem5;

}  // namespace

TChatform::TChatform() : TForm(kPainter) {
    // Sounds play from the start; the server's options may switch them off.
    SetSoundOn(true);
    m_slot = NewMsgBox(this, 0);
    ReadTexts();
    CreateButtons();
    m_users = std::make_unique<TLobbyUsers>(*this);
    m_rooms = std::make_unique<TLobbyRooms>(
        *this, m_users->Icons(), [this](TMultilist* list, int button, int y, int x, TShiftState) {
            Guarded([&] { m_users->ListClicked(*list, button, x, y); });
        });
    m_areas = std::make_unique<TLobbyAreas>(*this);
    m_input = std::make_unique<TLobbyInput>(*this, kSection);
    m_input->OnSubmit = [this](const std::string& plain, const std::string& line) { SubmitLine(plain, line); };
    CreateTimers();
    ConnectSession();
    m_areas->SelectMenuTab(kStartArea);
    // The first-time hints are for new accounts: the registration clears
    // these again.
    TSession& session = Session();
    session.StartHelpShown = session.FirstHintShown = session.SecondHintShown = true;
}

TChatform::~TChatform() {
    if (SessionWindows().Lobby == this) SessionWindows().Lobby = nullptr;
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

void TChatform::CreateButtons() {
    m_close = std::make_unique<TRollover>(Paint(), kSection, "Close",
                                          [this](TRollover*) { Guarded([&] { Close(); }); });
    m_minimi = std::make_unique<TRollover>(Paint(), kSection, "Minimi",
                                           [this](TRollover*) { Guarded([&] { Minimize(); }); });
    m_bigToggle = std::make_unique<TCheck>(Paint(), "Chatof,Chaton", "Chaton", kSection);
    m_bigToggle->OnChange = [this](TCheck* sender) {
        if (m_syncingToggle) return;
        Guarded([&] { SetBig(sender->Ticked()); });
    };
    m_close->Show();
    m_minimi->Show();
    m_bigToggle->Show();
}

void TChatform::CreateTimers() {
    m_bannerTimer = std::make_unique<TMyTimer>();
    m_bannerTimer->SetInterval(Session().BannerPeriodMs);
    m_bannerTimer->OnTimer = [this](TMyTimer*) { Guarded([&] { RequestBanner(); }); };
}

// A line the spam check refuses brings up the spam window over the chat.
void TChatform::ConnectSession() {
    SessionWindows().Lobby = this;
    SpamCheck().OnRefused = [this](TSpamCheck*) {
        Guarded([&] {
            TChatroom* room = CurrentChatroom();
            if (!OnSpamRefused || !room) return;
            OnSpamRefused(Left() + room->Text()->X(), Top() + room->Text()->Y());
        });
    };
}

void TChatform::Send(const std::string& message) {
    if (Sender)
        Sender(message);
    else
        SendToServer(message);
}

void TChatform::AddLine(const std::string& text, int nameColour, int textColour) {
    m_rooms->AddLine(text, nameColour, textColour);
}

// Big-chat mode: the chat views grow over the central area. The room tabs
// move to "Roomsbig", the input line to "Chateditbig" (the typed text comes
// along), the chat header to its big panel and the painter to "Big"; the
// menu bar and its area are hidden until the mode is left.
void TChatform::SetBig(bool big) {
    if (big == m_big) return;
    m_big = big;
    if (m_bigToggle->Ticked() != big) {
        m_syncingToggle = true;
        m_bigToggle->SetTicked(big);
        m_syncingToggle = false;
    }
    if (big) m_areas->SetShown(false);
    m_rooms->SwapTabs(big);
    m_input->SetBig(big);
    m_rooms->Chat()->SetBig(big);
    if (ILobbyWeb* web = m_areas->Web()) web->SetBig(big);
    Paint()->ChangeBackground(big ? kBigPainter : kPainter);
    if (!big) m_areas->SetShown(true);
}

// Keys -----------------------------------------------------------------------------

// Enter: a chat command, or a line to the current room.
void TChatform::SubmitLine(const std::string& plain, const std::string& line) {
    if (!OnChatCommand || !OnChatCommand(this, line)) m_rooms->Say(plain, line);
}

bool TChatform::FormKeyDown(int key, unsigned shift) {
    bool handled = false;
    Guarded([&] { handled = HandleKey(key, shift); });
    return handled;
}

void TChatform::FormMouseDown(int, unsigned, int x, int y) {
    m_rooms->NotePress(x, y);
    Guarded([&] { m_input->WindowPressed(); });
}

// Enter sends, the history walks with Up and Down, Page Up and Down scroll
// the chat, and the Alt keys open the symbol picker, switch big-chat mode,
// rooms and the game window.
bool TChatform::HandleKey(int key, unsigned shift) {
    const bool alt = (shift & platform::AltKey) != 0;
    const bool ctrl = (shift & platform::CtrlKey) != 0;
    if (!ctrl && (key == kKeyGameWindow || (alt && key == '0'))) {
        FocusGameWindow();
        return true;
    }
    if (alt && !ctrl) {
        if (key == 'S') m_input->OpenPicker();
        if (key == 'W') SetBig(!m_big);
        if (key >= '1' && key <= '9') m_rooms->SelectTab(key - '0');
        return key == 'S' || key == 'W' || (key >= '1' && key <= '9');
    }
    switch (key) {
        case vk::Enter: m_input->Submit(); return true;
        case vk::Up: m_input->HistoryBack(); return true;
        case vk::Down: m_input->HistoryForward(); return true;
        case vk::PageUp: m_rooms->ScrollCurrent(true); return true;
        case vk::PageDown: m_rooms->ScrollCurrent(false); return true;
        default: return false;
    }
}

void TChatform::FocusGameWindow() {
    for (int kind = 1; kind <= TLobbyAreas::kGameKinds; ++kind) {
        IGameWindow* game = SessionWindows().Games[static_cast<size_t>(kind)];
        if (!game || !game->Visible()) continue;
        auto* form = dynamic_cast<TForm*>(game);
        if (!form || !form->Enabled()) continue;
        form->Focus();
        return;
    }
}
