// TRegisterform: the registration window, for a new account and for the
// account data the server asks the user to complete or change (code 39).
//
// Elements (painter "register", layout section "Register"): the buttons
// "OK" and "Cancel"; the labels "Head", "Alias", "Password", "Birthday",
// "Gender", "Year", "Month", "Day", "Face"; the entries "Aliasedit" (16),
// "Passwordedit" (20, shown as "*"), "Yearedit", "Monthedit", "Dayedit"
// (4, 2, 2, digits and backspace only); the gender toggle "GenderEdit" of
// the states "Boy,Gir" and, at the layout of "FaceEdit", the face toggles
// "Boy1,Boy2,Boy3" and "Gir1,Gir2,Gir3", of which only the chosen gender's
// shows; the faces take clicks only for a privileged user.
//
// Modes, chosen on show from the alias and the year fields:
//   new account      alias empty: everything editable, Cancel shown;
//   change password  alias and a year: only the password editable;
//   complete data    alias, no year: gender and birthday editable, alias and
//                    password not, Cancel hidden.
// Only OK and Cancel close the window; the window system's close is
// refused. Every box shown from OK disables the window while it is up and
// focuses it again afterwards.
//
// Today's date comes from Today (tests set it), for the age check of
// LogonRules.h.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "controls/Form.h"
#include "net/LogonRules.h"
#include "net/SessionWindows.h"

class TCheck;
class TMyedit;
class TRollover;
class TText;

class TRegisterform : public TForm, public IRegistrationWindow {
public:
    static constexpr char kPainter[] = "register";
    static constexpr char kSection[] = "Register";
    enum class TMode { NewAccount, ChangePassword, CompleteData };

    // Registers itself as SessionWindows().Registration.
    TRegisterform();
    ~TRegisterform() override;

    // IRegistrationWindow.
    bool Visible() const override { return TForm::Visible(); }
    void SetEnabled(bool enabled) override { TForm::SetEnabled(enabled); }
    void Focus() override { TForm::Focus(); }
    void Hide() override { TForm::Hide(); }
    std::string LogonMessage() const override;
    void EditAccount(const TAccountData& account) override;
    std::string AccountUpdate(bool withBirthday) const override;

    void OkClick();
    void CancelClick();

    // Runs the logon's connect (LinkSessionForms sets it).
    std::function<void(TRegisterform* sender)> OnConnect;
    std::function<TDate()> TodayDate = Today;

    TMode Mode() const { return m_mode; }
    // The birthday and gender as the fields hold them (0 where no number).
    TBirthday Fields() const;
    TMyedit* AliasEdit() const { return m_alias.get(); }
    TMyedit* PasswordEdit() const { return m_password.get(); }
    TMyedit* YearEdit() const { return m_year.get(); }
    TMyedit* MonthEdit() const { return m_month.get(); }
    TMyedit* DayEdit() const { return m_day.get(); }
    TCheck* GenderToggle() const { return m_gender.get(); }
    TCheck* FaceToggle(int gender) const { return gender == 1 ? m_girlFace.get() : m_boyFace.get(); }
    TRollover* OkButton() const { return m_ok.get(); }
    TRollover* CancelButton() const { return m_cancel.get(); }

protected:
    void FormShow() override;
    bool FormCloseQuery() override { return m_closeAllowed; }

private:
    void CreateLabels();
    void CreateEntries();
    void CreateToggles();
    void CreateButtons();
    std::unique_ptr<TMyedit> DateEntry(int length, const std::string& key);

    void ChooseMode();
    void ApplyMode();
    void ShowFaceOfGender();
    // The first check the fields fail, as a text key, or empty.
    std::string BirthdayError() const;
    std::string PasswordError() const;
    std::string NewAliasError() const;
    // The "Rightinformation" confirmation; true for Yes.
    bool Confirmed();
    void RegisterNewAccount();
    int Box(const std::string& text, unsigned buttons, int defaultResult);
    void CloseWindow();

    TMode m_mode = TMode::NewAccount;
    bool m_closeAllowed = false;
    std::unique_ptr<TText> m_head, m_aliasText, m_passwordText, m_birthdayText, m_genderText;
    std::unique_ptr<TText> m_yearText, m_monthText, m_dayText, m_faceText;
    std::unique_ptr<TMyedit> m_alias, m_password, m_year, m_month, m_day;
    std::unique_ptr<TCheck> m_gender, m_boyFace, m_girlFace;
    std::unique_ptr<TRollover> m_ok, m_cancel;
};
