#include "lobby/Spamform.h"

#include <algorithm>
#include <string>

#include "controls/Text.h"
#include "graphics/Paint.h"
#include "graphics/Sound.h"
#include "platform/Platform.h"
#include "shell/MyTimer.h"

namespace {
constexpr char kSound[] = "spam.wav";
}

TSpamform::TSpamform()
    : TForm("Spam", platform::WindowKind::StaysOnTop),
      m_start(std::make_unique<TMyTimer>()),
      m_wait(std::make_unique<TMyTimer>()) {
    m_spammed = TText::CreateFromLayout(Paint(), "Spammed", kSection);
    m_count = TText::CreateFromLayout(Paint(), "Spamcount", kSection);
    m_start->OnTimer = [this](TMyTimer* sender) {
        sender->SetEnabled(false);
        Count();
    };
    m_wait->OnTimer = [this](TMyTimer* sender) {
        sender->SetEnabled(false);
        m_waited = true;
    };
}

TSpamform::~TSpamform() = default;

void TSpamform::ShowAt(int left, int top) {
    SetPosition(left, top);
    Show();
}

void TSpamform::FormShow() {
    m_closable = false;
    StopSounds();
    PlaySound(kSound);
    m_start->SetInterval(kStartDelayMs);
    m_start->SetEnabled(true);
}

void TSpamform::Count() {
    m_counting = true;
    const std::vector<TForm*> disabled = DisableForms();
    for (int n = kCountFrom; n >= 0 && !platform::Loop().Terminated(); --n) {
        m_count->SetText(std::to_string(n));
        Paint()->Update();
        Wait(kStepMs);
    }
    // Forms freed during the count have left the registry.
    const auto& forms = TForm::All();
    for (TForm* form : disabled) {
        if (std::find(forms.begin(), forms.end(), form) != forms.end()) form->SetEnabled(true);
    }
    m_counting = false;
    m_closable = true;
    Close();
}

// Pumps the loop until the wait timer has fired once; the handler that
// runs this is left out of the timer passes meanwhile, the wait timer not.
void TSpamform::Wait(int ms) {
    m_waited = false;
    m_wait->SetInterval(ms);
    m_wait->SetEnabled(true);
    platform::IEventLoop& loop = platform::Loop();
    while (!m_waited && !loop.Terminated()) loop.WaitMessage();
    m_wait->SetEnabled(false);
}

std::vector<TForm*> TSpamform::DisableForms() {
    std::vector<TForm*> disabled;
    for (TForm* form : TForm::All()) {
        if (form->Visible() && form->Enabled()) {
            form->SetEnabled(false);
            disabled.push_back(form);
        }
    }
    return disabled;
}
