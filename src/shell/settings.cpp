#include "shell/settings.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>

#include "shell/user_interface.h"

namespace sondrel {

namespace {

// The placement keys in the order they are read and written, each with the
// value a first run starts from.
struct PlacementKey {
    const char* key;
    float WindowPlacement::*field;
    float defaultValue;
};

const std::array<PlacementKey, 4> kPlacementKeys{{
    {"MainLeft", &WindowPlacement::Left, 1000},
    {"MainTop", &WindowPlacement::Top, 1000},
    {"MainWidth", &WindowPlacement::Width, 6500},
    {"MainHeight", &WindowPlacement::Height, 6500},
}};

std::string_view TrimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// The float written in text, or nothing when the text is not wholly a finite
// number. Always "." as decimal point: the store is written the same way, so
// a change of locale between runs cannot move the window.
std::optional<float> ParseFloat(std::string_view text)
{
    text = TrimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    float value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string FloatText(float value)
{
    // Fixed notation keeps large values readable ("10000000000", not "1e+10");
    // the digits are the fewest that read back as the same float.
    std::array<char, 64> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed);
    return std::string(buffer.data(), result.ptr);
}

std::string Read(const SettingsStore& store, const char* key, const std::string& defaultText)
{
    return store.ReadSetting(ApplicationTitle, SettingsSection, key, defaultText);
}

void Write(SettingsStore& store, const char* key, const std::string& text)
{
    store.WriteSetting(ApplicationTitle, SettingsSection, key, text);
}

}  // namespace

std::string DefaultTemplatePath(const std::string& applicationDirectory, char separator)
{
    return applicationDirectory + separator + "templates" + separator + "default_template.htm";
}

void LoadSettings(const SettingsStore& store, const std::string& defaultTemplatePath, WindowPlacement& placement,
                  RememberedPaths& paths, Preferences& preferences)
{
    for (const PlacementKey& entry : kPlacementKeys) {
        const std::string stored = Read(store, entry.key, FloatText(entry.defaultValue));
        placement.*entry.field = ParseFloat(stored).value_or(entry.defaultValue);
    }
    paths.LastHTMLFile = Read(store, "LastHTMLFile", "");
    paths.LastReaperFile = Read(store, "LastReaperFile", "");
    paths.LastTemplateFile = Read(store, "LastTemplateFile", defaultTemplatePath);
    preferences.ListSeparator = Read(store, "ListSeparator", "<BR>");
    preferences.DateFormat = Read(store, "DateFormat", "Short");
    preferences.TimeFormat = Read(store, "TimeFormat", "Short");
}

void SaveSettings(SettingsStore& store, bool mainWindowMinimised, const WindowPlacement& placement,
                  const RememberedPaths& paths, const Preferences& preferences)
{
    // A minimised window has no placement worth restoring, and the rule is
    // all or nothing: the paths and preferences of this run are dropped too.
    if (mainWindowMinimised)
        return;
    for (const PlacementKey& entry : kPlacementKeys)
        Write(store, entry.key, FloatText(placement.*entry.field));
    Write(store, "LastHTMLFile", paths.LastHTMLFile);
    Write(store, "LastReaperFile", paths.LastReaperFile);
    Write(store, "LastTemplateFile", paths.LastTemplateFile);
    Write(store, "ListSeparator", preferences.ListSeparator);
    Write(store, "DateFormat", preferences.DateFormat);
    Write(store, "TimeFormat", preferences.TimeFormat);
    store.Flush();
}

}  // namespace sondrel
