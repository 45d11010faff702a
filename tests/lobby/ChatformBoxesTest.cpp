// The lobby's boxes: the error box at the top of its handlers and the
// question before it closes.
#include <gtest/gtest.h>

#include <stdexcept>

#include "lobby/ChatformFixture.h"
#include "lobby/ErrorBox.h"

namespace {

struct TBoxCall {
    std::string text, title;
    unsigned buttons;
    int defaultResult;
};

class TRecordingBoxes : public IMsgBoxes {
public:
    int NewMsgBox(TForm*, int) override { return 0; }
    int MsgBoxIn(const std::string& text, const std::string& title, unsigned buttons, int,
                 int defaultResult) override {
        calls.push_back({text, title, buttons, defaultResult});
        return answer;
    }
    void CloseMsgBox(int slot) override { closed.push_back(slot); }

    std::vector<TBoxCall> calls;
    std::vector<int> closed;
    int answer = 0;
};

class ChatformBoxes : public lobbytest::ChatformTest {
protected:
    void SetUp() override {
        SetMsgBoxes(&boxes);
        ChatformTest::SetUp();
    }
    TRecordingBoxes boxes;
};

TEST_F(ChatformBoxes, AnErrorInAHandlerClosesTheSharedBoxAndShowsTheProgress) {
    SetStartupProgressSource([] { return 1234; });
    OpenRoom(2, 10, "Lobby");
    OpenRoom(2, 11, "Games");
    Lobby().Sender = [](const std::string&) { throw std::runtime_error("broken"); };
    Click(*Lobby().RoomTabs()->Tab(2));
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.closed, (std::vector<int>{0}));
    EXPECT_EQ(boxes.calls[0].text, "Der skete en fejl!1234");
    EXPECT_EQ(boxes.calls[0].title, "Error");
    EXPECT_EQ(boxes.calls[0].buttons, mb::kOk);
    EXPECT_EQ(boxes.calls[0].defaultResult, mb::Ok);
}

TEST_F(ChatformBoxes, ClosingAsksWithTheAliasAndTheLobbyStaysWhenRefused) {
    Win().CloseRequest();
    ASSERT_EQ(boxes.calls.size(), 1u);
    EXPECT_EQ(boxes.calls[0].text, "Leave Me");
    EXPECT_EQ(boxes.calls[0].buttons, mb::kYesNo);
    EXPECT_EQ(boxes.calls[0].defaultResult, mb::No);
    EXPECT_TRUE(Lobby().Visible());
    // Agreed, it still does not hide itself: the logon window's close ends
    // the program.
    boxes.answer = mb::Yes;
    Click(*Lobby().CloseButton());
    EXPECT_EQ(boxes.calls.size(), 2u);
    EXPECT_TRUE(Lobby().Visible());
}

}  // namespace
