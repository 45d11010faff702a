#include "lobby/Chatcommands.h"

#include "controls/Chat.h"
#include "controls/Chatroom.h"
#include "controls/MsgBoxes.h"
#include "controls/Multilist.h"
#include "lobby/Main.h"
#include "net/Session.h"
#include "net/transport/Client.h"
#include "platform/Files.h"
#include "platform/Memory.h"
#include "protocol/ClientMessages.h"
#include "resources/Paths.h"
#include "resources/StrFuncs.h"
#include "rules/Dicestat.h"
#include "shell/MyTimer.h"

TChatcommands::TChatcommands(const rules::TDicestat& dice) : m_dice(dice) { SessionWindows().Upload = this; }

TChatcommands::~TChatcommands() {
    if (SessionWindows().Upload == this) SessionWindows().Upload = nullptr;
}

const std::vector<TChatcommands::TCommand>& TChatcommands::Table() {
    static const std::vector<TCommand> table{
        {"/clear", true, &TChatcommands::Always, &TChatcommands::Clear},
        {"/hangup", true, &TChatcommands::Always, &TChatcommands::Hangup},
        {"/dumpchat", true, &TChatcommands::Always, &TChatcommands::DumpChat},
        {"/netstatus", true, &TChatcommands::Always, &TChatcommands::NetStatus},
        {"/ping", true, &TChatcommands::Privileged, &TChatcommands::Ping},
        {"/mem", true, &TChatcommands::Always, &TChatcommands::Mem},
        {"/reconnect", false, &TChatcommands::Always, &TChatcommands::Hangup},
        {"/dicestat", false, &TChatcommands::Privileged, &TChatcommands::Dicestat},
        {"/sendfile", false, &TChatcommands::Operator, &TChatcommands::SendFile},
        {"/filestatus", false, &TChatcommands::Operator, &TChatcommands::FileStatus},
    };
    return table;
}

bool TChatcommands::Execute(TChatform& lobby, const std::string& line) {
    const std::string lower = LowerCaseAscii(line);
    for (const TCommand& command : Table()) {
        const bool matches = command.exact ? lower == command.text : lower.starts_with(command.text);
        if (!matches || !(this->*command.allowed)()) continue;
        (this->*command.run)(lobby, line);
        return true;
    }
    return false;
}

bool TChatcommands::Privileged() const { return Session().Privileged != 0; }
bool TChatcommands::Operator() const { return Session().Alias == kOperatorAlias; }

// The commands ------------------------------------------------------------------

void TChatcommands::Clear(TChatform& lobby, const std::string&) {
    if (TChatroom* room = lobby.CurrentChatroom()) room->ClearText();
}

// The client notices the closed socket as a broken connection.
void TChatcommands::Hangup(TChatform&, const std::string&) {
    TClient* client = Session().Client;
    if (client && client->Socket()) client->Socket()->Close();
}

// Colour codes and a picked symbol's codes are left out: the file is for
// reading in any editor.
void TChatcommands::DumpChat(TChatform& lobby, const std::string&) {
    TChatroom* room = lobby.CurrentChatroom();
    std::string text;
    if (room && room->Text())
        for (int row = 0; row < room->Text()->RowCount(); ++row) text += room->Text()->PlainCell(0, row) + "\r\n";
    const std::string path = ProgramDirectory() + kDumpFile;
    if (!platform::WriteFileAtomic(path, text.data(), static_cast<int64_t>(text.size())))
        SystemLine(lobby, "System: Cannot write " + path);
}

void TChatcommands::NetStatus(TChatform& lobby, const std::string&) {
    TClient* client = Session().Client;
    if (!client) {
        SystemLine(lobby, "Sysop: Not connected");
        return;
    }
    const std::string address = client->Socket() ? client->Socket()->LocalAddress() : std::string();
    const int port = client->Socket() ? client->Socket()->Port() : 0;
    SystemLine(lobby, "Sysop: Bytessent to server: " + std::to_string(client->BytesSent()) +
                          "\nBytesread from server: " + std::to_string(client->BytesReceived()) +
                          "\nBytes not read server: " + std::to_string(client->PendingReceive()) +
                          "\nBytes not sent server: " + std::to_string(client->PendingSend()) +
                          "\nIP and port: " + address + ":" + std::to_string(port) +
                          "\nReconnections: " + std::to_string(client->ReconnectCount()));
}

// Flushed at once, so the time measured is the server's and the wire's,
// not the send delay's.
void TChatcommands::Ping(TChatform&, const std::string&) {
    Session().PingSentAt = NowMs();
    Send(protocol::Build(protocol::TPingRequest{}));
    if (Session().Client) Session().Client->Flush();
}

void TChatcommands::Mem(TChatform&, const std::string&) {
    MsgBox("Alloc. mem: " + std::to_string(platform::AllocatedBytes()) + " ", "System", mb::kOk, mb::Ok);
}

void TChatcommands::Dicestat(TChatform& lobby, const std::string&) {
    for (const std::string& text : m_dice.Lines()) SystemLine(lobby, text);
}

// Helpers ---------------------------------------------------------------------------

void TChatcommands::SystemLine(TChatform& lobby, const std::string& text) {
    lobby.AddLine(text, kSystemNameColour, kSystemTextColour);
}

void TChatcommands::Send(const std::string& message) {
    if (Sender)
        Sender(message);
    else
        SendToServer(message);
}
