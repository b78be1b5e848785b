#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/console_ui.h"
#include "cli/converter_command.h"
#include "sample_files.h"
#include "shell/temp_folder.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

using testing::FixedClock;
using testing::FixedLocale;
using testing::MemorySettingsStore;
using testing::TempFolder;

// The converter called in-process, with a fixed locale and clock, a memory
// store and string streams in place of the terminal.
class ConverterCommandTest : public ::testing::Test {
protected:
    int Run(std::vector<std::string> arguments, const std::string& input = "", bool terminal = false)
    {
        arguments.insert(arguments.begin(), "sondrel-convert");
        std::istringstream in(input);
        out.str("");
        err.str("");
        const ConverterEnvironment environment{store, folder.Path("default.htm"), locale, clock};
        ConverterStreams streams{in, out, err, terminal};
        return RunConverter(arguments, environment, streams);
    }

    void StorePreference(const std::string& key, const std::string& text)
    {
        store.values["Sondrel/Settings/" + key] = text;
    }

    TempFolder folder;
    MemorySettingsStore store;
    FixedLocale locale;
    FixedClock clock;  // 14 June 2021, 17:42:07
    std::ostringstream out;
    std::ostringstream err;
    const std::string project = folder.Write("song.rpp", testing::kSampleProject);
    const std::string output = folder.Path("out.htm");
};

TEST_F(ConverterCommandTest, OnATerminalTheOverwriteQuestionDecides)
{
    const std::string templatePath = folder.Write("tpl.htm", testing::kListTemplate);
    struct Case {
        std::string answer;
        int status;
        bool replaced;
    };
    const Case cases[] = {{"y\n", 0, true},  {"YES\n", 0, true}, {" y \r\n", 0, true}, {"n\n", 3, false},
                          {"\n", 3, false},  {"", 3, false},     {"yeah\n", 3, false}, {"ok\n", 3, false}};
    for (const Case& c : cases) {
        folder.Write("out.htm", "keep me");
        EXPECT_EQ(Run({project, output, templatePath}, c.answer, true), c.status) << c.answer;
        EXPECT_EQ(TempFolder::Read(output) != "keep me", c.replaced) << c.answer;
        EXPECT_EQ(err.str().rfind("The file " + output + " already exists.  Do you want to overwrite it? [y/N] ", 0),
                  0u)
            << err.str();
    }
}

TEST_F(ConverterCommandTest, WithoutATerminalAnExistingOutputIsKept)
{
    folder.Write("out.htm", "keep me");
    EXPECT_EQ(Run({project, output, folder.Write("tpl.htm", "x")}, "y\n", false), ExitNotReplaced);
    EXPECT_EQ(TempFolder::Read(output), "keep me");
    EXPECT_EQ(err.str().find("Do you want"), std::string::npos) << "nobody to ask";
    EXPECT_NE(err.str().find(output), std::string::npos) << err.str();
    EXPECT_NE(err.str().find("--force"), std::string::npos) << err.str();
}

TEST_F(ConverterCommandTest, ForceReplacesWithoutAsking)
{
    folder.Write("out.htm", "keep me");
    EXPECT_EQ(Run({"--force", project, output, folder.Write("tpl.htm", testing::kListTemplate)}, "n\n", true),
              ExitWritten);
    EXPECT_EQ(TempFolder::Read(output), "[Kick<BR>Snare]");
    EXPECT_EQ(err.str(), "");
}

TEST_F(ConverterCommandTest, StoredPreferencesAreUsedAndNeverWritten)
{
    StorePreference("ListSeparator", "Space");
    StorePreference("DateFormat", "Long");
    StorePreference("TimeFormat", "Long");
    const auto before = store.values;
    const std::string lists = folder.Write("lists.htm", testing::kListTemplate);
    const std::string dates = folder.Write("dates.htm", testing::kDateTimeTemplate);

    EXPECT_EQ(Run({project, output, lists}), ExitWritten);
    EXPECT_EQ(TempFolder::Read(output), "[Kick Snare]");
    EXPECT_EQ(Run({"-f", project, output, dates}), ExitWritten);
    EXPECT_EQ(TempFolder::Read(output), "Monday, June 14, 2021|5:42:07 PM");

    EXPECT_TRUE(store.writtenKeys.empty());
    EXPECT_EQ(store.values, before);
}

