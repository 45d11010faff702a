// The lobby's chat commands, typed into the input line: the table's rows in
// their order and conditions, the system lines they answer with, the dump
// of the current room, and the operator's upload driven by code 37.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "lobby/Chatcommands.h"
#include "lobby/ChatformFixture.h"
#include "platform/Files.h"
#include "protocol/ClientMessages.h"
#include "rules/Dicestat.h"
#include "shell/MyTimer.h"

namespace {

struct TBoxCall {
    std::string text, title;
    unsigned buttons;
    int defaultResult;
};

class TRecordingBoxes : public IMsgBoxes {
public:
    int NewMsgBox(TForm*, int) override { return 0; }
    int MsgBoxIn(const std::string& text, const std::string& title, unsigned buttons, int, int defaultResult) override {
        calls.push_back({text, title, buttons, defaultResult});
        return mb::Ok;
    }
    void CloseMsgBox(int) override {}
    std::vector<TBoxCall> calls;
};

class Chatcommands : public lobbytest::ChatformTest {
protected:
    void SetUp() override {
        SetMsgBoxes(&boxes);
        ChatformTest::SetUp();
        commands = std::make_unique<TChatcommands>(dice);
        commands->Sender = [this](const std::string& message) { sent.push_back(message); };
        Lobby().OnChatCommand = [this](TChatform* lobby, const std::string& line) {
            return commands->Execute(*lobby, line);
        };
        OpenRoom(2, 10, "Lobby");
    }
    void TearDown() override {
        commands.reset();
        ChatformTest::TearDown();
    }
    static std::string Chat(const std::string& text) { return protocol::Build(protocol::TSay{10, text}); }
    void WriteProgramFile(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(platform::WriteWholeFile(Dir() + name, bytes.data(), static_cast<int64_t>(bytes.size())));
    }
    std::string ReadProgramFile(const std::string& name) {
        std::ifstream in(Dir() + name, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    rules::TDicestat dice;
    TRecordingBoxes boxes;
    std::unique_ptr<TChatcommands> commands;
};

TEST_F(Chatcommands, ClearHangupAndReconnectAreCommandsAndEndInTheHistory) {
    ChatLine(10, "eva: hello");
    Enter("/clear");
    EXPECT_TRUE(Lines(10).empty());
    Enter("/hangup");
    Enter("/reconnect at once please");
    EXPECT_TRUE(sent.empty());
    EXPECT_TRUE(Lobby().Input()->Text().empty());
    std::string line;
    TInputHistory history = Lobby().InputHistory();
    ASSERT_TRUE(history.Previous(line));
    EXPECT_EQ(line, "/reconnect at once please");
    // Exact rows take nothing after them: this one is chat.
    Enter("/clear all");
    EXPECT_EQ(sent, std::vector<std::string>{Chat("/clear all")});
}

TEST_F(Chatcommands, PingInCapitalsIsSentAloneWhenPrivilegedAndIsChatOtherwise) {
    Enter("/PING");
    EXPECT_EQ(sent, std::vector<std::string>{Chat("/PING")});
    sent.clear();
    Session().Privileged = 1;
    Loop().AdvanceMs(1000);
    Enter("/PING");
    EXPECT_EQ(sent, std::vector<std::string>{protocol::Build(protocol::TPingRequest{})});
    EXPECT_EQ(Session().PingSentAt, NowMs() - 5000);
}

TEST_F(Chatcommands, MemShowsTheAllocatedBytesInABox) {
    Enter("/mem");
    ASSERT_EQ(boxes.calls.size(), 1u);
    const std::string& text = boxes.calls[0].text;
    ASSERT_TRUE(text.starts_with("Alloc. mem: ") && text.ends_with(" ")) << text;
    EXPECT_GT(std::stoll(text.substr(12)), 0);
    EXPECT_EQ(boxes.calls[0].title, "System");
    EXPECT_EQ(boxes.calls[0].buttons, mb::kOk);
    EXPECT_EQ(boxes.calls[0].defaultResult, mb::Ok);
    EXPECT_TRUE(sent.empty());
}

TEST_F(Chatcommands, DicestatWithNothingCountedShowsTheHeadingsAndZeroRolls) {
    Enter("/dicestat");
    EXPECT_EQ(sent, std::vector<std::string>{Chat("/dicestat")});
    sent.clear();
    Session().Privileged = 1;
    Enter("/dicestat now");
    EXPECT_TRUE(sent.empty());
    const std::vector<std::string> lines = Lines(10);
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 4, lines.end()),
              (std::vector<std::string>{"System: Dice Stat", "Rolls: 0", "System: Double roll Stat (Backgam.)",
                                        "Rolls: 0"}));
}

TEST_F(Chatcommands, NetstatusWithoutAConnectionSaysSo) {
    Enter("/netstatus");
    EXPECT_EQ(LastLine(10), "Sysop: Not connected");
    EXPECT_TRUE(sent.empty());
}

TEST_F(Chatcommands, DumpchatWritesPlainLinesWithoutThePickedSymbol) {
    ChatLine(10, "eva: hi");
    ChatLine(10, std::string("bob: look \x01\xFC\x63" "A\x01\xFC\xFF" " here"));
    Enter("/dumpchat");
    EXPECT_EQ(ReadProgramFile("chat.txt"), "eva: hi\r\nbob: look  here\r\n");
    EXPECT_TRUE(sent.empty());
}

TEST_F(Chatcommands, TheOperatorsUploadSendsChunksOnEachRequestOneAtATime) {
    const std::string bytes = std::string(5000, 'x') + "tail";
    WriteProgramFile("up.bin", bytes);
    Enter("/sendfile up.bin");
    EXPECT_EQ(sent, std::vector<std::string>{Chat("/sendfile up.bin")});  // not the operator
    sent.clear();
    Session().Alias = "Sysop";
    Enter("/sendfile up.bin");
    EXPECT_EQ(sent, std::vector<std::string>{protocol::Build(protocol::TUploadStart{"up.bin", 5004})});
    Enter("/sendfile other.bin");
    EXPECT_EQ(LastLine(10), "Sysop: Already sending file");
    Enter("/filestatus");
    EXPECT_EQ(LastLine(10), "Sysop: 0 / 5004");
    EXPECT_EQ(sent.size(), 1u);
    Dispatch("\x25");
    Dispatch("\x25");
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1], protocol::Build(protocol::TUploadChunk{bytes.substr(0, 5000)}));
    EXPECT_EQ(sent[2], protocol::Build(protocol::TUploadChunk{"tail"}));
    EXPECT_FALSE(commands->UploadPending());
    Dispatch("\x25");
    EXPECT_EQ(sent.size(), 3u);
}

TEST_F(Chatcommands, ServerProgramsAreRenamedAndAnUnreadableFileStartsNothing) {
    Session().Alias = "Sysop";
    WriteProgramFile("Server.exe", "MZ");
    Enter("/sendfile Server.exe");
    EXPECT_EQ(sent, std::vector<std::string>{protocol::Build(protocol::TUploadStart{"server.ext", 2})});
    Dispatch("\x25");
    sent.clear();
    Enter("/sendfile missing.bin");
    EXPECT_EQ(LastLine(10), "Sysop: Cannot read file missing.bin");
    EXPECT_TRUE(sent.empty());
    EXPECT_FALSE(commands->UploadPending());
}

}  // namespace
