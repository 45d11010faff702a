#include "ServerFixture.h"

#include <cstdlib>
#include <filesystem>

namespace servertest {

std::string MakeTempFolder() {
    char pattern[] = "/tmp/qvserverXXXXXX";
    const char* made = mkdtemp(pattern);
    return made ? std::string(made) + "/" : std::string();
}

void RemoveFolder(const std::string& folder) {
    std::error_code ignored;
    if (!folder.empty()) std::filesystem::remove_all(folder, ignored);
}

std::string Field(const std::string& text) { return text + '\x01'; }

std::string LogonMessage(const std::string& alias, const std::string& password) {
    return Build(protocol::TLogon{.Alias = alias, .Password = password, .Distribution = 7, .Machine = 123456});
}

std::string RegistrationMessage(const std::string& alias, const std::string& password, int year, int month,
                                int day, int gender, int face) {
    return Build(protocol::TLogon{.Alias = alias, .Password = password, .Distribution = 7, .Machine = 123456,
                                  .Registration = true, .Year = year, .Month = month, .Day = day,
                                  .Gender = gender, .Face = face});
}

void ServerTest::SetUp() {
    m_folder = MakeTempFolder();
    ASSERT_FALSE(m_folder.empty());
    m_config.folder = m_folder;
    m_config.ports = {0};
    // No web site: a test never binds a fixed port, and the welcome stays
    // as the zone alone sends it.
    m_config.web.enabled = false;
    m_config.bindAddress = "127.0.0.1";
    m_config.hashOpsLimit = 1;
    m_config.hashMemLimitKiB = 8;
    // Every test client comes from one address and the clock hardly moves:
    // the limits per address are tested on their own.
    m_config.access.connectionsPerAddress = 100000;
    m_config.access.connectionsPerMinute = 1000000;
    StartServer();
}

void ServerTest::TearDown() {
    m_server.reset();
    RemoveFolder(m_folder);
}

void ServerTest::StartServer() {
    m_server.reset();
    m_server = std::make_unique<server::Server>(m_config, m_clock);
    m_server->SetLog([this](const std::string& line) { m_log.push_back(line); });
    std::string error;
    ASSERT_TRUE(m_server->Start(error)) << error;
}

std::unique_ptr<ModelClient> ServerTest::NewClient(bool resumable) {
    auto client = std::make_unique<ModelClient>(*m_server, m_server->Ports()[0]);
    EXPECT_TRUE(client->Connect());
    if (resumable)
        client->OpenResumable();
    else
        client->OpenPlain();
    return client;
}

bool ServerTest::ReachPrompt(ModelClient& client) {
    client.Send("O");
    std::string m;
    if (!m_config.versionQuery.empty()) {
        if (!client.NextMessage(m) || m != Build(protocol::TVersionQuery{m_config.versionQuery})) return false;
        client.Send(Build(protocol::TVersionAnswer{m_config.versionQuery, "3.61"}));
    }
    return client.NextMessage(m) && m == "R";
}

std::string ServerTest::LogOn(ModelClient& client, const std::string& logonMessage) {
    if (!ReachPrompt(client)) return "no prompt";
    client.Send(logonMessage);
    std::string answer;
    return client.NextMessage(answer) ? answer : "no answer";
}

void ServerTest::Register(const std::string& alias, const std::string& password) {
    auto client = NewClient();
    std::string answer = LogOn(*client, RegistrationMessage(alias, password));
    ASSERT_EQ(answer[0], '\x01') << "registration of " << alias;
    client->SendGoodbye();
    client->PumpUntil([&] { return client->Closed(); });
}

}  // namespace servertest
