// The rules the logon and the registration window share: the characters an
// alias or password may not hold, the alias as the session keeps it, and
// the age check of a birthday. Their messages are the protocol's TLogon and
// TAccountUpdate.
//
// The age is the number of whole years from the birthday to today, as the
// calendar counts them: a birthday exactly 121 years ago is 121, the day
// after it 120, and today's date 0.
#pragma once

#include <cstdint>
#include <string>

// The six characters the server's lists use as separators.
inline constexpr char kIllegalCharacters[] = "[]=:,~";
inline constexpr int kAliasLength = 16;
inline constexpr int kPasswordLength = 20;
// The oldest age accepted; an age below 1 is refused too.
inline constexpr int kMaxAge = 120;

bool HasIllegalCharacter(const std::string& text);
// Every capital "I" made a small "i"; nothing else changes.
std::string SmallI(const std::string& alias);

struct TBirthday {
    int Year = 0, Month = 0, Day = 0;
    int Gender = 0;  // 0 male, 1 female
    int Face = 0;    // 0..2
};


struct TDate {
    int Year = 0, Month = 0, Day = 0;
};

// The local date now.
TDate Today();
// A date of the calendar (year 1..9999).
bool ValidDate(const TDate& date);
// Whole years from the birthday to today (see the top of this file);
// negative for a birthday after today; false for an impossible date.
bool AgeOn(const TDate& birthday, const TDate& today, int& age);
// The birthday is a possible date and its age is 1 ... kMaxAge.
bool AcceptableBirthday(const TDate& birthday, const TDate& today);
