// TGammonOptionsform: the Backgammon options, a small window ("2_Options")
// with three toggles (images "2_chekof,2_chekon"): "Anims" (checkers fly),
// "Automatic" (roll at once when the roll button shows) and "Confirm" (ask
// before a turn ends), and "2_mbOk", which closes it. The table window
// opens it modally with its current values and hears of every change.
//
// One such window is created at start-up beside the table window and
// handed to it by the start-up wiring.
#pragma once

#include <functional>
#include <memory>

#include "controls/Form.h"

class TCheck;
class TRollover;

class TGammonOptionsform : public TForm {
public:
    using TToggled = std::function<void(bool on)>;

    TGammonOptionsform();
    ~TGammonOptionsform() override;

    // The window created last, or null.

    // Shows the values without raising the change events.
    void SetValues(bool anims, bool automatic, bool confirm);
    // Shows the window with these values and waits until it closes.
    void Open(bool anims, bool automatic, bool confirm);

    TToggled OnAnims, OnAutomatic, OnConfirm;

    TCheck& AnimsToggle() const { return *m_anims; }
    TCheck& AutomaticToggle() const { return *m_automatic; }
    TCheck& ConfirmToggle() const { return *m_confirm; }
    TRollover& OkButton() const { return *m_ok; }

private:
    std::unique_ptr<TCheck> m_anims, m_automatic, m_confirm;
    std::unique_ptr<TRollover> m_ok;
    bool m_quiet = false;  // while SetValues runs
};
