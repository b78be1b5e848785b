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

using testing::TempFolder;

// The converter called in-process, with a fixed locale and clock (14 June
// 2021, 17:42:07), a memory store and string streams in place of the terminal.
class ConverterCommandTest : public ::testing::Test {
protected:
    int Run(std::vector<std::string> arguments, const std::string& input = "", bool terminal = false)
    {
        arguments.insert(arguments.begin(), "sondrel-convert");
        std::istringstream in(input);
        err.str("");
        std::ostringstream out;
        const ConverterEnvironment environment{store, folder.Path("default.htm"), locale, clock};
        ConverterStreams streams{in, out, err, terminal};
        return RunConverter(arguments, environment, streams);
    }

    TempFolder folder;
    testing::MemorySettingsStore store;
    testing::FixedLocale locale;
    testing::FixedClock clock;
    std::ostringstream err;
    const std::string project = folder.Write("song.rpp", testing::kSampleProject);
    const std::string output = folder.Path("out.htm");
    const std::string lists = folder.Write("lists.htm", testing::kListTemplate);
};

TEST_F(ConverterCommandTest, AnExistingOutputIsReplacedOnlyOnYesOrForce)
{
    const std::string question = "The file " + output + " already exists.  Do you want to overwrite it? [y/N] ";
    const struct {
        std::string answer;
        bool terminal, force;
        int status;
    } cases[] = {{"y\n", true, false, ExitWritten},       {"YES\n", true, false, ExitWritten},
                 {" y \r\n", true, false, ExitWritten},   {"n\n", true, false, ExitNotReplaced},
                 {"\n", true, false, ExitNotReplaced},    {"", true, false, ExitNotReplaced},
                 {"yeah\n", true, false, ExitNotReplaced}, {"ok\n", true, false, ExitNotReplaced},
                 {"y\n", false, false, ExitNotReplaced},  {"n\n", true, true, ExitWritten}};
    for (const auto& c : cases) {
        folder.Write("out.htm", "keep me");
        std::vector<std::string> arguments{project, output, lists};
        if (c.force)
            arguments.insert(arguments.begin(), "--force");
        EXPECT_EQ(Run(arguments, c.answer, c.terminal), c.status) << c.answer;
        EXPECT_EQ(TempFolder::Read(output), c.status == ExitWritten ? "[Kick<BR>Snare]" : "keep me") << c.answer;
        const bool asked = c.terminal && !c.force;
        EXPECT_EQ(err.str().rfind(question, 0) == 0, asked) << err.str();
        if (!c.terminal) {  // nobody to ask: say what was kept and how to replace it
            EXPECT_NE(err.str().find(output), std::string::npos) << err.str();
            EXPECT_NE(err.str().find("--force"), std::string::npos) << err.str();
        }
    }
}

TEST_F(ConverterCommandTest, OptionsOverrideTheStoredPreferencesWhichAreNeverWritten)
{
    store.values["Sondrel/Settings/ListSeparator"] = "Space";
    store.values["Sondrel/Settings/DateFormat"] = "Long";
    store.values["Sondrel/Settings/TimeFormat"] = "Long";
    const auto before = store.values;
    const std::string dates = folder.Write("dates.htm", testing::kDateTimeTemplate);
    const struct {
        std::vector<std::string> options;
        std::string templatePath;
        std::string expected;
    } cases[] = {
        {{}, lists, "[Kick Snare]"},
        {{}, dates, "Monday, June 14, 2021|5:42:07 PM"},
        {{"--list-separator", "Comma"}, lists, "[Kick,Snare]"},
        {{"--list-separator=Tab"}, lists, "[Kick\tSnare]"},
        {{"--list-separator", "<BR>"}, lists, "[Kick<BR>Snare]"},
        {{"--list-separator", "Pipe"}, lists, "[Kick, Snare]"},
        {{"--date-format", "Short", "--time-format", "Short"}, dates, "6/14/2021|17:42"},
        {{"--date-format", "short", "--time-format", "LONG"}, dates, "6/14/2021|5:42:07 PM"},
    };
    for (const auto& c : cases) {
        std::vector<std::string> arguments = c.options;
        arguments.insert(arguments.end(), {"-f", project, output, c.templatePath});
        EXPECT_EQ(Run(arguments), ExitWritten) << err.str();
        EXPECT_EQ(TempFolder::Read(output), c.expected);
    }
    EXPECT_TRUE(store.writtenKeys.empty());
    EXPECT_EQ(store.values, before);
}

TEST_F(ConverterCommandTest, UsageErrorsNameTheProblemAndShowTheUsage)
{
    const std::string templatePath = folder.Write("tpl.htm", "x");
    const std::string missing = "You must enter all information";
    const struct {
        std::vector<std::string> arguments;
        std::string message;
    } cases[] = {
        {{}, missing},
        {{project}, missing},
        {{project, ""}, missing},
        {{project, output, ""}, missing},
        {{"", output, templatePath}, missing},
        {{"--date-format", "Medium", project, output}, "--date-format must be Short or Long, not \"Medium\""},
        {{"--time-format", "", project, output}, "--time-format must be Short or Long"},
        {{"--colour", project, output}, "Unknown option 'colour'"},
        {{project, output, templatePath, "extra"}, "too many arguments"},
        {{project, output, "--list-separator"}, "Missing value after '--list-separator'"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.arguments), ExitUsage);
        EXPECT_NE(err.str().find("sondrel-convert: " + c.message), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("Usage: sondrel-convert [OPTIONS] PROJECT OUTPUT [TEMPLATE]"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

TEST_F(ConverterCommandTest, PathsArePassedOnByteForByte)
{
    folder.Write("default.htm", "<!-- TRACK-START -->##TRACK-NAME##<!-- TRACK-END -->");
    EXPECT_EQ(Run({project, output}), ExitWritten) << err.str();
    EXPECT_EQ(TempFolder::Read(output), "Drums") << "the installed template is the default";

    // Not valid UTF-8, and with blanks: the file must still be found and written.
    const std::string odd = folder.Path("caf\xe9 song .htm");
    EXPECT_EQ(Run({project, odd, folder.Write("tpl.htm", "[##OUTPUT-NAME##]")}), ExitWritten) << err.str();
    EXPECT_EQ(TempFolder::Read(odd), "[" + odd + "]");

    // A double dash allows a path that looks like an option.
    folder.Write("-song.rpp", testing::kSampleProject);
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.Path(""));
    const int status = Run({"-f", "--", "-song.rpp", "out.htm", folder.Write("tpl.htm", "ok")});
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
