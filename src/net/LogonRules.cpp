#include "net/LogonRules.h"

#include <ctime>

namespace {

// Days from 1 January 1970 of a proleptic Gregorian date (the civil
// calendar algorithm of H. Hinnant), and back.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

TDate CivilFromDays(int64_t z) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp + (mp < 10 ? 3 : -9);
    const int64_t y = yoe + era * 400 + (m <= 2 ? 1 : 0);
    return {static_cast<int>(y), static_cast<int>(m), static_cast<int>(d)};
}

// 30 December 1899, the day the serials count from.
const int64_t kSerialEpoch = DaysFromCivil(1899, 12, 30);

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

int64_t DaySerial(const TDate& date) {
    return DaysFromCivil(date.Year, date.Month, date.Day) - kSerialEpoch;
}

TDate DateOfSerial(int64_t serial) { return CivilFromDays(serial + kSerialEpoch); }

bool AgeOn(const TDate& birthday, const TDate& today, int& age) {
    if (!ValidDate(birthday) || !ValidDate(today)) return false;
    age = DateOfSerial(DaySerial(today) - DaySerial(birthday)).Year - 1900;
    return true;
}

bool AcceptableBirthday(const TDate& birthday, const TDate& today) {
    int age = 0;
    return AgeOn(birthday, today, age) && age >= 1 && age <= kMaxAge;
}
