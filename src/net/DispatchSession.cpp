// The session reactions: logon accepted (1) and refused (255), the server's
// box (23), the version query (81), the logon prompt (82), ignored codes and
// codes the table does not know.
#include "controls/MsgBoxes.h"
#include "net/DispatchCodes.h"
#include "net/Dispatcher.h"
#include "net/Session.h"
#include "net/transport/Client.h"
#include "resources/Inifile.h"
#include "resources/Paths.h"
#include "resources/Texts.h"

namespace dispatch {
namespace {

// The number of "c" requests after the logon: one per URL entry.
constexpr int kUrlEntries = 7;
// The refusal the user can answer by closing a game: the session stays.
constexpr int kErrorGame = 4;
// The colours of the reconnect line.
constexpr int kReconnectNameColour = 6, kReconnectTextColour = 7;

std::string RefusalText(int error) {
    switch (error) {
        case 1: return "Errorpass";
        case 2: return "Errorconnected";
        case 3: return "Errortoomany";
        case 4: return "Errorgame";
        case 10: return "Errorband";
        case 11: return "Erroralias";
        default: return "Error code " + std::to_string(error);
    }
}

void HideSessionForms() {
    TSessionWindows& windows = SessionWindows();
    if (windows.Registration && windows.Registration->Visible()) windows.Registration->Hide();
    if (windows.Logon && windows.Logon->Visible()) windows.Logon->Hide();
}

// From the logon on, the end of the session ends the program (after saying
// so, unless the user chose to leave) and a reconnect is announced in the
// lobby.
void InstallLoggedOnHandlers() {
    TSession& session = Session();
    TClient* client = session.Client;
    if (!client) return;
    session.LoggedOn = true;
    session.Leaving = false;
    session.EndOfSession = client->OnDisconnect.Subscribe([](TClient*, int) {
        if (!Session().Leaving) MsgBox("Disconnect", "Error", mb::kOk, mb::Ok);
        EndProgram();
    });
    client->OnReconnect = [](TClient*, int) {
        if (ILobbyWindow* lobby = SessionWindows().Lobby)
            lobby->AddLine(GetTextDef("Message", "Reconnecting", "Reconnecting"), kReconnectNameColour,
                           kReconnectTextColour);
    };
}

void ShowStartHelpOnce() {
    if (Session().StartHelpShown) return;
    Session().StartHelpShown = true;
    MsgBox("StartHelp", "Help", mb::kOk, mb::Ok);
}

}  // namespace

void LogonAccepted(TReader& m) {
    Session().WebPassword = ReadAs<protocol::TLogonAccepted>(m).WebPassword;
    HideSessionForms();
    CloseMsgBox(0);
    InstallLoggedOnHandlers();
    AddRoomLine(GetText("Message", "logontext"));
    if (ILobbyWindow* lobby = SessionWindows().Lobby) lobby->ShowLobby();
    for (int entry = 1; entry <= kUrlEntries; ++entry) SendToServer(protocol::Build(protocol::TUrlRequest{entry}));
    ShowStartHelpOnce();
    SettingsFile().WriteString("Lobbivex", "Name", Session().Alias);
}

void LogonRefused(TReader& m) {
    int error = ReadAs<protocol::TLogonRefused>(m).Error;
    ISessionForm* form = VisibleSessionForm();
    if (form) form->SetEnabled(true);
    CloseMsgBox(0);
    Notice(RefusalText(error), "Error");
    if (error == kErrorGame) return;
    if (form && form->Visible()) form->Focus();
    if (TClient* client = Session().Client) client->Close();
}

void ServerBox(TReader& m) {
    auto box = ReadAs<protocol::TServerBox>(m);
    ILogonWindow* logon = SessionWindows().Logon;
    if (logon && logon->Visible()) {
        logon->SetEnabled(true);
        CloseMsgBox(0);
    }
    Notice(box.Text, box.Title);
}

void VersionQuery(TReader& m) { SendVersion(ReadAs<protocol::TVersionQuery>(m).Name); }

void LogonPrompt(TReader&) {
    TSessionWindows& windows = SessionWindows();
    if (windows.Update && windows.Update->StartIfNeeded()) return;
    if (windows.Registration && windows.Registration->Visible())
        SendToServer(windows.Registration->LogonMessage());
    else if (windows.Logon)
        SendToServer(windows.Logon->LogonMessage());
}

void Ignored(TReader&) {}

void UnknownCode(int code, TReader& m) {
    CloseMsgBox(0);
    std::string text = "Wrong control: " + std::to_string(code);
    if (!m.AtEnd()) {
        int sub = m.Byte();
        text += "\rSubcontrol: " + std::to_string(sub) + "\rNetstring: " + m.Rest();
    }
    Notice(text, "Error");
}

}  // namespace dispatch

void SendVersion(const std::string& name) {
    TInifile file(InstallationRoot() + "version.ini");
    TSession& session = Session();
    if (!session.VersionQueried) {
        session.VersionQueried = true;
        session.DistributionNumber = file.ReadInteger("Version", "Gotfrom", 0);
    }
    std::string version = name == kClientVersionName ? std::string(kProgramVersion)
                                                      : file.ReadString("Version", name, "1.00");
    SendToServer(protocol::Build(protocol::TVersionAnswer{name, version}));
}
