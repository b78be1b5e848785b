#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>
#include <string>
#include <vector>

#include "format/value_format.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

using testing::FixedClock;
using testing::FixedLocale;

struct FloatCase {
    float value;
    const char* expected;
};

constexpr float kMax = std::numeric_limits<float>::max();
constexpr float kTiniest = std::numeric_limits<float>::denorm_min();
constexpr float kInfinity = std::numeric_limits<float>::infinity();

FixedLocale DecimalCommaLocale()
{
    FixedLocale locale;
    locale.decimalSeparator = ",";
    locale.timeSeparator = ".";
    return locale;
}

// Each value through format, against its expected text; the value is shown exactly on failure.
template <typename Format>
void ExpectFormats(const std::vector<FloatCase>& cases, Format format)
{
    for (const FloatCase& c : cases)
        EXPECT_EQ(format(c.value), c.expected) << std::hexfloat << c.value;
}

TEST(FormatVolumeDb, ShowsSixDecibelsPerDoubling)
{
    ExpectFormats({{1.0f, "0.00db"}, {2.0f, "+6.00db"}, {0.5f, "-6.00db"}, {4.0f, "+12.00db"}, {0.25f, "-12.00db"},
                   {10.0f, "+19.93db"}, {0.1f, "-19.93db"}, {1.5f, "+3.51db"}, {1.01f, "+0.09db"},
                   {0.001f, "-59.79db"}, {kTiniest, "-894.00db"}, {0.0f, "-inf"}, {-0.0f, "-inf"},
                   // The sign follows the unrounded value on both sides of 1.
                   {std::nextafter(1.0f, 2.0f), "+0.00db"}, {std::nextafter(1.0f, 0.0f), "-0.00db"},
                   // A negative gain (inverted polarity) shows the level of its size.
                   {-1.0f, "0.00db"}, {-2.0f, "+6.00db"}, {-0.5f, "-6.00db"},
                   {kMax, "+768.00db"}, {std::numeric_limits<float>::min(), "-756.00db"},
                   // Whole decibels below ten keep their one integer digit.
                   {0.9438743f, "-0.50db"}, {kInfinity, "+inf"}},
                  [](float v) { return FormatVolumeDb(v, FixedLocale()); });
    const FixedLocale comma = DecimalCommaLocale();
    ExpectFormats({{2.0f, "+6,00db"}, {0.1f, "-19,93db"}, {0.0f, "-inf"}},
                  [&](float v) { return FormatVolumeDb(v, comma); });
    FixedLocale wide;
    wide.decimalSeparator = "<sep>";
    EXPECT_EQ(FormatVolumeDb(1.5f, wide), "+3<sep>51db");
}

TEST(FormatPan, ShowsSideAndWholePercent)
{
    ExpectFormats({{0.0f, "C"}, {-0.0f, "C"}, {0.5f, "R 50%"}, {-0.5f, "L 50%"}, {1.0f, "R 100%"},
                   {-1.0f, "L 100%"}, {0.25f, "R 25%"}, {-0.333f, "L 33%"}, {0.126f, "R 13%"}, {-0.994f, "L 99%"},
                   {0.004f, "R 0%"}, {-0.004f, "L 0%"}, {kTiniest, "R 0%"}, {1.5f, "R 150%"}, {-2.5f, "L 250%"},
                   // A half rounds away from zero.
                   {0.125f, "R 13%"}, {-0.125f, "L 13%"},
                   // Large values keep every digit, without grouping.
                   {123456.0f, "R 12345600%"}},
                  [](float v) { return FormatPan(v); });
}

TEST(FormatSeconds, ShowsTheTimeOfDay)
{
    ExpectFormats({{0.0f, "0:00:00"}, {59.4f, "0:00:59"}, {59.6f, "0:01:00"}, {61.0f, "0:01:01"},
                   {3599.0f, "0:59:59"}, {3600.0f, "1:00:00"}, {7325.2f, "2:02:05"}, {86399.0f, "23:59:59"},
                   {86400.0f, "0:00:00"}, {90061.0f, "1:01:01"},
                   // A half second rounds up.
                   {19.5f, "0:00:20"}, {0.5f, "0:00:01"}, {0.49999997f, "0:00:00"}, {86399.5f, "0:00:00"},
                   // A negative value is the clock of its size after a minus sign.
                   {-61.0f, "-0:01:01"}, {-19.5f, "-0:00:20"}, {-0.0f, "0:00:00"},
                   // 2^31 seconds: 24855 days and 3:14:08; 2^40 leave 2176 seconds of their last day.
                   {2147483648.0f, "3:14:08"}, {1099511627776.0f, "0:36:16"}},
                  [](float v) { return FormatSeconds(v, FixedLocale()); });
    EXPECT_EQ(FormatSeconds(7325.2f, DecimalCommaLocale()), "2.02.05");
    FixedLocale wide;
    wide.timeSeparator = " h ";
    EXPECT_EQ(FormatSeconds(3661.0f, wide), "1 h 01 h 01");
}

