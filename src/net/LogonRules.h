// The rules the logon and the registration window share: the characters an
// alias or password may not hold, the alias as the session keeps it, and
// the age check of a birthday. Their messages are the protocol's TLogon and
// TAccountUpdate.
//
// Dates are counted in days from 30 December 1899, as the age check has
// always counted them: the age is the year of the date that lies
// (today - birthday) days after that day, minus 1900. That number runs
// about a day or two behind the calendar age around a birthday (a
// birthday exactly 121 years ago still counts 120), and today's date
// gives -1.
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
// Days from 30 December 1899 (negative before it).
int64_t DaySerial(const TDate& date);
// The date of a day serial.
TDate DateOfSerial(int64_t serial);
// The age as the check counts it (see the top of this file); false for an
// impossible date.
bool AgeOn(const TDate& birthday, const TDate& today, int& age);
// The birthday is a possible date and its age is 1 ... kMaxAge.
bool AcceptableBirthday(const TDate& birthday, const TDate& today);
