#include "format/value_format.h"

#include <charconv>
#include <cmath>

// Numbers are written with std::to_chars, never printf: the desktop program
// sets the C library's locale from the environment, and the decimal point
// must come from the Locale interface alone.

namespace sondrel {

namespace {

std::string TwoDigits(long long value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string DoubleText(double value, std::chars_format format, int precision)
{
    char buffer[400];  // fixed notation of the largest float needs 39 digits
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
    return std::string(buffer, result.ptr);
}

// A whole number rounded half away from zero, with every digit and no
// grouping, for any float however large.
std::string WholeNumberText(double value)
{
    return DoubleText(std::round(value), std::chars_format::fixed, 0);
}

}  // namespace

std::string FormatVolumeDb(float gain, const Locale& locale)
{
    if (gain == 0.0f)
        return "-inf";
    // REAPER stores inverted polarity as a negative gain: its size is the level.
    const double db = 6.0 * std::log2(std::fabs(static_cast<double>(gain)));
    if (std::isnan(db))
        return "nan";
    if (std::isinf(db))
        return "+inf";
    const std::string sign = db > 0 ? "+" : (db < 0 ? "-" : "");
    // |db| stays below 900 for a float gain, so the hundredths fit easily.
    const auto hundredths = static_cast<long long>(std::round(std::fabs(db) * 100.0));
    return sign + std::to_string(hundredths / 100) + locale.DecimalSeparator() + TwoDigits(hundredths % 100) + "db";
}

std::string FormatPan(float pan)
{
    if (pan == 0.0f)
        return "C";
    const auto percent = static_cast<float>(std::fabs(static_cast<double>(pan)) * 100.0);
    return (pan < 0 ? "L " : "R ") + WholeNumberText(percent) + "%";
}

std::string FormatSeconds(float seconds, const Locale& locale)
{
    double size = std::fabs(static_cast<double>(seconds));
    if (!std::isfinite(size))
        size = 0;
    double whole = std::floor(size);
    if (size - whole >= 0.5)
        whole += 1;
    const auto timeOfDay = static_cast<long long>(std::fmod(whole, 86400.0));
    const std::string separator = locale.TimeSeparator();
    return (seconds < 0 ? "-" : "") + std::to_string(timeOfDay / 3600) + separator + TwoDigits(timeOfDay / 60 % 60) +
           separator + TwoDigits(timeOfDay % 60);
}

std::string FormatGeneralNumber(float value, const Locale& locale)
{
    if (value == 0.0f)
        return "0";  // also for -0
    const std::string separator = locale.DecimalSeparator();
    std::string text;
    for (char c : DoubleText(static_cast<double>(value), std::chars_format::general, 7)) {
        if (c == '.')
            text += separator;
        else
            text += (c == 'e') ? 'E' : c;
    }
    return text;
}

std::string FormatCurrentDate(const Preferences& preferences, const Locale& locale, const Clock& clock)
{
    return FormatDate(clock.Now(), preferences, locale);
}

std::string FormatCurrentTime(const Preferences& preferences, const Locale& locale, const Clock& clock)
{
    return FormatTime(clock.Now(), preferences, locale);
}

std::string FormatDate(const LocalDateTime& when, const Preferences& preferences, const Locale& locale)
{
    return DateTimeFormOf(preferences.DateFormat) == DateTimeForm::Short ? locale.ShortDate(when) : locale.LongDate(when);
}

std::string FormatTime(const LocalDateTime& now, const Preferences& preferences, const Locale& locale)
{
    if (DateTimeFormOf(preferences.TimeFormat) == DateTimeForm::Long)
        return locale.LongTime(now);
    // Hours and minutes on the 24-hour clock, whatever the locale's own form.
    return TwoDigits(now.Hour) + locale.TimeSeparator() + TwoDigits(now.Minute);
}

std::string TextIfSet(bool flag, const std::string& label)
{
    return flag ? label : std::string();
}

std::string TextIfClear(bool flag, const std::string& label)
{
    return flag ? std::string() : label;
}

}  // namespace sondrel
