// TGammonform: the table chat (lines from the server, system lines, the
// entry with its sent-line history, "/dumpchat") and the window's keys.
#include "controls/Charselect.h"
#include "controls/Chat.h"
#include "controls/Keys.h"
#include "controls/Multilist.h"
#include "controls/Myedit.h"
#include "controls/Rollover.h"
#include "games/Gammon.h"
#include "graphics/Paint.h"
#include "net/SessionWindows.h"
#include "platform/Files.h"
#include "platform/Platform.h"
#include "resources/Inifile.h"
#include "resources/Paths.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"
#include "rules/gammon/Payload.h"

namespace pl = rules::gammon::payload;

namespace {

// The speaker of a table chat line: the text before "~>", or before ": ".
std::string Speaker(const std::string& text) {
    size_t end = text.find("~>");
    if (end == std::string::npos) end = text.find(": ");
    return end == std::string::npos ? std::string() : text.substr(0, end);
}

}  // namespace

void TGammonform::ChatLine(const std::string& data) {
    auto line = pl::ParseChatLine(data);
    if (!line) return;
    std::string speaker = LowerCaseAscii(Speaker(line->Text));
    if (!speaker.empty() && SessionWindows().Lobby && SessionWindows().Lobby->Ignores(speaker)) return;
    m_chat->AddText(kChatRoom, line->Display1, line->Text, line->Display2);
}

void TGammonform::SystemLine(const std::string& key, const std::string& arguments) {
    m_chat->AddText(kChatRoom, m_systemColour, ": " + FillPlaceholders(GetText("Message", key), arguments),
                    m_systemColour);
}

std::vector<std::string> TGammonform::ChatLines() const {
    std::vector<std::string> lines;
    TChatroom* room = m_chat->Room(1);
    if (!room || !room->Text()) return lines;
    for (int row = 0; row < room->Text()->RowCount(); ++row) lines.push_back(room->Text()->PlainCell(0, row));
    return lines;
}

// Keys ------------------------------------------------------------------------

bool TGammonform::FormKeyDown(int key, unsigned shift) {
    const bool alt = (shift & platform::AltKey) != 0, ctrl = (shift & platform::CtrlKey) != 0;
    if (LobbyRoomKey(key, shift)) return true;
    if (alt && !ctrl) {
        if (key == 'S') OpenPicker();
        if (key == 'A') SetAutomatic(!m_automatic);
        return key == 'S' || key == 'A';
    }
    std::string line;
    switch (key) {
        case vk::Enter: SubmitLine(); return true;
        case vk::Up:
            if (m_sentLines.Previous(line)) m_chatEntry->SetText(line);
            return true;
        case vk::Down:
            if (m_sentLines.Next(line)) m_chatEntry->SetText(line);
            return true;
        case vk::PageUp: ScrollChat(true); return true;
        case vk::PageDown: ScrollChat(false); return true;
        default: return false;
    }
}

// The text goes without colour codes: its end is marked by byte 1.
void TGammonform::SubmitLine() {
    const std::string plain = m_chatEntry->Text();
    if (plain.empty()) return;
    if (SameTextAscii(plain, kDumpCommand))
        DumpChat();
    else
        Sendstring(pl::BuildChat(plain));
    m_sentLines.Add(m_chatEntry->TextWithCodes());
    m_chatEntry->SetText("");
}

void TGammonform::DumpChat() {
    std::string text;
    for (const std::string& line : ChatLines()) text += line + "\r\n";
    platform::WriteWholeFile(ProgramDirectory() + kDumpFile, text.data(), static_cast<int64_t>(text.size()));
}

void TGammonform::ScrollChat(bool up) {
    TChatroom* room = m_chat->Room(1);
    if (!room || !room->Text()) return;
    if (up)
        room->Text()->PageUp();
    else
        room->Text()->PageDown();
}

void TGammonform::OpenPicker() {
    m_picker->PopupAt(Left() + m_symbol->X(), Top() + m_symbol->Y() - m_picker->Height());
}

