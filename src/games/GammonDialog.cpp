#include "games/GammonDialog.h"

#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/Myimage.h"
#include "graphics/Paint.h"
#include "resources/Inifile.h"
#include "resources/Texts.h"

TGammonDialog::TGammonDialog(TPaint* surface, const std::string& section) {
    m_box = std::make_unique<TMyimage>(surface, "2_Doubbox");
    m_box->MoveTo(SettingsFile().ReadInteger(section, "Doubleboxx", 0),
                  SettingsFile().ReadInteger(section, "Doubleboxy", 0));
    m_yes = std::make_unique<TRollover>(surface, section, "2_Doubok", [this](TRollover*) { Answer(true); });
    m_no = std::make_unique<TRollover>(surface, section, "2_Doubno", [this](TRollover*) { Answer(false); });
    m_text = TText::CreateFromLayout(surface, "Doubletext", section);
    m_text->Hide();
    m_initialText = m_text->Text();
}

TGammonDialog::~TGammonDialog() = default;

void TGammonDialog::Ask(const std::string& text, TAnswer onAnswer) {
    m_onAnswer = std::move(onAnswer);
    m_open = true;
    m_box->Show();
    m_text->SetText(text);
    m_text->Hide();
    m_text->Show();
    m_yes->Show();
    m_no->Show();
}

void TGammonDialog::Close() {
    m_open = false;
    m_onAnswer = nullptr;
    m_yes->Hide();
    m_no->Hide();
    m_text->Hide();
    m_box->Hide();
}

// The handler runs after the box is gone, so it may open the next one.
void TGammonDialog::Answer(bool yes) {
    if (!m_open) return;
    TAnswer answer = std::move(m_onAnswer);
    Close();
    if (answer) answer(yes);
}
