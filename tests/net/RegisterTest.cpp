// The registration window: the age check against a fixed today, the order
// of its checks, the confirmation, its three modes, Cancel, and the
// messages it builds.
#include "LogonFixture.h"
#include "controls/Check.h"
#include "controls/Rollover.h"
#include "platform/Platform.h"

namespace nettest {
namespace {

using RegisterTest = LogonFixture;

std::string F(const std::string& text) { return text + '\x01'; }

class RegisterNewTest : public RegisterTest {
protected:
    void SetUp() override {
        RegisterTest::SetUp();
        Registration().OnConnect = [this](TRegisterform*) { ++connects; };
        Registration().Show();
    }
    void Fill(const std::string& year, const std::string& month, const std::string& day,
              const std::string& password = "pw", const std::string& alias = "Ib") {
        Registration().AliasEdit()->SetText(alias);
        Registration().PasswordEdit()->SetText(password);
        Registration().YearEdit()->SetText(year);
        Registration().MonthEdit()->SetText(month);
        Registration().DayEdit()->SetText(day);
    }
    int connects = 0;
};

TEST(AgeRuleTest, TheAgeCountsWholeCalendarYears) {
    const TDate today{2025, 6, 15};
    int age = 0;
    ASSERT_TRUE(AgeOn({1995, 6, 1}, today, age));
    EXPECT_EQ(age, 30);
    ASSERT_TRUE(AgeOn({1995, 6, 16}, today, age));
    EXPECT_EQ(age, 29);
    ASSERT_TRUE(AgeOn(today, today, age));
    EXPECT_EQ(age, 0);
    EXPECT_FALSE(AcceptableBirthday(today, today));
    EXPECT_FALSE(AcceptableBirthday({2025, 6, 16}, today));
    EXPECT_TRUE(AcceptableBirthday({2024, 6, 15}, today));  // one year old today
    // The oldest accepted: 121 years ago to the day is refused, the day after
    // is 120 years old.
    ASSERT_TRUE(AgeOn({1904, 6, 15}, today, age));
    EXPECT_EQ(age, 121);
    EXPECT_FALSE(AcceptableBirthday({1904, 6, 15}, today));
    ASSERT_TRUE(AgeOn({1904, 6, 16}, today, age));
    EXPECT_EQ(age, 120);
    EXPECT_TRUE(AcceptableBirthday({1904, 6, 16}, today));
    EXPECT_FALSE(AcceptableBirthday({2023, 2, 29}, today));  // no such day
    EXPECT_TRUE(AcceptableBirthday({2020, 2, 29}, today));
    // A leap-day birthday counts a year on 1 March in other years.
    ASSERT_TRUE(AgeOn({2020, 2, 29}, {2021, 2, 28}, age));
    EXPECT_EQ(age, 0);
    ASSERT_TRUE(AgeOn({2020, 2, 29}, {2021, 3, 1}, age));
    EXPECT_EQ(age, 1);
    EXPECT_FALSE(AgeOn({0, 1, 1}, today, age));
}

TEST_F(RegisterNewTest, ImpossibleTooYoungAndTooOldBirthdaysAreRefusedFirst) {
    const char* dates[][3] = {{"1904", "6", "15"}, {"2025", "6", "15"}, {"2025", "2", "30"},
                              {"", "", ""},       {"1990", "13", "1"}};
    for (const auto& date : dates) {
        Fill(date[0], date[1], date[2], "");  // the password check comes after
        Registration().OkClick();
        EXPECT_EQ(LastBox().text, "Wrongbirthday") << date[0] << "-" << date[1] << "-" << date[2];
        EXPECT_EQ(LastBox().title, "System");
    }
    EXPECT_EQ(connects, 0);
}

TEST_F(RegisterNewTest, ThenThePasswordThenTheAlias) {
    const std::pair<std::pair<const char*, const char*>, const char*> cases[] = {
        {{"", "ann"}, "Errorpassword"},
        {{"a,b", "ann"}, "Illegalpassword"},
        {{"pw", ""}, "Errorname"},
        {{"pw", "a]"}, "Illegalname"},
    };
    for (const auto& [fields, text] : cases) {
        Fill("1995", "6", "1", fields.first, fields.second);
        Registration().OkClick();
        EXPECT_EQ(LastBox().text, text);
    }
}

TEST_F(RegisterNewTest, TheConfirmationShowsGenderAndAgeAndYesConnects) {
    Session().StartHelpShown = Session().FirstHintShown = true;
    bool enabledDuringBox = true;
    boxes.onBox = [&](const TBoxCall&) {
        enabledDuringBox = Registration().Enabled();
        return mb::No;
    };
    Fill("1995", "6", "1");
    Registration().GenderToggle()->SetState(1);
    Registration().OkClick();
    EXPECT_EQ(LastBox().text, "Female,30");
    EXPECT_EQ(LastBox().buttons, mb::kYesNo);
    EXPECT_EQ(LastBox().defaultResult, mb::No);
    EXPECT_FALSE(enabledDuringBox);
    EXPECT_TRUE(Registration().Enabled());
    EXPECT_EQ(connects, 0);
    EXPECT_FALSE(Session().StartHelpShown);
    EXPECT_FALSE(Session().FirstHintShown);

    boxes.onBox = nullptr;
    boxes.answers = {mb::Yes};
    Registration().OkClick();
    EXPECT_EQ(connects, 1);
    EXPECT_EQ(Session().Alias, "ib");
    EXPECT_TRUE(Registration().Visible());  // the server has not answered yet
}

TEST_F(RegisterNewTest, TheFaceOfTheChosenGenderShowsAndTakesClicksOnlyWhenPrivileged) {
    EXPECT_TRUE(Registration().FaceToggle(0)->Visible());
    EXPECT_FALSE(Registration().FaceToggle(1)->Visible());
    EXPECT_FALSE(Registration().FaceToggle(0)->Button(0)->Enabled());
    Registration().GenderToggle()->SetState(1);
    EXPECT_FALSE(Registration().FaceToggle(0)->Visible());
    EXPECT_TRUE(Registration().FaceToggle(1)->Visible());
    Registration().Hide();
    Session().Privileged = 1;
    Registration().Show();
    EXPECT_TRUE(Registration().FaceToggle(1)->Button(0)->Enabled());
}

TEST_F(RegisterNewTest, TheRegistrationLogonCarriesTheBirthdayGenderAndFace) {
    Fill("1995", "06", "x");
    Registration().GenderToggle()->SetState(1);
    Registration().FaceToggle(1)->SetState(2);
    Session().DistributionNumber = 3;
    EXPECT_EQ(Registration().LogonMessage(), "\x04" + F("0") + F("0") + F("ib") + F("pw") + F("3") + F(std::to_string(VolumeSerial())) + F("1995") + F("6") +
                                                 F("0") + F("1") + F("2"));
}

TEST_F(RegisterNewTest, OnlyOkAndCancelCloseTheWindow) {
    Win(Registration()).CloseRequest();
    EXPECT_TRUE(Registration().Visible());
    Fill("1995", "6", "1");
    Registration().CancelClick();
    EXPECT_FALSE(Registration().Visible());
    EXPECT_TRUE(Session().RegisterCancelled);
    EXPECT_EQ(Registration().AliasEdit()->Text(), "");
    EXPECT_EQ(Registration().YearEdit()->Text(), "");
    EXPECT_EQ(Registration().PasswordEdit()->Text(), "pw");
}

TEST_F(RegisterNewTest, DateEntriesTakeDigitsOnly) {
    Registration().YearEdit()->SetText("");
    Registration().YearEdit()->Focus();
    Registration().Focus();
    Type(Registration(), "19a9-05");
    EXPECT_EQ(Registration().YearEdit()->Text(), "1990");
}

// The account data of code 39 opens the window modally; the checks run in
// a task the modal wait picks up.
TEST_F(RegisterTest, AccountDataChoosesTheModeFromTheBirthday) {
    Session().Alias = "ann";
    std::string update;
    TRegisterform::TMode mode{};
    bool cancelShown = true, passwordEditable = false, yearEditable = false;
    auto inspect = [&] {
        mode = Registration().Mode();
        cancelShown = Registration().CancelButton()->Visible();
        passwordEditable = Registration().PasswordEdit()->Enabled();
        yearEditable = Registration().YearEdit()->Enabled();
        Registration().PasswordEdit()->SetText("new");
        update = Registration().AccountUpdate(true);
        Registration().CancelClick();
    };
    platform::Loop().Post(inspect);
    Registration().EditAccount({1990, 5, 17, 1, 2});
    EXPECT_EQ(mode, TRegisterform::TMode::ChangePassword);
    EXPECT_TRUE(cancelShown);
    EXPECT_TRUE(passwordEditable);
    EXPECT_FALSE(yearEditable);
    EXPECT_EQ(Registration().AliasEdit()->Text(), "");  // cleared by Cancel
    EXPECT_EQ(update, "(" + F("new") + F("1990") + F("5") + F("17") + F("1") + F("2"));

    platform::Loop().Post(inspect);
    Registration().EditAccount({1990, 0, 17, 0, 1});
    EXPECT_EQ(mode, TRegisterform::TMode::CompleteData);
    EXPECT_FALSE(cancelShown);
    EXPECT_FALSE(passwordEditable);
    EXPECT_TRUE(yearEditable);
    EXPECT_EQ(update, "(" + F("new") + F("0") + F("0") + F("0") + F("0") + F("1"));
    EXPECT_EQ(Registration().AccountUpdate(false), "(" + F("new") + F("1"));
}

}  // namespace
}  // namespace nettest
