// A real server on loopback in a fresh temporary folder, driven by a manual
// clock, with the cheapest password hashing, plus the logon conversation as
// a client speaks it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Clock.h"
#include "ModelClient.h"
#include "Server.h"
#include "ServerConfig.h"
#include "protocol/Messages.h"

namespace servertest {

std::string MakeTempFolder();
void RemoveFolder(const std::string& folder);

// The logon message: 0x04 "0" 0x01 "0" 0x01 alias 0x01 password 0x01
// distribution 0x01 machine 0x01.
std::string LogonMessage(const std::string& alias, const std::string& password);
std::string RegistrationMessage(const std::string& alias, const std::string& password, int year = 1990,
                                int month = 5, int day = 17, int gender = 1, int face = 2);
std::string Field(const std::string& text);

class ServerTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Restarts the server with the configuration as changed by the test.
    void StartServer();
    std::unique_ptr<ModelClient> NewClient(bool resumable = true);
    // Hello, version query and prompt; true when the prompt came.
    bool ReachPrompt(ModelClient& client);
    // The whole logon; returns the server's answer (code 1 or 255 ...).
    std::string LogOn(ModelClient& client, const std::string& logonMessage);
    // A registered account, made through the server itself.
    void Register(const std::string& alias, const std::string& password);

    std::string m_folder;
    server::ServerConfig m_config;
    server::ManualClock m_clock;
    std::unique_ptr<server::Server> m_server;
    std::vector<std::string> m_log;
};

}  // namespace servertest
