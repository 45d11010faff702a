#include "net/Registerunit.h"

#include "controls/Check.h"
#include "controls/MsgBoxes.h"
#include "controls/Myedit.h"
#include "controls/Rollover.h"
#include "controls/Text.h"
#include "graphics/Paint.h"
#include "net/Session.h"
#include "platform/Platform.h"
#include "protocol/ClientMessages.h"
#include "protocol/FieldReader.h"
#include "resources/StrFuncs.h"
#include "resources/Texts.h"

namespace {

constexpr int kYearLength = 4, kMonthLength = 2, kDayLength = 2;
constexpr int kFemale = 1;
constexpr int kFaces = 3;
constexpr uint8_t kBackspace = 8;
constexpr int kPasteKeyV = 'V';

int FieldNumber(const TMyedit& edit) { return protocol::NumberOr(edit.Text(), 0); }

// Pasting would bypass the digit filter of the date entries.
bool PasteKey(int key, unsigned shift) {
    return (key == kPasteKeyV && (shift & platform::CtrlKey)) ||
           (key == TMyedit::kKeyInsert && (shift & platform::ShiftKey));
}

}  // namespace

TRegisterform::TRegisterform() : TForm(kPainter) {
    CreateLabels();
    CreateEntries();
    CreateToggles();
    CreateButtons();
    SessionWindows().Registration = this;
}

TRegisterform::~TRegisterform() {
    if (SessionWindows().Registration == this) SessionWindows().Registration = nullptr;
}

void TRegisterform::CreateLabels() {
    m_head = TText::CreateFromLayout(Paint(), "Head", kSection);
    m_aliasText = TText::CreateFromLayout(Paint(), "Alias", kSection);
    m_passwordText = TText::CreateFromLayout(Paint(), "Password", kSection);
    m_birthdayText = TText::CreateFromLayout(Paint(), "Birthday", kSection);
    m_genderText = TText::CreateFromLayout(Paint(), "Gender", kSection);
    m_yearText = TText::CreateFromLayout(Paint(), "Year", kSection);
    m_monthText = TText::CreateFromLayout(Paint(), "Month", kSection);
    m_dayText = TText::CreateFromLayout(Paint(), "Day", kSection);
    m_faceText = TText::CreateFromLayout(Paint(), "Face", kSection);
}

std::unique_ptr<TMyedit> TRegisterform::DateEntry(int length, const std::string& key) {
    auto edit = std::make_unique<TMyedit>(Paint(), length, key, kSection);
    edit->OnKeyPress = [](TMyedit*, uint8_t& ch) {
        if ((ch < '0' || ch > '9') && ch != kBackspace) ch = 0;
    };
    edit->OnKeyDown = [](TMyedit*, int& key, unsigned shift) {
        if (PasteKey(key, shift)) key = 0;
    };
    edit->Show();
    return edit;
}

void TRegisterform::CreateEntries() {
    m_alias = std::make_unique<TMyedit>(Paint(), kAliasLength, "Aliasedit", kSection);
    m_alias->Show();
    m_password = std::make_unique<TMyedit>(Paint(), kPasswordLength, "Passwordedit", kSection);
    m_password->SetPasswordChar('*');
    m_password->Show();
    m_year = DateEntry(kYearLength, "Yearedit");
    m_month = DateEntry(kMonthLength, "Monthedit");
    m_day = DateEntry(kDayLength, "Dayedit");
}

void TRegisterform::CreateToggles() {
    m_gender = std::make_unique<TCheck>(Paint(), "Boy,Gir", "GenderEdit", kSection);
    m_gender->OnChange = [this](TCheck*) { ShowFaceOfGender(); };
    m_boyFace = std::make_unique<TCheck>(Paint(), "Boy1,Boy2,Boy3", "FaceEdit", kSection);
    m_girlFace = std::make_unique<TCheck>(Paint(), "Gir1,Gir2,Gir3", "FaceEdit", kSection);
    m_gender->Show();
    ShowFaceOfGender();
}

void TRegisterform::CreateButtons() {
    m_ok = std::make_unique<TRollover>(Paint(), kSection, "OK", [this](TRollover*) { OkClick(); });
    m_cancel = std::make_unique<TRollover>(Paint(), kSection, "Cancel", [this](TRollover*) { CancelClick(); });
    m_ok->Show();
    m_cancel->Show();
}

TBirthday TRegisterform::Fields() const {
    TBirthday fields;
    fields.Year = FieldNumber(*m_year);
    fields.Month = FieldNumber(*m_month);
    fields.Day = FieldNumber(*m_day);
    fields.Gender = m_gender->State() == kFemale ? kFemale : 0;
    fields.Face = FaceToggle(fields.Gender)->State();
    return fields;
}

std::string TRegisterform::LogonMessage() const {
    TBirthday fields = Fields();
    protocol::TLogon logon;
    logon.Alias = SmallI(m_alias->Text());
    logon.Password = m_password->Text();
    logon.Distribution = Session().DistributionNumber;
    logon.Machine = VolumeSerial();
    logon.Registration = true;
    logon.Year = fields.Year;
    logon.Month = fields.Month;
    logon.Day = fields.Day;
    logon.Gender = fields.Gender;
    logon.Face = fields.Face;
    return protocol::Build(logon);
}

