// TLogon: the logon window, the first window shown and the program's main
// window. The user types an alias and a password; OK checks them, stores
// the alias as Session().Alias (capital "I" made small) and connects
// (TConnector). The window stays disabled while the "Connecttext" box waits
// and is hidden by the dispatcher once the server accepts the logon.
//
// Elements (painter "Logon", layout section "Lobbivex"): the entries
// "Nameedit" (16 characters, the stored "Lobbivex"/"Name" at start) and
// "Passwordedit" (20, shown as "*"), the labels "NameText", "PasswordText",
// "HelpText" and "VerText" (its text a template for the version), and the
// buttons "OK", "Cancel" and "New".
//
// Keys: Enter in the name moves to the password; Enter in the password is
// OK. On show the name takes the focus and the program comes to the front.
//
// Closing: Cancel (or the window system) closes the window and raises the
// form's OnClose; whoever runs the main loop ends it there, since closing
// the logon window ends the program. New raises OnNewUser, which opens the
// registration window modally (LinkSessionForms wires both).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "controls/Form.h"
#include "net/SessionWindows.h"

class TConnector;
class TMyedit;
class TRegisterform;
class TRollover;
class TText;

class TLogon : public TForm, public ILogonWindow {
public:
    static constexpr char kPainter[] = "Logon";
    static constexpr char kSection[] = "Lobbivex";
    static constexpr int kEnterKey = 13;

    // Registers itself as SessionWindows().Logon.
    TLogon();
    ~TLogon() override;

    // ILogonWindow.
    bool Visible() const override { return TForm::Visible(); }
    void SetEnabled(bool enabled) override { TForm::SetEnabled(enabled); }
    void Focus() override { TForm::Focus(); }
    void Hide() override { TForm::Hide(); }
    // The logon with Session().Alias and the typed password.
    std::string LogonMessage() const override;

    // The OK button's checks and the connect.
    void OkClick();
    // Connects with Session().Alias (also for the registration window).
    void Connect();

    std::function<void(TLogon* sender)> OnNewUser;

    TConnector& Connector() const { return *m_connector; }
    TMyedit* NameEdit() const { return m_name.get(); }
    TMyedit* PasswordEdit() const { return m_password.get(); }
    TRollover* OkButton() const { return m_ok.get(); }
    TRollover* CancelButton() const { return m_cancel.get(); }
    TRollover* NewButton() const { return m_new.get(); }
    TText* VersionLabel() const { return m_verText.get(); }

protected:
    void FormShow() override;

private:
    void CreateLabels();
    void CreateEntries();
    void CreateButtons();
    // The name of the first check the fields fail, or empty.
    std::string ValidationError() const;
    void NameKeyDown(int& key);
    void PasswordKeyDown(int& key);

    std::unique_ptr<TConnector> m_connector;
    std::unique_ptr<TMyedit> m_name;
    std::unique_ptr<TMyedit> m_password;
    std::unique_ptr<TText> m_nameText, m_passwordText, m_helpText, m_verText;
    std::unique_ptr<TRollover> m_ok, m_cancel, m_new;
};

// Wires the two session windows: New opens the registration window
// modally, the registration connects through the logon's connector; both
// are registered in SessionWindows().
void LinkSessionForms(TLogon& logon, TRegisterform& registration);
