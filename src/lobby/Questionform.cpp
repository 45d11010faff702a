#include "lobby/Questionform.h"

#include <algorithm>

#include "controls/Multilist.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/Paint.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {
constexpr char kOkElement[] = "0_mbOk";
}

TQuestionform::TQuestionform()
    : TForm("Question"), m_waitAnswer(GetText(kSection, "Waitanswer")) {
    m_question = TText::CreateFromLayout(Paint(), "Question", kSection);
    m_answers = std::make_unique<TMultilist>(Paint(), nullptr, this, "Answers", kSection, 1);
    m_answers->Show();
    m_ok = std::make_unique<TRollover>(Paint(), kSection, kOkElement, [this](TRollover*) { Close(); });
    m_ok->Show();
    SessionWindows().Question = this;
}

TQuestionform::~TQuestionform() {
    if (SessionWindows().Question == this) SessionWindows().Question = nullptr;
}

int TQuestionform::Ask(const std::string& question, const std::vector<std::string>& answers) {
    Fill(question, answers);
    // The wait under way answers the new question.
    if (Visible()) return 0;
    ShowModal();
    return ChosenRow();
}

void TQuestionform::Fill(const std::string& question, const std::vector<std::string>& answers) {
    m_question->SetText(question);
    m_answers->Clear();
    m_answers->AddCell(m_waitAnswer);
    const size_t count = std::min(answers.size(), static_cast<size_t>(kMaxAnswers));
    for (size_t i = 0; i < count; ++i) m_answers->AddCell(answers[i]);
    m_answers->Select(0);
}

int TQuestionform::ChosenRow() const {
    const int row = m_answers->Selected();
    return row >= 1 && row <= kMaxAnswers ? row : 0;
}

bool TQuestionform::FormKeyDown(int key, unsigned shift) {
    (void)shift;
    if (key != kEnterKey) return false;
    Close();
    return true;
}