std::string TRegisterform::AccountUpdate(bool withBirthday) const {
    TBirthday fields = Fields();
    protocol::TAccountUpdate update;
    update.Password = m_password->Text();
    update.WithBirthday = withBirthday;
    update.Year = fields.Year;
    update.Month = fields.Month;
    update.Day = fields.Day;
    update.Gender = fields.Gender;
    update.Face = fields.Face;
    return protocol::Build(update);
}

void TRegisterform::EditAccount(const TAccountData& account) {
    m_alias->SetText(Session().Alias);
    bool complete = account.BirthdayComplete();
    m_year->SetText(complete ? std::to_string(account.Year) : std::string());
    m_month->SetText(complete ? std::to_string(account.Month) : std::string());
    m_day->SetText(complete ? std::to_string(account.Day) : std::string());
    int gender = account.Gender == kFemale ? kFemale : 0;
    m_gender->SetState(gender);
    FaceToggle(gender)->SetState(account.Face >= 0 && account.Face < kFaces ? account.Face : 0);
    ShowFaceOfGender();
    ShowModal();
}

void TRegisterform::FormShow() {
    m_password->SetText("");
    m_closeAllowed = false;
    Session().RegisterCancelled = false;
    ChooseMode();
    ApplyMode();
    ShowFaceOfGender();
    (m_alias->Enabled() ? m_alias : m_password->Enabled() ? m_password : m_year)->Focus();
}

void TRegisterform::ChooseMode() {
    if (m_alias->Text().empty())
        m_mode = TMode::NewAccount;
    else if (FieldNumber(*m_year) != 0)
        m_mode = TMode::ChangePassword;
    else
        m_mode = TMode::CompleteData;
}

void TRegisterform::ApplyMode() {
    bool newAccount = m_mode == TMode::NewAccount;
    bool birthday = m_mode != TMode::ChangePassword;
    m_alias->SetEnabled(newAccount);
    m_password->SetEnabled(m_mode != TMode::CompleteData);
    for (TMyedit* date : {m_year.get(), m_month.get(), m_day.get()}) date->SetEnabled(birthday);
    m_gender->SetEnabled(birthday);
    bool faces = birthday && Session().Privileged != 0;
    m_boyFace->SetEnabled(faces);
    m_girlFace->SetEnabled(faces);
    if (m_mode == TMode::CompleteData)
        m_cancel->Hide();
    else
        m_cancel->Show();
}

void TRegisterform::ShowFaceOfGender() {
    bool female = m_gender->State() == kFemale;
    (female ? m_boyFace : m_girlFace)->Hide();
    (female ? m_girlFace : m_boyFace)->Show();
}

std::string TRegisterform::BirthdayError() const {
    TBirthday fields = Fields();
    TDate birthday{fields.Year, fields.Month, fields.Day};
    return AcceptableBirthday(birthday, TodayDate()) ? std::string() : std::string("Wrongbirthday");
}

std::string TRegisterform::PasswordError() const {
    const std::string& password = m_password->Text();
    if (m_alias->Enabled() && password.empty()) return "Errorpassword";
    if (HasIllegalCharacter(password)) return "Illegalpassword";
    return {};
}

std::string TRegisterform::NewAliasError() const {
    if (m_alias->Text().empty()) return "Errorname";
    if (HasIllegalCharacter(m_alias->Text())) return "Illegalname";
    return {};
}

void TRegisterform::OkClick() {
    std::string error = m_year->Enabled() ? BirthdayError() : std::string();
    if (error.empty()) error = PasswordError();
    if (!error.empty()) {
        Box(error, mb::kOk, mb::Ok);
        return;
    }
    if (m_alias->Enabled()) {
        RegisterNewAccount();
        return;
    }
    if (m_year->Enabled() && !Confirmed()) return;
    CloseWindow();
}

void TRegisterform::RegisterNewAccount() {
    TSession& session = Session();
    session.StartHelpShown = session.FirstHintShown = session.SecondHintShown = false;
    std::string error = NewAliasError();
    if (!error.empty()) {
        Box(error, mb::kOk, mb::Ok);
        return;
    }
    if (!Confirmed()) return;
    session.Alias = SmallI(m_alias->Text());
    TForm::SetEnabled(false);
    if (OnConnect) OnConnect(this);
    TForm::SetEnabled(true);
    if (Visible())
        Focus();
    else
        CloseWindow();
}

bool TRegisterform::Confirmed() {
    TBirthday fields = Fields();
    int age = 0;
    AgeOn({fields.Year, fields.Month, fields.Day}, TodayDate(), age);
    std::string gender = GetText(kSection, fields.Gender == kFemale ? "Female" : "Male");
    std::string text = FillPlaceholders(GetText(kSection, "Rightinformation"), gender + "," + std::to_string(age));
    return Box(text, mb::kYesNo, mb::No) == mb::Yes;
}

int TRegisterform::Box(const std::string& text, unsigned buttons, int defaultResult) {
    TForm::SetEnabled(false);
    int result = MsgBox(text, "System", buttons, defaultResult);
    TForm::SetEnabled(true);
    Focus();
    return result;
}

void TRegisterform::CancelClick() {
    for (TMyedit* edit : {m_alias.get(), m_year.get(), m_month.get(), m_day.get()}) edit->SetText("");
    Session().RegisterCancelled = true;
    CloseWindow();
}

void TRegisterform::CloseWindow() {
    m_closeAllowed = true;
    Close();
    m_closeAllowed = false;
}
