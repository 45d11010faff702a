// TGammonform: building the window, showing it for a table, the options,
// closing, and the dispatch of the server's payloads.
#include "games/Gammon.h"

#include "controls/Charselect.h"
#include "controls/Chat.h"
#include "controls/Countdown.h"
#include "controls/Glide.h"
#include "controls/MsgBoxes.h"
#include "controls/Multilist.h"
#include "controls/Myedit.h"
#include "controls/Rollover.h"
#include "games/Dicestats.h"
#include "games/GammonDialog.h"
#include "games/GammonPieces.h"
#include "games/Gammonoptions.h"
#include "graphics/Paint.h"
#include "net/Session.h"
#include "net/SessionWindows.h"
#include "platform/Platform.h"
#include "resources/Inifile.h"
#include "resources/Texts.h"
#include "rules/gammon/Payload.h"


namespace pl = rules::gammon::payload;
using TSide = rules::gammon::TColour;

namespace {
constexpr int kLobbyOffset = 10;
constexpr char kGlideSection[] = "2_Glide";
}  // namespace

TGammonform::TGammonform() : TGameform(2, "2_Gammon", kSection, "2_Close", "2_Minimi") {
    m_pieces = std::make_unique<TGammonPieces>(Paint(), kSection, [this] { OfferDouble(); });
    m_dialog = std::make_unique<TGammonDialog>(Paint(), kSection);
    CreateButtons();
    CreateChat();
    CreateScores();
    CreateMenus();
    m_countdown = std::make_unique<TCountdown>(Paint(), [this](TCountdown*) { Close(); }, "Countdown", kSection);
    m_countdown->OnWarning = [this](TCountdown*, int) { SystemLine("2_warning"); };
    m_systemColour = SettingsFile().ReadInteger(kSection, "Systemcolor", m_systemColour);
    m_msgSlot = NewMsgBox(this, 2);
}

TGammonform::~TGammonform() = default;

void TGammonform::CreateButtons() {
    auto button = [this](const char* element, std::function<void()> action) {
        return std::make_unique<TRollover>(Paint(), kSection, element, [action](TRollover*) { action(); });
    };
    m_roll = button("2_Roll", [this] { Roll(); });
    m_giveUp = button("2_Giveup", [this] { OpenGiveUpMenu(); });
    m_undo = button("2_Regret", [this] { UndoLast(); });
    m_options = button("2_option", [this] { OpenOptions(); });
    m_symbol = button("2_Symbol", [this] { OpenPicker(); });
    m_symbol->Show();
}

void TGammonform::CreateChat() {
    m_chatEntry = std::make_unique<TMyedit>(Paint(), kChatLength, "Chatedit", kSection);
    m_chat = std::make_unique<TChat>(Paint(), nullptr, this, 0, "Chat", kSection, nullptr);
    m_chat->AddRoom(kChatRoom, TChatroom::kNoUsers, 0, "Forum", "");
    m_picker = std::make_unique<TCharselect>(
        "Font99", "",
        [this](TCharselect*, uint8_t code) {
            m_chatEntry->InsertChar(m_chatEntry->DefaultColour(), code);
            m_chatEntry->Focus();
        },
        this);
}

void TGammonform::CreateScores() {
    m_scores = std::make_unique<TMultilist>(Paint(), nullptr, this, "List", kSection, 3);
    m_scores->Show();
}

void TGammonform::CreateMenus() {
    const std::vector<std::vector<std::string>> menus = {
        {"2_Normal"}, {"2_Normal", "2_Gammon"}, {"2_Normal", "2_Gammon", "2_Backga"}};
    for (const auto& items : menus) {
        auto menu = std::make_unique<TGlide>(
            Paint(), true, [this](TRollover* item, int, int row) { OfferGiveUp(item ? item->Tag() : row + 1); },
            static_cast<int>(items.size()), 1, kGlideSection);
        for (size_t i = 0; i < items.size(); ++i) {
            menu->AddItem(items[i], items[i] == "2_Backga" ? "2_Backgammon" : items[i]);
            menu->Item(static_cast<int>(i))->SetTag(static_cast<int>(i) + 1);
        }
        m_giveUpMenus.push_back(std::move(menu));
    }
}

// Showing for a table -------------------------------------------------------

