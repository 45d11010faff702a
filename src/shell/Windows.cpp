#include "shell/Windows.h"

#include "controls/AdvertPanels.h"
#include "controls/Bar.h"
#include "games/Dicestats.h"
#include "games/Gammon.h"
#include "games/Gammonoptions.h"
#include "games/Puzzle.h"
#include "games/TableChat.h"
#include "games/Tumblix.h"
#include "games/Yatzy.h"
#include "graphics/Paint.h"
#include "lobby/Chatcommands.h"
#include "lobby/Hiscoreform.h"
#include "lobby/Infoform.h"
#include "lobby/Main.h"
#include "lobby/Msgform.h"
#include "lobby/Optionsform.h"
#include "lobby/Preview.h"
#include "lobby/Questionform.h"
#include "lobby/Spamform.h"
#include "lobby/WebPanels.h"
#include "net/LogonUnit.h"
#include "net/Registerunit.h"
#include "net/NetState.h"
#include "net/Update.h"
#include "shell/AppContext.h"

TWindows::TWindows(TAppContext& context) : m_context(context) {}

// The windows go before the box slots their owners hold, and the lobby,
// which owns the shared box, goes last of the windows.
TWindows::~TWindows() {
    m_yatzyAds.reset();
    m_gammonAds.reset();
    m_yatzy.reset();
    m_puzzle.reset();
    // The table holds its options window.
    m_gammon.reset();
    m_gammonOptions.reset();
    m_tumblix.reset();
    m_question.reset();
    m_info.reset();
    m_hiscore.reset();
    m_register.reset();
    m_update.reset();
    m_options.reset();
    m_spam.reset();
    m_logon.reset();
    m_commands.reset();
    // The preview strip lives on the lobby's surface and reads its tables.
    if (m_chat) m_chat->SetPreviews(nullptr);
    m_previews.reset();
    m_web.reset();
    m_chat.reset();
    m_boxes.reset();
}

void TWindows::Create() {
    m_boxes = std::make_unique<TMsgforms>();
    m_boxes->Register();
    m_logon = std::make_unique<TLogon>();
    m_chat = std::make_unique<TChatform>();
    m_previews = std::make_unique<Tpreview>(m_chat->Paint(), *m_chat->Tables());
    m_web = std::make_unique<TWebPanels>(m_chat->Paint());
    m_chat->SetWeb(m_web.get());
    m_commands = std::make_unique<TChatcommands>(m_context.Net().Session.Dicestat);
    m_spam = std::make_unique<TSpamform>();
    m_options = std::make_unique<TOptionsform>();
    m_update = std::make_unique<TUpdate>("Update", "Options");
    m_register = std::make_unique<TRegisterform>();
    m_hiscore = std::make_unique<THiscoreform>();
    m_info = std::make_unique<TInfoform>();
    m_question = std::make_unique<TQuestionform>();
    m_tumblix = std::make_unique<TTumblixForm>();
    m_gammon = std::make_unique<TGammonform>();
    m_gammonOptions = std::make_unique<TGammonOptionsform>();
    m_puzzle = std::make_unique<TPuzzleform>();
    m_yatzy = std::make_unique<TYatzyform>();
    // Backgammon reports its panels with the bytes 4 and 5, Yatzy with 7 and 8.
    m_gammonAds = std::make_unique<TAdvertPanels>(m_gammon->Paint(), TGammonform::kSection, 4, SendToServer);
    m_yatzyAds = std::make_unique<TAdvertPanels>(m_yatzy->Paint(), "Yatzy", 7, SendToServer);
    Connect();
}

void TWindows::Connect() {
    LinkSessionForms(*m_logon, *m_register);
    m_context.Net().Windows.Previews = m_previews.get();
    m_chat->SetPreviews(m_previews.get());
    m_chat->OnChatCommand = [this](TChatform* lobby, const std::string& line) {
        return m_commands->Execute(*lobby, line);
    };
    m_chat->OnOptions = [this] { m_options->ShowModal(); };
    m_chat->OnHiscores = [this](int list) { m_hiscore->Open(list); };
    m_chat->OnSpamRefused = [this](int left, int top) { m_spam->ShowAt(left, top); };
    m_logon->OnClose = [this](TForm*) {
        if (OnMainClosed) OnMainClosed();
    };
    // Alt + digit in a game window or the Yatzy table chat: that room of the
    // lobby, if it has one.
    auto lobbyRoom = [this](int room) {
        TBar* tabs = m_chat->RoomTabs();
        if (!tabs || room > tabs->Count()) return false;
        m_chat->Focus();
        tabs->Select(room);
        return true;
    };
    for (TGameform* game : {static_cast<TGameform*>(m_tumblix.get()), static_cast<TGameform*>(m_gammon.get()),
                            static_cast<TGameform*>(m_puzzle.get()), static_cast<TGameform*>(m_yatzy.get())})
        game->OnLobbyRoom = lobbyRoom;
    m_yatzy->Chat().OnRoomKey = lobbyRoom;
    m_yatzy->SetDicestat(&DiceStatistics());
    m_gammon->OnAdvert = [this](int panel, const std::string& url) { m_gammonAds->Load(panel, url); };
    m_gammon->SetOptionsform(m_gammonOptions.get());
    m_yatzy->OnAdvert = [this](int panel, const std::string& url) { m_yatzyAds->Load(panel, url); };
    // The Backgammon window opens just inside the lobby's top-left corner;
    // the Yatzy window too, when the lobby is shown.
    m_gammon->LobbyCorner = [this](int& left, int& top) {
        left = m_chat->Left();
        top = m_chat->Top();
        return true;
    };
    m_yatzy->LobbyCorner = [this](int& left, int& top) {
        if (!m_chat->Visible()) return false;
        left = m_chat->Left();
        top = m_chat->Top();
        return true;
    };
}

void TWindows::ShowMainWindow() {
    if (m_logon) m_logon->Show();
}
