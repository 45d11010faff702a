// The dispatcher's session reactions: logon accepted and refused, the
// server's box, the version query, the logon prompt, the question, and
// codes the table does not know.
#include "DispatchFixture.h"
#include "resources/Inifile.h"

namespace nettest {
namespace {

using DispatchSessionTest = DispatchFixture;

TEST_F(DispatchSessionTest, RefusalGameLeavesTheSessionOpenEveryOtherRefusalClosesIt) {
    TClient& c = SessionClient();
    logonForm.visible = true;
    Dispatch(std::string("\xFF\x04", 2));
    EXPECT_EQ(LastBox().text, "Errorgame");
    EXPECT_EQ(LastBox().title, "Error");
    EXPECT_EQ(LastBox().buttons, mb::kOk);
    EXPECT_EQ(LastBox().defaultResult, mb::Ok);
    EXPECT_TRUE(log.Has("Logon.SetEnabled(1)"));
    EXPECT_FALSE(log.Has("Logon.Focus()"));
    EXPECT_FALSE(c.Closing());

    Dispatch(std::string("\xFF\x01", 2));
    EXPECT_EQ(LastBox().text, "Errorpass");
    EXPECT_TRUE(log.Has("Logon.Focus()"));
    EXPECT_TRUE(c.Closing());
    EXPECT_EQ(boxes.closed, (std::vector<int>{0, 0}));
}

TEST_F(DispatchSessionTest, RefusalTextsByNumber) {
    const std::pair<int, const char*> expected[] = {{2, "Errorconnected"}, {3, "Errortoomany"},
                                                    {10, "Errorband"},     {11, "Erroralias"},
                                                    {7, "Error code 7"},   {0, "Error code 0"}};
    for (const auto& [error, text] : expected) {
        Dispatch(std::string("\xFF") + char(error));
        EXPECT_EQ(LastBox().text, text);
    }
    Dispatch("\xFF");  // the error byte missing reads as 0
    EXPECT_EQ(LastBox().text, "Error code 0");
}

TEST_F(DispatchSessionTest, VersionQueryAnswersTheClientsOwnVersionWhateverTheFileSays) {
    WriteFile(root + "version.ini", "[Version]\r\nlobbivex=9.99\r\nGammon=2.5\r\nGotfrom=77\r\n");
    SessionClient();
    Dispatch("Q" + F("lobbivex"));
    EXPECT_EQ(Sent(), "Q" + F("lobbivex") + F("3.61"));
    Dispatch("Q" + F("gammon"));
    EXPECT_EQ(Sent(), "Q" + F("gammon") + F("2.5"));
    Dispatch("Q" + F("absent"));
    EXPECT_EQ(Sent(), "Q" + F("absent") + F("1.00"));
    EXPECT_EQ(Session().DistributionNumber, 77);
    // Read with the first answer only.
    WriteFile(root + "version.ini", "[Version]\r\nGotfrom=5\r\n");
    Dispatch("Q" + F("x"));
    EXPECT_EQ(Session().DistributionNumber, 77);
}

TEST_F(DispatchSessionTest, LogonAcceptedHidesTheFormsOpensTheLobbyAndAsksForTheUrls) {
    TClient& c = SessionClient();
    Session().Alias = "ida";
    logonForm.visible = registration.visible = true;
    Dispatch("\x01" + F("webpw"));
    EXPECT_EQ(Session().WebPassword, "webpw");
    EXPECT_TRUE(log.Has("Logon.Hide()"));
    EXPECT_TRUE(log.Has("Registration.Hide()"));
    EXPECT_TRUE(log.Has("ShowLobby()"));
    EXPECT_EQ(Lines(), (std::vector<std::string>{"AddLine(Welcome,0,8355711)"}));
    for (char entry = 1; entry <= 7; ++entry) EXPECT_EQ(Sent(), std::string("c") + entry);
    EXPECT_EQ(LastBox().text, "StartHelp");
    EXPECT_EQ(LastBox().title, "Help");
    EXPECT_EQ(SettingsFile().ReadString("Lobbivex", "Name", ""), "ida");

    // The start help shows once per program.
    size_t boxCount = boxes.calls.size();
    Dispatch("\x01" + F("again"));
    EXPECT_EQ(boxes.calls.size(), boxCount);

    // From now on a lost session ends the program after the box.
    c.OnDisconnect.Fire(&c, 0);
    EXPECT_EQ(LastBox().text, "Disconnect");
    EXPECT_EQ(endings, 1);
    c.OnReconnect(&c, 1);
    EXPECT_EQ(log.calls.back(), "AddLine(Reconnecting,6,7)");
}

TEST_F(DispatchSessionTest, ServerBoxReenablesAVisibleLogonFirst) {
    Dispatch("\x17" + F("Maintenance") + F("Sysop"));
    EXPECT_TRUE(boxes.closed.empty());
    EXPECT_EQ(LastBox().text, "Maintenance");
    EXPECT_EQ(LastBox().title, "Sysop");
    logonForm.visible = true;
    Dispatch("\x17" + F("Again"));
    EXPECT_EQ(boxes.closed, std::vector<int>{0});
    EXPECT_TRUE(log.Has("Logon.SetEnabled(1)"));
    EXPECT_EQ(LastBox().title, "");
}

TEST_F(DispatchSessionTest, LogonPromptSendsTheVisibleFormsLogonUnlessAnUpdateStarts) {
    SessionClient();
    Dispatch("R");
    EXPECT_EQ(Sent(), "Logon-logon");
    registration.visible = true;
    Dispatch("R");
    EXPECT_EQ(Sent(), "Registration-logon");
    dialogs.startUpdate = true;
    Dispatch("R");
    client->Send("marker");
    EXPECT_EQ(Sent(), "marker");
}

TEST_F(DispatchSessionTest, QuestionSendsTheChosenAnswerAsOneByte) {
    SessionClient();
    dialogs.answer = 2;
    Dispatch("q" + F("Which?") + F("A") + F("B") + "C");
    EXPECT_EQ(log.calls.back(), "Ask(Which?,A;B;C;)");
    EXPECT_EQ(Sent(), "q\x02");
    dialogs.answer = 0;  // the fixed first entry: no answer
    Dispatch("q" + F("Again?"));
    EXPECT_EQ(log.calls.back(), "Ask(Again?,)");
    client->Send("marker");
    EXPECT_EQ(Sent(), "marker");
}

TEST_F(DispatchSessionTest, UnknownCodeShowsTheCodeTheNextByteAndTheRest) {
    Dispatch("\xC8\x05" "abc");
    EXPECT_EQ(boxes.closed, std::vector<int>{0});
    EXPECT_EQ(LastBox().text, "Wrong control: 200\rSubcontrol: 5\rNetstring: abc");
    EXPECT_EQ(LastBox().title, "Error");
    Dispatch("\x02");
    EXPECT_EQ(LastBox().text, "Wrong control: 2");
    Dispatch("\x03\x09");
    EXPECT_EQ(LastBox().text, "Wrong control: 3\rSubcontrol: 9\rNetstring: ");
    Dispatch("");  // no code byte at all
    EXPECT_EQ(LastBox().text, "Wrong control: 0");
}

TEST_F(DispatchSessionTest, IgnoredCodesDoNothing) {
    Dispatch("\x13");
    Dispatch("\x1D" + F("a") + F("b"));
    EXPECT_TRUE(boxes.calls.empty());
    EXPECT_TRUE(log.calls.empty());
}

}  // namespace
}  // namespace nettest