void TGammonform::FormShow() {
    const TGameStart& start = Session().GameStart;
    PlaceNearLobby();
    TSide own = start.Param3 == 1 ? TSide::White : TSide::Black;
    m_board.StartTable(own, start.Param4);
    m_board.SetTurn(own);
    m_pieces->SetOwn(own);
    m_opponent = start.Players[1].Name;
    m_ownFigure = start.Players[0].Extra;
    m_opponentFigure = start.Players[1].Extra;
    m_matchOver = false;
    m_automatic = false;
    if (TChatroom* room = m_chat->Room(1); room && room->Text()) room->Text()->Clear();
    SystemLine("2_start");
    m_dialog->Close();
    m_options->Show();
    StartGame();
    TGameform::FormShow();  // sends ">"
    LoadOptions();
}

// The window opens just inside the lobby's top-left corner.
void TGammonform::PlaceNearLobby() {
    int left = 0, top = 0;
    if (LobbyCorner && LobbyCorner(left, top)) SetPosition(left + kLobbyOffset, top + kLobbyOffset);
}

void TGammonform::FormClose() {
    ReleasePointer();
    m_dragged = -1;
    m_dialog->Close();
    CloseMsgBox(m_msgSlot);
    m_countdown->Stop();
    m_countdown->Hide();
    m_ownTurn = false;
    TGameform::FormClose();  // sends 0x19, no game runs any more
}

// Losing the focus ends a drag as if the button were released.
void TGammonform::FormDeactivate() {
    ReleasePointer();
    if (m_dragged >= 0) Drop();
}

void TGammonform::GameStarted() {
    m_chatEntry->Show();
    BringToFront();
    Focus();
    m_chatEntry->Focus();
    StartOpeningRoll();
}

// Options ------------------------------------------------------------------

void TGammonform::LoadOptions() {
    const std::string& options = Session().OptionString;
    m_anims = options.size() > kAnimsChar && options[kAnimsChar] == '1';
    m_confirm = options.size() > kConfirmChar && options[kConfirmChar] == '1';
}

void TGammonform::SendRaw(const std::string& message) {
    if (Sender)
        Sender(message);
    else
        SendToServer(message);
}

void TGammonform::SendOption(uint8_t option, bool on) {
    SendRaw(pl::BuildOption(option, on));
    std::string& options = Session().OptionString;
    size_t at = option == pl::kOptionAnims ? kAnimsChar : kConfirmChar;
    if (options.size() <= at) options.resize(at + 1, '0');
    options[at] = on ? '1' : '0';
}

void TGammonform::SetAnims(bool on) {
    m_anims = on;
    SendOption(pl::kOptionAnims, on);
}

void TGammonform::SetConfirm(bool on) {
    m_confirm = on;
    SendOption(pl::kOptionConfirm, on);
}

void TGammonform::SetAutomatic(bool on) { m_automatic = on; }

void TGammonform::OpenOptions() {
    TGammonOptionsform* options = m_optionsForm;
    if (!options) return;
    options->OnAnims = [this](bool on) { SetAnims(on); };
    options->OnConfirm = [this](bool on) { SetConfirm(on); };
    options->OnAutomatic = [this](bool on) { SetAutomatic(on); };
    options->Open(m_anims, m_automatic, m_confirm);
    if (m_roll->Visible() && m_automatic) Roll();
}

// Payloads -----------------------------------------------------------------

void TGammonform::GameRead(const std::string& data) {
    if (data.empty()) return;
    switch (static_cast<uint8_t>(data[0])) {
        case pl::kChatLine: ChatLine(data); break;
        case pl::kClose: Close(); break;
        case pl::kYouWin: YouWin(); break;
        case pl::kTableBegins: GameStarted(); break;
        case pl::kAdvert:
            if (auto advert = pl::ParseAdvert(data); advert && OnAdvert) OnAdvert(advert->Panel, advert->Url);
            break;
        case pl::kOpeningDie: OpeningDie(data); break;
        case pl::kOpeningEqual:
            SystemLine("2_thesame");
            StartOpeningRoll();
            break;
        case pl::kOpeningWon: OpeningWon(); break;
        case pl::kOpponentMove: OpponentMove(data); break;
        case pl::kOpponentTurnOver: OpponentTurnOver(); break;
        case pl::kRoll: DiceRolled(data); break;
        case pl::kOpponentGivesUp: OpponentGivesUp(data); break;
        case pl::kGiveUpDenied: MsgBoxIn("2_Giveupdeny", "System", mb::kOk, m_msgSlot, mb::Ok); break;
        case pl::kOpponentWon: OpponentWon(data); break;
        case pl::kOpponentDoubles: OpponentDoubles(); break;
        case pl::kDoubleTaken: DoubleTaken(); break;
        case pl::kOpponentUndo: OpponentUndo(data); break;
        default: TGameform::GameRead(data); break;
    }
}
