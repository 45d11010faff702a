#include "net/LogonRules.h"

#include <ctime>

namespace {


bool LeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && LeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace

bool HasIllegalCharacter(const std::string& text) {
    return text.find_first_of(kIllegalCharacters) != std::string::npos;
}

std::string SmallI(const std::string& alias) {
    std::string result = alias;
    for (char& c : result)
        if (c == 'I') c = 'i';
    return result;
}

TDate Today() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

bool ValidDate(const TDate& date) {
    if (date.Year < 1 || date.Year > 9999 || date.Month < 1 || date.Month > 12) return false;
    return date.Day >= 1 && date.Day <= DaysInMonth(date.Year, date.Month);
}

// Whole years: the difference of the years, less one while this year's
// birthday is still to come. A birthday on 29 February comes on 1 March in
// other years.
bool AgeOn(const TDate& birthday, const TDate& today, int& age) {
    if (!ValidDate(birthday) || !ValidDate(today)) return false;
    const bool toCome = today.Month < birthday.Month ||
                        (today.Month == birthday.Month && today.Day < birthday.Day);
    age = today.Year - birthday.Year - (toCome ? 1 : 0);
    return true;
}

bool AcceptableBirthday(const TDate& birthday, const TDate& today) {
    int age = 0;
    return AgeOn(birthday, today, age) && age >= 1 && age <= kMaxAge;
}
