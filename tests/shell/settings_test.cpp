#include <gtest/gtest.h>

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

struct Loaded {
    WindowPlacement placement{1, 2, 3, 4};  // not the defaults, so loading must set them
    RememberedPaths paths{"old project", "old output", "old template"};
    Preferences preferences{"old", "old", "old"};
};

Loaded LoadFrom(const SettingsStore& store, const std::string& defaultTemplate = "/opt/sondrel/templates/t.htm")
{
    Loaded loaded;
    LoadSettings(store, defaultTemplate, loaded.placement, loaded.paths, loaded.preferences);
    return loaded;
}

void Store(MemorySettingsStore& store, const std::string& key, const std::string& text)
{
    store.values["Sondrel/Settings/" + key] = text;
}

TEST(LoadSettings, FirstRunTakesEveryDefault)
{
    const MemorySettingsStore empty;
    const Loaded loaded = LoadFrom(empty, "/opt/sondrel/templates/default_template.htm");
    EXPECT_EQ(loaded.placement.Left, 1000);
    EXPECT_EQ(loaded.placement.Top, 1000);
    EXPECT_EQ(loaded.placement.Width, 6500);
    EXPECT_EQ(loaded.placement.Height, 6500);
    EXPECT_EQ(loaded.paths.LastReaperFile, "");
    EXPECT_EQ(loaded.paths.LastHTMLFile, "");
    EXPECT_EQ(loaded.paths.LastTemplateFile, "/opt/sondrel/templates/default_template.htm");
    EXPECT_EQ(loaded.preferences.ListSeparator, "<BR>");
    EXPECT_EQ(loaded.preferences.DateFormat, "Short");
    EXPECT_EQ(loaded.preferences.TimeFormat, "Short");
}

TEST(LoadSettings, ReadsTheTenKeysInOrderUnderSondrelSettings)
{
    ReadRecordingStore store;
    LoadFrom(store);
    std::vector<std::string> keys;
    for (const auto& [key, defaultText] : store.reads)
        keys.push_back(key);
    EXPECT_EQ(keys, kKeysInOrder);
    EXPECT_EQ(store.reads[0].second, "1000");
    EXPECT_EQ(store.reads[3].second, "6500");
}

TEST(LoadSettings, StoredValuesAreTakenAsTheyStand)
{
    MemorySettingsStore store;
    Store(store, "MainLeft", "-30000");  // far off the screen: applied anyway
    Store(store, "MainTop", "1234.5");
    Store(store, "MainWidth", "9000");
    Store(store, "MainHeight", "7200");
    Store(store, "LastHTMLFile", "  out.htm  ");
    Store(store, "LastReaperFile", "C:\\p\\song.rpp");
    Store(store, "LastTemplateFile", "mine.htm");
    Store(store, "ListSeparator", "Semicolon");  // unknown choices are kept, not corrected
    Store(store, "DateFormat", "Long");
    Store(store, "TimeFormat", "long");
    const Loaded loaded = LoadFrom(store);
    EXPECT_EQ(loaded.placement.Left, -30000);
    EXPECT_EQ(loaded.placement.Top, 1234.5f);
    EXPECT_EQ(loaded.placement.Width, 9000);
    EXPECT_EQ(loaded.placement.Height, 7200);
    EXPECT_EQ(loaded.paths.LastHTMLFile, "  out.htm  ");
    EXPECT_EQ(loaded.paths.LastReaperFile, "C:\\p\\song.rpp");
    EXPECT_EQ(loaded.paths.LastTemplateFile, "mine.htm");
    EXPECT_EQ(loaded.preferences.ListSeparator, "Semicolon");
    EXPECT_EQ(loaded.preferences.DateFormat, "Long");
    EXPECT_EQ(loaded.preferences.TimeFormat, "long");
}

TEST(LoadSettings, StoredEmptyTextStaysEmpty)
{
    MemorySettingsStore store;
    for (const char* key : {"LastHTMLFile", "LastReaperFile", "LastTemplateFile", "ListSeparator", "DateFormat",
                            "TimeFormat"})
        Store(store, key, "");
    const Loaded loaded = LoadFrom(store);
    EXPECT_EQ(loaded.paths.LastHTMLFile, "");
    EXPECT_EQ(loaded.paths.LastReaperFile, "");
    EXPECT_EQ(loaded.paths.LastTemplateFile, "");
    EXPECT_EQ(loaded.preferences.ListSeparator, "");
    EXPECT_EQ(loaded.preferences.DateFormat, "");
    EXPECT_EQ(loaded.preferences.TimeFormat, "");
}

