#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>
#include <string>
#include <vector>

#include "shell/settings.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

using testing::MemorySettingsStore;

const std::vector<std::string> kKeysInOrder{"MainLeft",      "MainTop",        "MainWidth",        "MainHeight",
                                            "LastHTMLFile",  "LastReaperFile", "LastTemplateFile", "ListSeparator",
                                            "DateFormat",    "TimeFormat"};

// Remembers which keys were read, in order, and with which default.
class ReadRecordingStore : public MemorySettingsStore {
public:
    mutable std::vector<std::pair<std::string, std::string>> reads;

    std::string ReadSetting(const std::string& application, const std::string& section, const std::string& key,
                            const std::string& defaultText) const override
    {
        reads.emplace_back(key, defaultText);
        return MemorySettingsStore::ReadSetting(application, section, key, defaultText);
    }
};

// Everything LoadSettings sets, as one line in the order of the keys. The
// starting values are not the defaults, so loading must set every one.
std::string LoadFrom(const SettingsStore& store)
{
    WindowPlacement placement{1, 2, 3, 4};
    RememberedPaths paths{"old project", "old output", "old template"};
    Preferences preferences{"old", "old", "old"};
    LoadSettings(store, "/opt/sondrel/templates/t.htm", placement, paths, preferences);
    std::ostringstream line;
    line << std::setprecision(9);  // enough digits to tell any two floats apart
    line << placement.Left << "|" << placement.Top << "|" << placement.Width << "|" << placement.Height << "|"
         << paths.LastHTMLFile << "|" << paths.LastReaperFile << "|" << paths.LastTemplateFile << "|"
         << preferences.ListSeparator << "|" << preferences.DateFormat << "|" << preferences.TimeFormat;
    return line.str();
}

MemorySettingsStore StoreWith(const std::vector<std::pair<std::string, std::string>>& values)
{
    MemorySettingsStore store;
    for (const auto& [key, text] : values)
        store.values["Sondrel/Settings/" + key] = text;
    return store;
}

TEST(LoadSettings, FirstRunReadsTheTenKeysInOrderAndTakesEveryDefault)
{
    ReadRecordingStore store;
    EXPECT_EQ(LoadFrom(store), "1000|1000|6500|6500|||/opt/sondrel/templates/t.htm|<BR>|Short|Short");
    std::vector<std::string> keys;
    for (const auto& [key, defaultText] : store.reads)
        keys.push_back(key);
    EXPECT_EQ(keys, kKeysInOrder);
}

TEST(LoadSettings, StoredTextsAreTakenAsTheyStand)
{
    // Far off the screen, padded, unknown choices: kept, not corrected.
    EXPECT_EQ(LoadFrom(StoreWith({{"MainLeft", "-30000"}, {"MainTop", "1234.5"}, {"MainWidth", "9000"},
                                  {"MainHeight", "7200"}, {"LastHTMLFile", "  out.htm  "},
                                  {"LastReaperFile", "C:\\p\\song.rpp"}, {"LastTemplateFile", "mine.htm"},
                                  {"ListSeparator", "Semicolon"}, {"DateFormat", "Long"}, {"TimeFormat", "long"}})),
              "-30000|1234.5|9000|7200|  out.htm  |C:\\p\\song.rpp|mine.htm|Semicolon|Long|long");
    EXPECT_EQ(LoadFrom(StoreWith({{"LastHTMLFile", ""}, {"LastReaperFile", ""}, {"LastTemplateFile", ""},
                                  {"ListSeparator", ""}, {"DateFormat", ""}, {"TimeFormat", ""}})),
              "1000|1000|6500|6500||||||");
}

TEST(LoadSettings, PlacementNumbersAndTextsThatAreNone)
{
    // An empty expectation: not a number, so each key takes its default.
    const std::pair<std::string, std::string> cases[] = {
        {"0", "0"},   {"1500", "1500"}, {"-20", "-20"}, {"+5", "5"},   {" 1200 ", "1200"}, {"1e3", "1000"},
        {"1234.5", "1234.5"}, {"", ""}, {" ", ""},      {"abc", ""},   {"12px", ""},       {"1,5", ""},
        {"nan", ""},  {"inf", ""},      {"-inf", ""},   {"1e99", ""},  {"0x10", ""},       {"++5", ""},
        {"1 2", ""}};
    for (const auto& [stored, number] : cases) {
        const std::string loaded = LoadFrom(
            StoreWith({{"MainLeft", stored}, {"MainTop", stored}, {"MainWidth", stored}, {"MainHeight", stored}}));
        const std::string placement = number.empty() ? "1000|1000|6500|6500" : number + "|" + number + "|" +
                                                                                   number + "|" + number;
        EXPECT_EQ(loaded.substr(0, loaded.find("|||")), placement) << "\"" << stored << "\"";
    }
}

TEST(SaveSettings, WritesTheTenKeysInOrderAndLoadsBackUnchanged)
{
    MemorySettingsStore store;
    SaveSettings(store, false, WindowPlacement{-7.25f, 1234.5f, 0.1f, 10000000000.0f},
                 RememberedPaths{"a b.rpp", "", "tpl.htm"}, Preferences{"Tab", "Long", "Short"});
    EXPECT_EQ(store.writtenKeys, kKeysInOrder);
    EXPECT_EQ(store.values.at("Sondrel/Settings/MainTop"), "1234.5");
    EXPECT_EQ(store.values.at("Sondrel/Settings/MainHeight"), "10000000000");
    EXPECT_EQ(store.values.at("Sondrel/Settings/LastReaperFile"), "a b.rpp");
    EXPECT_EQ(LoadFrom(store), "-7.25|1234.5|0.100000001|1e+10||a b.rpp|tpl.htm|Tab|Long|Short");
}

TEST(SaveSettings, WritesNothingWhileTheWindowIsMinimised)
{
    MemorySettingsStore store = StoreWith({{"ListSeparator", "Comma"}});
    const auto before = store.values;
    SaveSettings(store, true, WindowPlacement{}, RememberedPaths{"a", "b", "c"}, Preferences{"Tab", "Long", "Long"});
    EXPECT_TRUE(store.writtenKeys.empty());
    EXPECT_EQ(store.values, before);
}

TEST(DefaultTemplatePath, JoinsTheFolderWithThePlatformsSeparator)
{
    EXPECT_EQ(DefaultTemplatePath("/opt/sondrel"), "/opt/sondrel/templates/default_template.htm");
    EXPECT_EQ(DefaultTemplatePath("C:\\Program Files\\Sondrel", '\\'),
              "C:\\Program Files\\Sondrel\\templates\\default_template.htm");
    EXPECT_EQ(DefaultTemplatePath(""), "/templates/default_template.htm");  // the program in the root folder
}

}  // namespace
}  // namespace sondrel
