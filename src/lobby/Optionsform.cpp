#include "lobby/Optionsform.h"

#include "controls/Check.h"
#include "controls/Rollover.h"
#include "graphics/Paint.h"
#include "graphics/Sound.h"
#include "lobby/ErrorBox.h"
#include "net/Session.h"
#include "protocol/ClientMessages.h"

namespace {
constexpr char kOkElement[] = "0_mbOk";
}

TOptionsform::TOptionsform() : TForm(kPainter) {
    m_sound = std::make_unique<TCheck>(Paint(), "", "Sound", kSoundSection);
    // Set while hidden, so the first value raises no change.
    m_sound->SetTicked(SoundOn());
    m_sound->OnChange = [this](TCheck*) { Guarded([&] { SoundChanged(); }); };
    m_sound->Show();
    m_ok = std::make_unique<TRollover>(Paint(), kSection, kOkElement, [this](TRollover*) { Close(); });
    m_ok->Show();
    m_change = std::make_unique<TRollover>(Paint(), kSection, "Change",
                                           [this](TRollover*) { Guarded([&] { ChangeClicked(); }); });
    m_change->Show();
    SessionWindows().Options = this;
}

TOptionsform::~TOptionsform() {
    if (SessionWindows().Options == this) SessionWindows().Options = nullptr;
}

void TOptionsform::SetSoundToggle(bool on) {
    m_settingToggle = true;
    m_sound->SetTicked(on);
    m_settingToggle = false;
}


void TOptionsform::SoundChanged() {
    if (m_settingToggle) return;
    const int value = m_sound->Ticked() ? 1 : 0;
    std::string& options = Session().OptionString;
    const char digit = static_cast<char>('0' + value);
    if (options.empty())
        options = std::string(1, digit);
    else
        options[0] = digit;
    SetSoundOn(value != 0);
    // The value goes as value + 1, so that no byte is 0.
    Send(protocol::Build(protocol::TSetOption{kSoundOption, value + 1}));
}

void TOptionsform::ChangeClicked() { Send(protocol::Build(protocol::TAccountRequest{})); }

void TOptionsform::Send(const std::string& message) {
    if (Sender)
        Sender(message);
    else
        SendToServer(message);
}
