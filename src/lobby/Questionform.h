// TQuestionform: the window in which the server asks a multiple-choice
// question (server message 113, code "q").
//
// The label "Question" shows the question, the list "Answers" a fixed first
// row (the text "Waitanswer" of section "Question", read when the window is
// created) and then the answers, and the OK button "0_mbOk" (or Enter)
// closes the window. The window is shown modally and Ask returns the row
// chosen when it closed: a real answer is 1 or more (the dispatcher sends it
// back as "q" and the row number as one byte); the fixed row, or no row,
// gives 0.
//
// A question that arrives while the window is up replaces the one shown and
// returns 0 at once; the wait already under way answers the new one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "controls/Form.h"
#include "net/SessionWindows.h"

class TMultilist;
class TRollover;
class TText;

class TQuestionform : public TForm, public IQuestionWindow {
public:
    static constexpr char kSection[] = "Question";
    // An answer's row number travels as one byte.
    static constexpr int kMaxAnswers = 255;
    static constexpr int kEnterKey = 13;

    TQuestionform();
    ~TQuestionform() override;

    // Shows the question and waits for the window to close; answers past
    // kMaxAnswers are dropped.
    int Ask(const std::string& question, const std::vector<std::string>& answers) override;

    const std::string& WaitAnswer() const { return m_waitAnswer; }
    TText* QuestionLabel() const { return m_question.get(); }
    TMultilist* Answers() const { return m_answers.get(); }
    TRollover* OkButton() const { return m_ok.get(); }

protected:
    bool FormKeyDown(int key, unsigned shift) override;

private:
    void Fill(const std::string& question, const std::vector<std::string>& answers);
    int ChosenRow() const;

    std::string m_waitAnswer;
    std::unique_ptr<TText> m_question;
    std::unique_ptr<TMultilist> m_answers;
    std::unique_ptr<TRollover> m_ok;
};