TEST_F(ConverterCommandTest, OptionsOverrideTheStoredPreferences)
{
    StorePreference("ListSeparator", "Space");
    StorePreference("DateFormat", "Long");
    const std::string lists = folder.Write("lists.htm", testing::kListTemplate);
    const std::string dates = folder.Write("dates.htm", testing::kDateTimeTemplate);
    struct Case {
        std::vector<std::string> options;
        std::string templatePath;
        std::string expected;
    };
    const Case cases[] = {
        {{"--list-separator", "Comma"}, lists, "[Kick,Snare]"},
        {{"--list-separator=Tab"}, lists, "[Kick\tSnare]"},
        {{"--list-separator", "<BR>"}, lists, "[Kick<BR>Snare]"},
        {{"--list-separator", "Pipe"}, lists, "[Kick, Snare]"},
        {{"--date-format", "Short", "--time-format", "Short"}, dates, "6/14/2021|17:42"},
        {{"--date-format", "short", "--time-format", "LONG"}, dates, "6/14/2021|5:42:07 PM"},
        {{"--time-format", "Long"}, dates, "Monday, June 14, 2021|5:42:07 PM"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = c.options;
        arguments.insert(arguments.end(), {"--force", project, output, c.templatePath});
        EXPECT_EQ(Run(arguments), ExitWritten) << err.str();
        EXPECT_EQ(TempFolder::Read(output), c.expected) << c.options[0];
    }
}

TEST_F(ConverterCommandTest, UsageErrorsNameTheProblemAndShowTheUsage)
{
    const std::string templatePath = folder.Write("tpl.htm", "x");
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Case cases[] = {
        {{}, "You must enter all information"},
        {{project}, "You must enter all information"},
        {{project, ""}, "You must enter all information"},
        {{project, output, ""}, "You must enter all information"},
        {{"", output, templatePath}, "You must enter all information"},
        {{"--date-format", "Medium", project, output}, "--date-format must be Short or Long, not \"Medium\""},
        {{"--time-format", "", project, output}, "--time-format must be Short or Long"},
        {{"--colour", project, output}, "Unknown option 'colour'"},
        {{project, output, templatePath, "extra"}, "too many arguments"},
        {{project, output, "--list-separator"}, "Missing value after '--list-separator'"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Run(c.arguments), ExitUsage);
        EXPECT_NE(err.str().find("sondrel-convert: " + c.message), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("Usage: sondrel-convert [OPTIONS] PROJECT OUTPUT [TEMPLATE]"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

TEST_F(ConverterCommandTest, TheInstalledTemplateIsTheDefault)
{
    folder.Write("default.htm", "<!-- TRACK-START -->##TRACK-NAME##<!-- TRACK-END -->");
    EXPECT_EQ(Run({project, output}), ExitWritten) << err.str();
    EXPECT_EQ(TempFolder::Read(output), "Drums");
}

TEST_F(ConverterCommandTest, ArgumentsArePassedOnByteForByte)
{
    // Not valid UTF-8, and with blanks: the file must still be found and written.
    const std::string odd = folder.Path("caf\xe9 song .htm");
    EXPECT_EQ(Run({project, odd, folder.Write("tpl.htm", "[##OUTPUT-NAME##]")}), ExitWritten) << err.str();
    EXPECT_EQ(TempFolder::Read(odd), "[" + odd + "]");
}

TEST_F(ConverterCommandTest, ADoubleDashAllowsAPathThatLooksLikeAnOption)
{
    folder.Write("-song.rpp", testing::kSampleProject);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path(""));
    const int status = Run({"--", "-song.rpp", "out.htm", folder.Write("tpl.htm", "ok")});
    std::filesystem::current_path(previous);
    EXPECT_EQ(status, ExitWritten) << err.str();
    EXPECT_EQ(TempFolder::Read(output), "ok");
}

TEST(ConsoleUi, AMessageIsOneLineOnTheErrorStream)
{
    std::istringstream in;
    std::ostringstream err;
    ConsoleUi ui(in, err, OverwritePolicy::Keep);
    EXPECT_EQ(ui.ShowMessage("song.rpp, line 3:\nbad\r\nthing", MessageButtons::Ok, "Sondrel"), MessageAnswer::Ok);
    EXPECT_EQ(err.str(), "sondrel-convert: song.rpp, line 3: bad  thing\n");
}

}  // namespace
}  // namespace sondrel