TEST(FormatSeconds, LargestFloatGivesAValidClock)
{
    const std::string text = FormatSeconds(kMax, FixedLocale());
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(text, parts, std::regex(R"((\d{1,2}):([0-5]\d):([0-5]\d))"))) << text;
    EXPECT_LT(std::stoi(parts[1]), 24);
    // The largest float is a multiple of 2^104, so of 2^7; its time of day
    // in seconds is therefore a multiple of 128 as well (86400 = 128 x 675).
    const int secondsOfDay = std::stoi(parts[1]) * 3600 + std::stoi(parts[2]) * 60 + std::stoi(parts[3]);
    EXPECT_EQ(secondsOfDay % 128, 0) << text;
    EXPECT_EQ(FormatSeconds(-kMax, FixedLocale()), "-" + text);
}

TEST(FormatGeneralNumber, ShowsUpToSevenSignificantDigits)
{
    ExpectFormats({{120.0f, "120"}, {99.5f, "99.5"}, {123.456789f, "123.4568"}, {0.0f, "0"}, {-0.0f, "0"},
                   {0.1f, "0.1"}, {-5.25f, "-5.25"}, {1234567.0f, "1234567"}, {12345678.0f, "1.234568E+07"},
                   {0.0001f, "0.0001"}, {0.00001f, "1E-05"}, {960.0f, "960"}, {1.0f / 3.0f, "0.3333333"}},
                  [](float v) { return FormatGeneralNumber(v, FixedLocale()); });
    const FixedLocale comma = DecimalCommaLocale();
    ExpectFormats({{99.5f, "99,5"}, {123.456789f, "123,4568"}, {120.0f, "120"}, {12345678.0f, "1,234568E+07"}},
                  [&](float v) { return FormatGeneralNumber(v, comma); });
}

TEST(FormatCurrentDateAndTime, ShortOnlyForTheExactChoice)
{
    const std::pair<const char*, const char*> dates[] = {
        {"Short", "6/14/2021"}, {"Long", "Monday, June 14, 2021"}, {"short", "Monday, June 14, 2021"},
        {"SHORT", "Monday, June 14, 2021"}, {"Short ", "Monday, June 14, 2021"}, {"", "Monday, June 14, 2021"}};
    for (const auto& [choice, expected] : dates) {
        Preferences preferences;
        preferences.DateFormat = choice;
        EXPECT_EQ(FormatCurrentDate(preferences, FixedLocale(), FixedClock()), expected) << choice;
    }
    const std::pair<const char*, const char*> times[] = {
        {"Short", "17:42"}, {"Long", "5:42:07 PM"}, {"short", "5:42:07 PM"}, {"", "5:42:07 PM"}};
    for (const auto& [choice, expected] : times) {
        Preferences preferences;
        preferences.TimeFormat = choice;
        EXPECT_EQ(FormatCurrentTime(preferences, FixedLocale(), FixedClock()), expected) << choice;
    }
}

TEST(FormatCurrentDateAndTime, ReadTheClockAtEachCallWithTwoDigitTwentyFourHourTimes)
{
    const Preferences preferences;
    FixedClock clock;
    clock.now = {1999, 12, 31, 23, 59, 58};
    EXPECT_EQ(FormatCurrentDate(preferences, FixedLocale(), clock), "12/31/1999");
    EXPECT_EQ(FormatCurrentTime(preferences, DecimalCommaLocale(), clock), "23.59");
    clock.now = {2000, 1, 1, 0, 0, 1};
    EXPECT_EQ(FormatCurrentDate(preferences, FixedLocale(), clock), "1/1/2000");
    EXPECT_EQ(FormatCurrentTime(preferences, FixedLocale(), clock), "00:00");
    clock.now = {2021, 6, 14, 9, 5, 59};
    EXPECT_EQ(FormatCurrentTime(preferences, FixedLocale(), clock), "09:05");
}

}  // namespace
}  // namespace sondrel
