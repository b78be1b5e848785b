#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <regex>
#include <string>

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

void PrintTo(const FloatCase& c, std::ostream* out)
{
    *out << std::hexfloat << c.value << " -> " << c.expected;
}

FixedLocale DecimalCommaLocale()
{
    FixedLocale locale;
    locale.decimalSeparator = ",";
    locale.timeSeparator = ".";
    return locale;
}

// ---- Volume --------------------------------------------------------------

class VolumeDb : public ::testing::TestWithParam<FloatCase> {};

TEST_P(VolumeDb, ShowsSixDecibelsPerDoubling)
{
    EXPECT_EQ(FormatVolumeDb(GetParam().value, FixedLocale()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, VolumeDb,
    ::testing::Values(FloatCase{1.0f, "0.00db"}, FloatCase{2.0f, "+6.00db"}, FloatCase{0.5f, "-6.00db"},
                      FloatCase{4.0f, "+12.00db"}, FloatCase{0.25f, "-12.00db"}, FloatCase{10.0f, "+19.93db"},
                      FloatCase{0.1f, "-19.93db"}, FloatCase{1.5f, "+3.51db"}, FloatCase{1.01f, "+0.09db"},
                      FloatCase{0.001f, "-59.79db"}, FloatCase{std::nextafter(1.0f, 2.0f), "+0.00db"},
                      FloatCase{std::numeric_limits<float>::denorm_min(), "-894.00db"}, FloatCase{0.0f, "-inf"}));

INSTANTIATE_TEST_SUITE_P(
    Edges, VolumeDb,
    ::testing::Values(
        // The sign follows the unrounded value on both sides of 1.
        FloatCase{std::nextafter(1.0f, 0.0f), "-0.00db"},
        FloatCase{-0.0f, "-inf"},
        // A negative gain (inverted polarity) shows the level of its size.
        FloatCase{-1.0f, "0.00db"}, FloatCase{-2.0f, "+6.00db"}, FloatCase{-0.5f, "-6.00db"},
        FloatCase{std::numeric_limits<float>::max(), "+768.00db"},
        FloatCase{std::numeric_limits<float>::min(), "-756.00db"},
        // Whole decibels below ten keep their one integer digit.
        FloatCase{0.9438743f, "-0.50db"}, FloatCase{std::numeric_limits<float>::infinity(), "+inf"}));

TEST(VolumeDbLocale, UsesTheLocaleDecimalSeparator)
{
    const FixedLocale comma = DecimalCommaLocale();
    EXPECT_EQ(FormatVolumeDb(2.0f, comma), "+6,00db");
    EXPECT_EQ(FormatVolumeDb(0.1f, comma), "-19,93db");
    EXPECT_EQ(FormatVolumeDb(0.0f, comma), "-inf");
    FixedLocale wide;
    wide.decimalSeparator = "<sep>";
    EXPECT_EQ(FormatVolumeDb(1.5f, wide), "+3<sep>51db");
}

// ---- Pan -----------------------------------------------------------------

class Pan : public ::testing::TestWithParam<FloatCase> {};

TEST_P(Pan, ShowsSideAndWholePercent)
{
    EXPECT_EQ(FormatPan(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, Pan,
                         ::testing::Values(FloatCase{0.0f, "C"}, FloatCase{0.5f, "R 50%"}, FloatCase{-0.5f, "L 50%"},
                                           FloatCase{1.0f, "R 100%"}, FloatCase{-1.0f, "L 100%"},
                                           FloatCase{0.25f, "R 25%"}, FloatCase{-0.333f, "L 33%"},
                                           FloatCase{0.126f, "R 13%"}, FloatCase{-0.994f, "L 99%"},
                                           FloatCase{0.004f, "R 0%"}, FloatCase{-0.004f, "L 0%"}));

INSTANTIATE_TEST_SUITE_P(Edges, Pan,
                         ::testing::Values(FloatCase{-0.0f, "C"}, FloatCase{1.5f, "R 150%"},
                                           FloatCase{-2.5f, "L 250%"},
                                           // A half rounds away from zero.
                                           FloatCase{0.125f, "R 13%"}, FloatCase{-0.125f, "L 13%"},
                                           FloatCase{std::numeric_limits<float>::denorm_min(), "R 0%"},
                                           // Large values keep every digit, without grouping.
                                           FloatCase{123456.0f, "R 12345600%"}));

// ---- Seconds -------------------------------------------------------------

class Seconds : public ::testing::TestWithParam<FloatCase> {};

TEST_P(Seconds, ShowsTheTimeOfDay)
{
    EXPECT_EQ(FormatSeconds(GetParam().value, FixedLocale()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, Seconds,
                         ::testing::Values(FloatCase{0.0f, "0:00:00"}, FloatCase{59.4f, "0:00:59"},
                                           FloatCase{59.6f, "0:01:00"}, FloatCase{61.0f, "0:01:01"},
                                           FloatCase{3599.0f, "0:59:59"}, FloatCase{3600.0f, "1:00:00"},
                                           FloatCase{7325.2f, "2:02:05"}, FloatCase{86399.0f, "23:59:59"},
                                           FloatCase{86400.0f, "0:00:00"}, FloatCase{90061.0f, "1:01:01"}));

INSTANTIATE_TEST_SUITE_P(
    Edges, Seconds,
    ::testing::Values(
        // A half second rounds up.
        FloatCase{19.5f, "0:00:20"}, FloatCase{0.5f, "0:00:01"}, FloatCase{0.49999997f, "0:00:00"},
        FloatCase{86399.5f, "0:00:00"},
        // A negative value is the clock of its size after a minus sign.
        FloatCase{-61.0f, "-0:01:01"}, FloatCase{-19.5f, "-0:00:20"}, FloatCase{-0.0f, "0:00:00"},
        // 2^31 seconds: 24855 days and 3:14:08.
        FloatCase{2147483648.0f, "3:14:08"},
        // 2^40 seconds leave 2176 seconds of their last day.
        FloatCase{1099511627776.0f, "0:36:16"}));

TEST(SecondsHuge, LargestFloatGivesAValidClock)
{
    const std::string text = FormatSeconds(std::numeric_limits<float>::max(), FixedLocale());
    std::smatch parts;
    ASSERT_TRUE(std::regex_match(text, parts, std::regex(R"((\d{1,2}):([0-5]\d):([0-5]\d))"))) << text;
    EXPECT_LT(std::stoi(parts[1]), 24);
    // The largest float is a multiple of 2^104, so of 2^7; its time of day
    // in seconds is therefore a multiple of 128 as well (86400 = 128 x 675).
    const int secondsOfDay = std::stoi(parts[1]) * 3600 + std::stoi(parts[2]) * 60 + std::stoi(parts[3]);
    EXPECT_EQ(secondsOfDay % 128, 0) << text;
    EXPECT_EQ(FormatSeconds(-std::numeric_limits<float>::max(), FixedLocale()), "-" + text);
}

TEST(SecondsLocale, UsesTheLocaleTimeSeparator)
{
    EXPECT_EQ(FormatSeconds(7325.2f, DecimalCommaLocale()), "2.02.05");
    FixedLocale wide;
    wide.timeSeparator = " h ";
    EXPECT_EQ(FormatSeconds(3661.0f, wide), "1 h 01 h 01");
}

// ---- General numbers (tempo) ---------------------------------------------

class GeneralNumber : public ::testing::TestWithParam<FloatCase> {};

TEST_P(GeneralNumber, ShowsUpToSevenSignificantDigits)
{
    EXPECT_EQ(FormatGeneralNumber(GetParam().value, FixedLocale()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Tempi, GeneralNumber,
                         ::testing::Values(FloatCase{120.0f, "120"}, FloatCase{99.5f, "99.5"},
                                           FloatCase{123.456789f, "123.4568"}, FloatCase{0.0f, "0"},
                                           FloatCase{-0.0f, "0"}, FloatCase{0.1f, "0.1"}, FloatCase{-5.25f, "-5.25"},
                                           FloatCase{1234567.0f, "1234567"}, FloatCase{12345678.0f, "1.234568E+07"},
                                           FloatCase{0.0001f, "0.0001"}, FloatCase{0.00001f, "1E-05"},
                                           FloatCase{960.0f, "960"}, FloatCase{1.0f / 3.0f, "0.3333333"}));

TEST(GeneralNumberLocale, UsesTheLocaleDecimalSeparator)
{
    const FixedLocale comma = DecimalCommaLocale();
    EXPECT_EQ(FormatGeneralNumber(99.5f, comma), "99,5");
    EXPECT_EQ(FormatGeneralNumber(123.456789f, comma), "123,4568");
    EXPECT_EQ(FormatGeneralNumber(120.0f, comma), "120");
    EXPECT_EQ(FormatGeneralNumber(12345678.0f, comma), "1,234568E+07");
}

// ---- Current date and time -----------------------------------------------

struct ChoiceCase {
    const char* choice;
    const char* expected;
};

class CurrentDate : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(CurrentDate, ShortOnlyForTheExactChoice)
{
    Preferences preferences;
    preferences.DateFormat = GetParam().choice;
    EXPECT_EQ(FormatCurrentDate(preferences, FixedLocale(), FixedClock()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Choices, CurrentDate,
                         ::testing::Values(ChoiceCase{"Short", "6/14/2021"}, ChoiceCase{"Long", "Monday, June 14, 2021"},
                                           ChoiceCase{"short", "Monday, June 14, 2021"},
                                           ChoiceCase{"SHORT", "Monday, June 14, 2021"},
                                           ChoiceCase{"Short ", "Monday, June 14, 2021"},
                                           ChoiceCase{"", "Monday, June 14, 2021"}));

class CurrentTime : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(CurrentTime, ShortOnlyForTheExactChoice)
{
    Preferences preferences;
    preferences.TimeFormat = GetParam().choice;
    EXPECT_EQ(FormatCurrentTime(preferences, FixedLocale(), FixedClock()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Choices, CurrentTime,
                         ::testing::Values(ChoiceCase{"Short", "17:42"}, ChoiceCase{"Long", "5:42:07 PM"},
                                           ChoiceCase{"short", "5:42:07 PM"}, ChoiceCase{"", "5:42:07 PM"}));

TEST(CurrentTimeShort, HasTwoDigitTwentyFourHourClockAndLocaleSeparator)
{
    Preferences preferences;
    FixedClock clock;
    clock.now = {2021, 6, 14, 9, 5, 59};
    EXPECT_EQ(FormatCurrentTime(preferences, FixedLocale(), clock), "09:05");
    clock.now = {2021, 6, 14, 0, 0, 0};
    EXPECT_EQ(FormatCurrentTime(preferences, FixedLocale(), clock), "00:00");
    clock.now = {2021, 6, 14, 23, 59, 59};
    EXPECT_EQ(FormatCurrentTime(preferences, DecimalCommaLocale(), clock), "23.59");
}

TEST(CurrentDateAndTime, ReadTheClockAtEachCall)
{
    Preferences preferences;
    FixedClock clock;
    clock.now = {1999, 12, 31, 23, 59, 58};
    EXPECT_EQ(FormatCurrentDate(preferences, FixedLocale(), clock), "12/31/1999");
    EXPECT_EQ(FormatCurrentTime(preferences, FixedLocale(), clock), "23:59");
    clock.now = {2000, 1, 1, 0, 0, 1};
    EXPECT_EQ(FormatCurrentDate(preferences, FixedLocale(), clock), "1/1/2000");
    EXPECT_EQ(FormatCurrentTime(preferences, FixedLocale(), clock), "00:00");
}

// ---- Flags ---------------------------------------------------------------

TEST(FlagText, SetShowsTheLabelOnlyForTrueAndClearOnlyForFalse)
{
    EXPECT_EQ(TextIfSet(true, "Mute"), "Mute");
    EXPECT_EQ(TextIfSet(false, "Mute"), "");
    EXPECT_EQ(TextIfClear(false, "Active"), "Active");
    EXPECT_EQ(TextIfClear(true, "Active"), "");
    EXPECT_EQ(TextIfSet(true, "In Group"), "In Group");
}

}  // namespace
}  // namespace sondrel
