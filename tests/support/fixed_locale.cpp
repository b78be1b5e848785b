#include "support/fixed_locale.h"

#include <chrono>

namespace sondrel::testing {
namespace {
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
const char* const kWeekdays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Sakamoto's method: 0 = Sunday.
int Weekday(int year, int month, int day)
{
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    year -= month < 3;
    return (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
}

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }
}  // namespace

std::string FixedLocale::ShortDate(const LocalDateTime& when) const
{
    return std::to_string(when.Month) + "/" + std::to_string(when.Day) + "/" + std::to_string(when.Year);
}

std::string FixedLocale::LongDate(const LocalDateTime& when) const
{
    return std::string(kWeekdays[Weekday(when.Year, when.Month, when.Day)]) + ", " + kMonths[when.Month - 1] + " " +
           std::to_string(when.Day) + ", " + std::to_string(when.Year);
}

std::string FixedLocale::LongTime(const LocalDateTime& when) const
{
    return std::to_string(when.Hour % 12 == 0 ? 12 : when.Hour % 12) + timeSeparator + TwoDigits(when.Minute) +
           timeSeparator + TwoDigits(when.Second) + (when.Hour < 12 ? " AM" : " PM");
}

LocalDateTime FixedClock::LocalTimeOf(long long secondsSince1970) const
{
    const std::chrono::sys_seconds moment{std::chrono::seconds(secondsSince1970)};
    const auto day = std::chrono::floor<std::chrono::days>(moment);
    const std::chrono::year_month_day date{day};
    const std::chrono::hh_mm_ss time{moment - day};
    return {static_cast<int>(date.year()), static_cast<int>(static_cast<unsigned>(date.month())),
            static_cast<int>(static_cast<unsigned>(date.day())), static_cast<int>(time.hours().count()),
            static_cast<int>(time.minutes().count()), static_cast<int>(time.seconds().count())};
}

}  // namespace sondrel::testing
