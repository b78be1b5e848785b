#include <gtest/gtest.h>

#include <sstream>

#include "shell/settings.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

// What LoadSettings sets from the stored texts, in the order of the keys, over values that are no defaults.
std::string Loaded(const std::map<std::string, std::string>& texts, const std::string& keyPrefix = "Sondrel/Settings/")
{
    testing::MemorySettingsStore store;
    for (const auto& [key, text] : texts)
        store.values[keyPrefix + key] = text;
    WindowPlacement placement{1, 2, 3, 4};
    RememberedPaths paths{"old", "old", "old"};
    Preferences preferences{"old", "old", "old"};
    LoadSettings(store, "/opt/t.htm", placement, paths, preferences);
    std::ostringstream line;
    line.precision(9);  // enough digits to tell any two floats apart
    line << placement.Left << "|" << placement.Top << "|" << placement.Width << "|" << placement.Height << "|"
         << paths.LastHTMLFile << "|" << paths.LastReaperFile << "|" << paths.LastTemplateFile << "|"
         << preferences.ListSeparator << "|" << preferences.DateFormat << "|" << preferences.TimeFormat;
    return line.str();
}

// A missing key takes its default, and so does a placement that is not wholly a finite number;
// anything else is saved and loaded back as it stands: far off the screen, padded, unknown, empty.
TEST(Settings, LoadTakesTheStoredTextsOrTheDefaultsAndSaveWritesTheTenKeysOrNothingWhileMinimised)
{
    const std::string otherDefaults = "|||/opt/t.htm|<BR>|Short|Short";
    EXPECT_EQ(Loaded({}), "1000|1000|6500|6500" + otherDefaults);
    const std::pair<std::string, std::string> placements[] = {
        {"0", "0"}, {"-20", "-20"}, {"+5", "5"}, {" 1200 ", "1200"}, {"1e3", "1000"}, {"", ""}, {" ", ""},
        {"abc", ""}, {"12px", ""}, {"1,5", ""}, {"nan", ""}, {"inf", ""}, {"1e99", ""}, {"0x10", ""}, {"++5", ""}};
    for (const auto& [text, n] : placements)
        EXPECT_EQ(Loaded({{"MainLeft", text}, {"MainTop", text}, {"MainWidth", text}, {"MainHeight", text}}),
                  (n.empty() ? "1000|1000|6500|6500" : n + "|" + n + "|" + n + "|" + n) + otherDefaults)
            << "\"" << text << "\"";
    testing::MemorySettingsStore store;
    SaveSettings(store, true, WindowPlacement{}, RememberedPaths{"a", "b", "c"}, Preferences{"Tab", "Long", "Long"});
    EXPECT_TRUE(store.writtenKeys.empty());
    SaveSettings(store, false, WindowPlacement{-30000.0f, 1234.5f, 0.1f, 10000000000.0f},
                 RememberedPaths{"C:\\p\\song.rpp", "  out.htm  ", ""}, Preferences{"Semicolon", "Long", "long"});
    EXPECT_EQ(store.writtenKeys, (std::vector<std::string>{"MainLeft", "MainTop", "MainWidth", "MainHeight",
                                                            "LastHTMLFile", "LastReaperFile", "LastTemplateFile",
                                                            "ListSeparator", "DateFormat", "TimeFormat"}));
    EXPECT_EQ(store.values.at("Sondrel/Settings/MainHeight"), "10000000000");
    EXPECT_EQ(Loaded(store.values, ""),
              "-30000|1234.5|0.100000001|1e+10|  out.htm  |C:\\p\\song.rpp||Semicolon|Long|long");
}

}  // namespace
}  // namespace sondrel
