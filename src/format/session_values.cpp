#include "format/session_values.h"

#include <cmath>
#include <cstdio>

namespace sondrel {

namespace {
std::string TwoDigits(long long value) { return (value < 10 ? "0" : "") + std::to_string(value); }

bool SavedOnWindows(std::string_view reaperVersion)
{
    const std::size_t slash = reaperVersion.find('/');
    if (slash == std::string_view::npos)
        return true;  // versions that name no platform came from Windows builds
    const std::string_view platform = reaperVersion.substr(slash + 1);
    return platform.starts_with("win") || platform == "x64" || platform == "x86" || platform == "i686";
}
}  // namespace

std::string FormatPreciseTime(double seconds, const Locale& locale)
{
    if (!std::isfinite(seconds) || std::fabs(seconds) > 1e12)
        return "";
    const long long millis = std::llround(std::fabs(seconds) * 1000);
    const long long whole = millis / 1000;
    char fraction[8];
    std::snprintf(fraction, sizeof fraction, "%03lld", millis % 1000);
    const std::string sign = seconds < 0 && millis > 0 ? "-" : "";
    const std::string separator = locale.TimeSeparator();
    return sign + std::to_string(whole / 3600) + separator + TwoDigits(whole / 60 % 60) + separator +
           TwoDigits(whole % 60) + locale.DecimalSeparator() + fraction;
}

std::string FormatColor(std::uint32_t stored, std::string_view reaperVersion)
{
    if ((stored & 0x1000000u) == 0)
        return "";
    unsigned red = (stored >> 16) & 0xFF, green = (stored >> 8) & 0xFF, blue = stored & 0xFF;
    if (SavedOnWindows(reaperVersion))
        std::swap(red, blue);
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", red, green, blue);
    return text;
}

std::string ChannelText(int code)
{
    if (code < 0)
        return "";
    const int first = (code & 1023) + 1;
    const int size = code >> 10;
    if (size == 1)
        return std::to_string(first);
    if (size == 0)
        return std::to_string(first) + "/" + std::to_string(first + 1);
    return std::to_string(first) + "-" + std::to_string(first + 2 * size - 1);
}

std::string RecordInputText(int code)
{
    if (code < 0)
        return "";
    if (code & 4096) {
        const int channel = code & 31;
        return channel == 0 ? "MIDI all" : "MIDI ch " + std::to_string(channel);
    }
    const int first = (code & 1023) + 1;
    if (code & 1024)
        return "In " + std::to_string(first) + "/" + std::to_string(first + 1);
    if (code & 2048)
        return "In " + std::to_string(first) + "-" + std::to_string(first + 3);
    return "In " + std::to_string(first);
}

std::string MidiRoutingText(int flags)
{
    const int source = flags & 31;
    const int destination = (flags >> 5) & 31;
    if (source == 31)
        return "";
    const auto channel = [](int n) { return n == 0 ? std::string("All") : "Ch " + std::to_string(n); };
    return source == 0 && destination == 0 ? "All" : channel(source) + " \u2192 " + channel(destination);
}

std::string RoutingModeText(int mode)
{
    if (mode == 1)
        return "Pre-FX";
    return mode == 3 ? "Pre-fader" : "Post-fader";
}

std::string FormatDecimal(double value, int decimals, const Locale& locale)
{
    if (!std::isfinite(value))
        return "";
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    std::string shown = text;
    if (shown.find('.') != std::string::npos) {
        shown.erase(shown.find_last_not_of('0') + 1);
        if (shown.back() == '.')
            shown.pop_back();
    }
    if (shown == "-0")
        shown = "0";
    if (const std::size_t point = shown.find('.'); point != std::string::npos)
        shown.replace(point, 1, locale.DecimalSeparator());
    return shown;
}

}  // namespace sondrel
