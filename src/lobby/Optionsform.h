// TOptionsform: the options window: the sound switch, the button that asks
// the server for the account data (to change it in the registration
// window) and OK.
//
// The sound toggle shows the program's sound switch. A change by the user
// sends "n", option 2 and the new value + 1, makes the first option digit of
// the session that value, and switches the sound. The server's options
// (code 111) set the toggle through SetSoundToggle without sending anything
// back. The update download is its own object (net/Update.h), made at
// start-up beside this window.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "controls/Form.h"
#include "net/SessionWindows.h"

class TCheck;
class TRollover;

class TOptionsform : public TForm, public IOptionsWindow {
public:
    static constexpr char kPainter[] = "Option";
    static constexpr char kSection[] = "Options";
    // The sound toggle's layout and caption.
    static constexpr char kSoundSection[] = "options";
    // The option number of the sound digit (the first of OptionString).
    static constexpr int kSoundOption = 2;

    // Registers itself as SessionWindows().Options.
    TOptionsform();
    ~TOptionsform() override;

    // IOptionsWindow.
    void SetSoundToggle(bool on) override;
    bool Visible() const override { return TForm::Visible(); }
    void Focus() override { TForm::Focus(); }

    // Where the window's messages go; empty: the session's connection.
    std::function<void(const std::string& message)> Sender;

    TCheck* SoundToggle() const { return m_sound.get(); }
    TRollover* OkButton() const { return m_ok.get(); }
    TRollover* ChangeButton() const { return m_change.get(); }

private:
    void SoundChanged();
    void ChangeClicked();
    void Send(const std::string& message);

    std::unique_ptr<TCheck> m_sound;
    std::unique_ptr<TRollover> m_ok, m_change;
    bool m_settingToggle = false;
};
