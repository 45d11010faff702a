#include "net/Connector.h"

#include "controls/MsgBoxes.h"
#include "net/Dispatcher.h"
#include "net/Session.h"
#include "net/SessionWindows.h"
#include "net/transport/Client.h"
#include "protocol/ClientMessages.h"
#include "resources/Inifile.h"
#include "resources/Texts.h"

namespace {

constexpr char kSection[] = "Lobbivex";
// The reference server's first port, for settings that name no ports.
constexpr int kDefaultPort = 2000;
constexpr int kHighestPort = 65535;

void ShowConnectionError(TClient*, const std::string& text) {
    CloseMsgBox(0);
    MsgBox(text, "Error", mb::kOk, mb::Ok);
}

}  // namespace

TConnector::TConnector() = default;

TConnector::~TConnector() { Release(); }

TClient* TConnector::Client() const { return m_client.get(); }

std::vector<int> TConnector::StoredPorts(const std::string& key) {
    std::vector<int> ports;
    for (int32_t port : SettingsFile().ReadIntList(kSection, key))
        if (port >= 1 && port <= kHighestPort) ports.push_back(port);
    return ports;
}

void TConnector::Connect() {
    while (true) {
        CreateClient();
        m_client->Open();
        int result = MsgBox("Connecttext", "System", mb::kConnect, 0);
        if (result == mb::Cancel) {
            EndConnection();
            return;
        }
        if (result != mb::Custom1) return;
        EndConnection();
        MsgBox("Searchtext", "System", 0, 0);
        SearchPorts();
        CloseMsgBox(0);
    }
}

void TConnector::EndConnection() {
    if (m_client && m_client->LoggedIn())
        m_client->Close();
    else
        Release();
}

void TConnector::CreateClient() {
    Release();
    TSession& session = Session();
    session.ServerHost = SettingsFile().ReadString(kSection, "Server-" + Language(), kDefaultServerHost);
    m_client = std::make_unique<Tnet>();
    TClient& client = *m_client;
    client.SetSendDelay(kSendDelayMs);
    client.Host = session.ServerHost;
    client.OnConnect = [this](TClient*) { Hello(); };
    session.LoggedOn = false;
    m_disconnected = client.OnDisconnect.Subscribe([this](TClient* socket, int) { Disconnected(socket); });
    client.OnError = nullptr;
    client.WaitForConnect = false;
    std::vector<int> ports = StoredPorts("Ports");
    if (ports.empty())
        client.Port = kDefaultPort;
    else
        client.SetPorts(ports);
    InstallDispatcher(client);
    client.Resumable = true;
    if (WaitStep) client.WaitStep = WaitStep;
    session.Client = &client;
}

void TConnector::Hello() {
    if (IUpdate* update = SessionWindows().Update) update->Clear();
    SendToServer(protocol::Build(protocol::THello{}));
    if (m_client) m_client->OnError = ShowConnectionError;
}

void TConnector::Disconnected(TClient* client) {
    if (client == m_client.get() && !Session().LoggedOn) Release();
}

void TConnector::SearchPorts() {
    Tnet prober;
    if (WaitStep) prober.WaitStep = WaitStep;
    std::vector<int> found =
        prober.FindOpenPorts(Session().ServerHost, StoredPorts("Portlist"), kPortSearchLimit);
    if (found.empty()) return;
    SettingsFile().WriteIntList(kSection, "Ports", std::vector<int32_t>(found.begin(), found.end()));
}

void TConnector::Release() {
    if (m_client && Session().Client == m_client.get()) Session().Client = nullptr;
    m_client.reset();
}
