// The question window: only a real answer gives its row.
#include <gtest/gtest.h>

#include "controls/Multilist.h"
#include "controls/Text.h"
#include "lobby/LobbyFixture.h"
#include "lobby/Questionform.h"

namespace {

class QuestionformTest : public lobbytest::DialogsTest {
protected:
    void SetUp() override {
        DialogsTest::SetUp();
        m_form = std::make_unique<TQuestionform>();
    }
    void TearDown() override {
        m_form.reset();
        DialogsTest::TearDown();
    }
    // Selects the row and presses OK once the window waits.
    void AnswerWith(int row) {
        Script({[this, row] {
            m_form->Answers()->Select(row);
            Click(*m_form, *m_form->OkButton());
        }});
    }
    std::unique_ptr<TQuestionform> m_form;
};

TEST_F(QuestionformTest, OnlyARealAnswerGivesItsRowNumber) {
    AnswerWith(2);
    EXPECT_EQ(m_form->Ask("Which colour", {"Red", "Blue"}), 2);
    EXPECT_EQ(m_form->QuestionLabel()->Text(), "Which colour");
    EXPECT_EQ(m_form->Answers()->Cell(0, 0), "Choose");
    EXPECT_EQ(m_form->Answers()->Cell(0, 2), "Blue");
    AnswerWith(0);
    EXPECT_EQ(m_form->Ask("Again", {"Yes"}), 0);
    EXPECT_EQ(m_form->Answers()->RowCount(), 2);
    EXPECT_FALSE(m_form->Visible());
}

TEST_F(QuestionformTest, AnswersBeyondOneByteAreDropped) {
    Script({[&] {
        m_form->Answers()->Select(m_form->Answers()->RowCount() - 1);
        Win(*m_form).KeyDown(lobbytest::kEnter);
    }});
    EXPECT_EQ(m_form->Ask("Many", std::vector<std::string>(300, "a")), 255);
}

}  // namespace