struct PlacementText {
    std::string stored;
    float expected;
};

class StoredPlacement : public ::testing::TestWithParam<PlacementText> {};

TEST_P(StoredPlacement, IsReadAsTheNumberItWrites)
{
    MemorySettingsStore store;
    Store(store, "MainTop", GetParam().stored);
    Store(store, "MainHeight", GetParam().stored);
    const Loaded loaded = LoadFrom(store);
    EXPECT_EQ(loaded.placement.Top, GetParam().expected);
    EXPECT_EQ(loaded.placement.Height, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Numbers, StoredPlacement,
                         ::testing::Values(PlacementText{"0", 0}, PlacementText{"1500", 1500},
                                           PlacementText{"-20", -20}, PlacementText{"+5", 5},
                                           PlacementText{" 1200 ", 1200}, PlacementText{"1e3", 1000},
                                           PlacementText{"1234.5", 1234.5f}));

class NotANumber : public ::testing::TestWithParam<std::string> {};

TEST_P(NotANumber, FallsBackToItsKeysDefault)
{
    MemorySettingsStore store;
    for (const char* key : {"MainLeft", "MainTop", "MainWidth", "MainHeight"})
        Store(store, key, GetParam());
    const Loaded loaded = LoadFrom(store);
    EXPECT_EQ(loaded.placement.Left, 1000);
    EXPECT_EQ(loaded.placement.Top, 1000);
    EXPECT_EQ(loaded.placement.Width, 6500);
    EXPECT_EQ(loaded.placement.Height, 6500);
}

INSTANTIATE_TEST_SUITE_P(Texts, NotANumber,
                         ::testing::Values("", " ", "abc", "12px", "1,5", "nan", "inf", "-inf", "1e99", "0x10",
                                           "++5", "1 2"));

TEST(SaveSettings, WritesTheTenKeysInOrder)
{
    MemorySettingsStore store;
    const WindowPlacement placement{1000, 1234.5f, -150, 10000000000.0f};
    const RememberedPaths paths{"song.rpp", "out.htm", "tpl.htm"};
    const Preferences preferences{"Tab", "Long", "Short"};
    SaveSettings(store, false, placement, paths, preferences);
    EXPECT_EQ(store.writtenKeys, kKeysInOrder);
    const std::vector<std::pair<std::string, std::string>> expected{
        {"MainLeft", "1000"},           {"MainTop", "1234.5"},        {"MainWidth", "-150"},
        {"MainHeight", "10000000000"},  {"LastHTMLFile", "out.htm"},  {"LastReaperFile", "song.rpp"},
        {"LastTemplateFile", "tpl.htm"}, {"ListSeparator", "Tab"},     {"DateFormat", "Long"},
        {"TimeFormat", "Short"}};
    for (const auto& [key, text] : expected)
        EXPECT_EQ(store.values.at("Sondrel/Settings/" + key), text) << key;
}

TEST(SaveSettings, WritesNothingWhileTheWindowIsMinimised)
{
    MemorySettingsStore store;
    Store(store, "ListSeparator", "Comma");
    const auto before = store.values;
    SaveSettings(store, true, WindowPlacement{}, RememberedPaths{"a", "b", "c"}, Preferences{"Tab", "Long", "Long"});
    EXPECT_TRUE(store.writtenKeys.empty());
    EXPECT_EQ(store.values, before);
}

TEST(SaveSettings, WhatIsSavedLoadsBackUnchanged)
{
    MemorySettingsStore store;
    const WindowPlacement placement{-7.25f, 33.125f, 123456.5f, 0.1f};
    const RememberedPaths paths{"a b.rpp", "", "t.htm"};
    const Preferences preferences{"Comma", "Short", "Long"};
    SaveSettings(store, false, placement, paths, preferences);
    const Loaded loaded = LoadFrom(store);
    EXPECT_EQ(loaded.placement.Left, placement.Left);
    EXPECT_EQ(loaded.placement.Top, placement.Top);
    EXPECT_EQ(loaded.placement.Width, placement.Width);
    EXPECT_EQ(loaded.placement.Height, placement.Height);
    EXPECT_EQ(loaded.paths.LastReaperFile, "a b.rpp");
    EXPECT_EQ(loaded.paths.LastHTMLFile, "");
    EXPECT_EQ(loaded.paths.LastTemplateFile, "t.htm");
    EXPECT_EQ(loaded.preferences.ListSeparator, "Comma");
    EXPECT_EQ(loaded.preferences.DateFormat, "Short");
    EXPECT_EQ(loaded.preferences.TimeFormat, "Long");
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
