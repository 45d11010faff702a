#include "games/Gammonoptions.h"

#include "controls/Check.h"
#include "controls/Rollover.h"
#include "graphics/Paint.h"

namespace {

constexpr char kStates[] = "2_chekof,2_chekon";

}  // namespace

TGammonOptionsform::TGammonOptionsform() : TForm("2_Options") {
    auto make = [this](const char* key, const char* section, TToggled TGammonOptionsform::*event) {
        auto check = std::make_unique<TCheck>(Paint(), kStates, key, section);
        check->OnChange = [this, event](TCheck* sender) {
            if (!m_quiet && this->*event) (this->*event)(sender->Ticked());
        };
        check->Show();
        return check;
    };
    m_anims = make("Anims", "GammonOptions", &TGammonOptionsform::OnAnims);
    m_automatic = make("Automatic", "Gammonoptions", &TGammonOptionsform::OnAutomatic);
    m_confirm = make("Confirm", "Gammonoptions", &TGammonOptionsform::OnConfirm);
    m_ok = std::make_unique<TRollover>(Paint(), "GammonOptions", "2_mbOk", [this](TRollover*) { Close(); });
    m_ok->Show();
}

TGammonOptionsform::~TGammonOptionsform() = default;

void TGammonOptionsform::SetValues(bool anims, bool automatic, bool confirm) {
    m_quiet = true;
    m_anims->SetTicked(anims);
    m_automatic->SetTicked(automatic);
    m_confirm->SetTicked(confirm);
    m_quiet = false;
}

void TGammonOptionsform::Open(bool anims, bool automatic, bool confirm) {
    SetValues(anims, automatic, confirm);
    ShowModal();
}
