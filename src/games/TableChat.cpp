#include "games/TableChat.h"

#include <algorithm>

#include "controls/Charselect.h"
#include "controls/Chat.h"
#include "controls/Chatroom.h"
#include "controls/Form.h"
#include "controls/Keys.h"
#include "controls/Multilist.h"
#include "controls/Myedit.h"
#include "controls/Rollover.h"
#include "graphics/Paint.h"
#include "net/Session.h"
#include "net/SessionWindows.h"
#include "platform/Files.h"
#include "resources/Inifile.h"
#include "resources/Paths.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

constexpr char kSenderMark[] = "~>";
constexpr char kPickerFont[] = "Font99";

bool FromIgnored(const std::string& alias) {
    ILobbyWindow* lobby = SessionWindows().Lobby;
    return lobby && !alias.empty() && lobby->Ignores(LowerCaseAscii(alias));
}

}  // namespace

TTableChat::TTableChat(TForm& window, const std::string& section, const std::string& prefix,
                       const std::string& dumpFile)
    : m_window(window), m_section(section), m_dumpFile(dumpFile) {
    m_systemColour = SettingsFile().ReadInteger(section, "Systemcolor", 0);
    m_view = std::make_unique<TChat>(window.Paint(), nullptr, this, 0, "Chat", section, nullptr);
    m_entry = std::make_unique<TMyedit>(window.Paint(), kMaxLength, "Chatedit", section);
    m_entry->SetColoursAllowed(true);
    m_symbol = std::make_unique<TRollover>(window.Paint(), section, prefix + "_Symbol",
                                           [this](TRollover*) { OpenPicker(); });
    m_picker = std::make_unique<TCharselect>(
        kPickerFont, prefix,
        [this](TCharselect*, uint8_t code) {
            if (code >= TCharselect::kFirstCode) m_entry->InsertChar(kSymbolColour, code);
            m_entry->Focus();
        },
        &window);
    Clear();
}

TTableChat::~TTableChat() = default;

void TTableChat::Clear() {
    m_view->RemoveRoom(kRoomId);
    m_view->AddRoom(kRoomId, TChatroom::kNoUsers, 0, TChat::kFallbackTab, "");
}

void TTableChat::Show() { m_symbol->Show(); }

void TTableChat::Hide() {
    m_symbol->Hide();
    m_entry->Hide();
}

void TTableChat::ShowEntry() {
    m_entry->Show();
    m_entry->Focus();
}

void TTableChat::AddSystemLine(const std::string& key, const std::string& arguments) {
    const std::string text = FillPlaceholders(GetTextDef(m_section, key, key), arguments);
    m_view->AddText(kRoomId, m_systemColour, ": " + text, m_systemColour);
}

void TTableChat::AddServerLine(const std::string& text, int nameColour, int textColour) {
    const size_t mark = text.find(kSenderMark);
    if (mark == std::string::npos) {
        m_view->AddText(kRoomId, nameColour, text, textColour);
        return;
    }
    const std::string alias = text.substr(0, mark);
    if (FromIgnored(alias)) return;
    m_view->AddText(kRoomId, nameColour, alias + ": " + text.substr(mark + 2), textColour);
}

bool TTableChat::Keys(int key, unsigned shift) {
    const bool alt = (shift & platform::AltKey) != 0;
    const bool ctrl = (shift & platform::CtrlKey) != 0;
    if (alt && !ctrl) {
        if (key == 'S') {
            OpenPicker();
            return true;
        }
        if (key >= '1' && key <= '9') {
            if (OnRoomKey) OnRoomKey(key - '0');
            return true;
        }
        return false;
    }
    switch (key) {
        case vk::Enter: Submit(); return true;
        case vk::Up: Browse(true); return true;
        case vk::Down: Browse(false); return true;
        case vk::PageUp: Scroll(true); return true;
        case vk::PageDown: Scroll(false); return true;
        default: return false;
    }
}

void TTableChat::Submit() {
    if (m_entry->Text().empty()) return;
    const std::string line = m_entry->TextWithCodes();
    if (SameTextAscii(m_entry->Text(), kDumpCommand))
        Dump();
    else if (OnSend)
        OnSend(line);
    m_history.Add(line);
    m_entry->SetText("");
}

void TTableChat::Browse(bool back) {
    std::string line;
    if (back ? m_history.Previous(line) : m_history.Next(line)) m_entry->SetText(line);
}

void TTableChat::Scroll(bool up) {
    TChatroom* room = m_view->Room(1);
    if (!room || !room->Text()) return;
    if (up)
        room->Text()->PageUp();
    else
        room->Text()->PageDown();
}

// Above the symbol button, on the screen.
void TTableChat::OpenPicker() {
    const int x = m_window.Left() + m_symbol->X();
    const int y = std::max(0, m_window.Top() + m_symbol->Y() - m_picker->Height());
    m_picker->PopupAt(x, y);
}

std::vector<std::string> TTableChat::Lines() const {
    std::vector<std::string> lines;
    TChatroom* room = m_view->Room(1);
    if (!room || !room->Text()) return lines;
    for (int row = 0; row < room->Text()->RowCount(); ++row) lines.push_back(room->Text()->PlainCell(0, row));
    return lines;
}

void TTableChat::Dump() const {
    std::string text;
    for (const std::string& line : Lines()) text += line + "\r\n";
    platform::WriteFileAtomic(ProgramDirectory() + m_dumpFile, text.data(), static_cast<int64_t>(text.size()));
}
