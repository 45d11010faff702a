// The logon window: its checks in order, the alias as the session keeps it,
// the entries' limits and keys, Cancel, the connect box and the port search.
#include "LogonFixture.h"
#include "controls/Text.h"
#include "resources/StrFuncs.h"

namespace nettest {
namespace {

using LogonTest = LogonFixture;

TEST_F(LogonTest, ChecksRunInOrderAndStopBeforeConnecting) {
    const std::pair<std::pair<const char*, const char*>, const char*> cases[] = {
        {{"", ""}, "Errorname"},           {{"a:b", ""}, "Illegalname"},
        {{"ann", ""}, "Errorpassword"},    {{"ann", "x=y"}, "Illegalpassword"},
        {{"a~", "x"}, "Illegalname"},      {{"ann", "[x"}, "Illegalpassword"},
    };
    for (const auto& [fields, text] : cases) {
        Logon().NameEdit()->SetText(fields.first);
        Logon().PasswordEdit()->SetText(fields.second);
        Logon().OkClick();
        EXPECT_EQ(LastBox().text, text) << fields.first << " / " << fields.second;
        EXPECT_EQ(LastBox().title, "Error");
        EXPECT_EQ(LastBox().buttons, mb::kOk);
        EXPECT_EQ(LastBox().defaultResult, mb::Ok);
    }
    EXPECT_EQ(boxes.calls.size(), 6u);
    EXPECT_EQ(Session().Client, nullptr);
}

TEST_F(LogonTest, CapitalIBecomesSmallAndNothingElseChanges) {
    SetPorts("Ports", std::to_string(ClosedPort()));
    const std::pair<const char*, const char*> cases[] = {{"Ib", "ib"}, {"IB", "iB"}, {"JoI", "Joi"}};
    for (const auto& [typed, stored] : cases) {
        boxes.answers = {mb::Cancel};
        Logon().NameEdit()->SetText(typed);
        Logon().PasswordEdit()->SetText("pw");
        Logon().OkClick();
        EXPECT_EQ(Session().Alias, stored);
        EXPECT_EQ(LastBox().text, "Connecttext");
        EXPECT_EQ(LastBox().title, "System");
        EXPECT_EQ(LastBox().buttons, mb::kConnect);
        EXPECT_EQ(LastBox().defaultResult, 0);
        // Cancel before the connection was made frees it.
        EXPECT_EQ(Session().Client, nullptr);
        EXPECT_TRUE(Logon().Enabled());
    }
}

TEST_F(LogonTest, TheNameTakesSixteenCharactersAndTheStoredNameAtStart) {
    SettingsFile().WriteString("Lobbivex", "Name", "stored");
    Logon().Show();
    EXPECT_EQ(Logon().NameEdit()->Text(), "stored");
    Logon().NameEdit()->SetText("");
    Type(Logon(), "abcdefghijklmnopq");
    EXPECT_EQ(Logon().NameEdit()->Text(), "abcdefghijklmnop");
    Logon().PasswordEdit()->Focus();
    Type(Logon(), std::string(21, 'x'));
    EXPECT_EQ(Logon().PasswordEdit()->Text().size(), 20u);
    EXPECT_EQ(Logon().PasswordEdit()->PasswordChar(), '*');
}

TEST_F(LogonTest, EnterMovesToThePasswordThenActsAsOk) {
    Logon().Show();
    Logon().Focus();
    Logon().NameEdit()->SetText("ann");
    EXPECT_TRUE(Logon().NameEdit()->Focused());
    Win(Logon()).KeyDown(TLogon::kEnterKey);
    EXPECT_TRUE(Logon().PasswordEdit()->Focused());
    EXPECT_TRUE(boxes.calls.empty());
    Win(Logon()).KeyDown(TLogon::kEnterKey);
    EXPECT_EQ(LastBox().text, "Errorpassword");
}

TEST_F(LogonTest, CancelClosesTheWindowAndTellsTheOwner) {
    int closed = 0;
    Logon().OnClose = [&](TForm*) { ++closed; };
    Logon().Show();
    Click(Logon(), 45, 105);
    EXPECT_FALSE(Logon().Visible());
    EXPECT_EQ(closed, 1);
}

TEST_F(LogonTest, APortSearchThatFindsNothingKeepsTheStoredPorts) {
    std::string stored = std::to_string(ClosedPort());
    SetPorts("Ports", stored);
    SetPorts("Portlist", std::to_string(ClosedPort()) + "," + std::to_string(ClosedPort()));
    std::vector<std::vector<int>> triedPorts;
    boxes.onBox = [&](const TBoxCall& call) {
        if (call.text != "Connecttext") return 0;
        triedPorts.push_back(Session().Client->Ports());
        return triedPorts.size() == 1 ? mb::Custom1 : mb::Cancel;
    };
    Logon().NameEdit()->SetText("ann");
    Logon().PasswordEdit()->SetText("pw");
    Logon().OkClick();
    ASSERT_EQ(boxes.calls.size(), 3u);
    EXPECT_EQ(boxes.calls[1].text, "Searchtext");
    EXPECT_EQ(boxes.calls[1].buttons, 0u);
    EXPECT_EQ(boxes.closed.back(), 0);
    EXPECT_EQ(SettingsFile().ReadString("Lobbivex", "Ports", ""), stored);
    ASSERT_EQ(triedPorts.size(), 2u);
    EXPECT_EQ(triedPorts[1], triedPorts[0]);
}

TEST_F(LogonTest, TheHelloGoesOutWhenTheConnectionIsMade) {
    TPeer server;
    SetPorts("Ports", std::to_string(server.Port()));
    TCallLog log;
    TFakeDialogs update(log);
    SessionWindows().Update = &update;
    boxes.onBox = [&](const TBoxCall&) {
        NetFixture::PumpUntil([] { return Session().Client && Session().Client->LoggedIn(); });
        return 0;  // as when the dispatcher closes the box
    };
    Session().Alias = "ann";
    Logon().Connect();
    ASSERT_NE(Session().Client, nullptr);
    EXPECT_TRUE(Session().Client->Resumable);
    EXPECT_EQ(Session().Client->GetSendDelay(), TConnector::kSendDelayMs);
    EXPECT_TRUE(log.Has("Update.Clear()"));
    ASSERT_TRUE(server.Accept());
    Loop().RunFor(TConnector::kSendDelayMs + 10);
    // The opening, then the hello and the first keep-alive in one send.
    EXPECT_EQ(server.Read(4), std::string("\xFE\x80O{"));
}

TEST_F(LogonTest, TheLogonMessageAndTheVersionLabel) {
    EXPECT_EQ(Logon().VersionLabel()->Text(), "v3.61");
    Session().Alias = "ib";
    Session().DistributionNumber = 12;
    Logon().PasswordEdit()->SetText("pw");
    EXPECT_EQ(Logon().LogonMessage(), "\x04" "0\x01" "0\x01" "ib\x01" "pw\x01" "12\x01" +
                                          std::to_string(VolumeSerial()) + "\x01");
}

}  // namespace
}  // namespace nettest
