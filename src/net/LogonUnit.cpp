#include "net/LogonUnit.h"

#include "controls/MsgBoxes.h"
#include "controls/Myedit.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/Paint.h"
#include "net/Connector.h"
#include "net/Dispatcher.h"
#include "net/LogonRules.h"
#include "net/Registerunit.h"
#include "net/Session.h"
#include "protocol/ClientMessages.h"
#include "resources/Inifile.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

TLogon::TLogon() : TForm(kPainter), m_connector(std::make_unique<TConnector>()) {
    CreateLabels();
    CreateEntries();
    CreateButtons();
    SessionWindows().Logon = this;
}

TLogon::~TLogon() {
    if (SessionWindows().Logon == this) SessionWindows().Logon = nullptr;
}

void TLogon::CreateLabels() {
    m_nameText = TText::CreateFromLayout(Paint(), "NameText", kSection);
    m_passwordText = TText::CreateFromLayout(Paint(), "PasswordText", kSection);
    m_helpText = TText::CreateFromLayout(Paint(), "HelpText", kSection);
    m_verText = TText::CreateFromLayout(Paint(), "VerText", kSection);
    m_verText->SetText(FillPlaceholders(m_verText->Text(), kProgramVersion));
}

void TLogon::CreateEntries() {
    m_name = std::make_unique<TMyedit>(Paint(), kAliasLength, "Nameedit", kSection);
    m_name->SetText(SettingsFile().ReadString(kSection, "Name", ""));
    m_name->OnKeyDown = [this](TMyedit*, int& key, unsigned) { NameKeyDown(key); };
    m_name->Show();
    m_password = std::make_unique<TMyedit>(Paint(), kPasswordLength, "Passwordedit", kSection);
    m_password->SetPasswordChar('*');
    m_password->OnKeyDown = [this](TMyedit*, int& key, unsigned) { PasswordKeyDown(key); };
    m_password->Show();
}

void TLogon::CreateButtons() {
    m_ok = std::make_unique<TRollover>(Paint(), kSection, "OK", [this](TRollover*) { OkClick(); });
    m_cancel = std::make_unique<TRollover>(Paint(), kSection, "Cancel", [this](TRollover*) { Close(); });
    m_new = std::make_unique<TRollover>(Paint(), kSection, "New", [this](TRollover*) {
        if (OnNewUser) OnNewUser(this);
    });
    m_ok->Show();
    m_cancel->Show();
    m_new->Show();
}

std::string TLogon::LogonMessage() const {
    protocol::TLogon logon;
    logon.Alias = Session().Alias;
    logon.Password = m_password->Text();
    logon.Distribution = Session().DistributionNumber;
    logon.Machine = VolumeSerial();
    return protocol::Build(logon);
}

std::string TLogon::ValidationError() const {
    const std::string& alias = m_name->Text();
    const std::string& password = m_password->Text();
    if (alias.empty()) return "Errorname";
    if (HasIllegalCharacter(alias)) return "Illegalname";
    if (password.empty()) return "Errorpassword";
    if (HasIllegalCharacter(password)) return "Illegalpassword";
    return {};
}

void TLogon::OkClick() {
    std::string error = ValidationError();
    if (!error.empty()) {
        MsgBox(error, "Error", mb::kOk, mb::Ok);
        return;
    }
    Session().Alias = SmallI(m_name->Text());
    TForm::SetEnabled(false);
    Connect();
    TForm::SetEnabled(true);
}

void TLogon::Connect() { m_connector->Connect(); }

void TLogon::NameKeyDown(int& key) {
    if (key != kEnterKey) return;
    key = 0;
    m_password->Focus();
}

void TLogon::PasswordKeyDown(int& key) {
    if (key != kEnterKey) return;
    key = 0;
    OkClick();
}

void TLogon::FormShow() {
    m_name->Focus();
    BringToFront();
}

void LinkSessionForms(TLogon& logon, TRegisterform& registration) {
    logon.OnNewUser = [&registration](TLogon*) { registration.ShowModal(); };
    registration.OnConnect = [&logon](TRegisterform*) { logon.Connect(); };
    SessionWindows().Logon = &logon;
    SessionWindows().Registration = &registration;
}
