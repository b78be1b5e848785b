#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include <QDir>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include "sample_files.h"
#include "shell/temp_folder.h"

namespace sondrel {
namespace {

using testing::TempFolder;

struct Finished {
    int status = -1;
    std::string out;
    std::string err;
};

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// Runs the built sondrel-convert with its own home and settings folders,
// input from a pipe (so never a terminal) and the locale given.
class ConverterProcessTest : public ::testing::Test {
protected:
    Finished Run(const QStringList& arguments, const QString& lang = "C", const QString& lcAll = "")
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", Q(folder.Path("home")));
        environment.insert("XDG_CONFIG_HOME", Q(folder.Path("config")));
        for (const char* name : {"LC_ALL", "LC_NUMERIC", "LC_TIME", "LANGUAGE"})
            environment.remove(name);
        environment.insert("LANG", lang);
        if (!lcAll.isEmpty())
            environment.insert("LC_ALL", lcAll);

        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(SONDREL_CONVERT_PROGRAM, arguments);
        EXPECT_TRUE(process.waitForStarted(10000));
        process.write("y\n");  // a pipe is no terminal: this must never answer the question
        process.closeWriteChannel();
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }

    TempFolder folder;
    const QString project = Q(folder.Write("song.rpp", testing::kSampleProject));
    const std::string output = folder.Path("out.htm");
    const QString tracks = Q(folder.Write("tpl.htm", testing::kTrackTemplate));
};

TEST_F(ConverterProcessTest, WritesQuietlyAndReplacesOnlyWithForce)
{
    const Finished run = Run({project, Q(output), tracks});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(TempFolder::Read(output), "<h1>120.5 BPM 4/4</h1><p>Drums</p>");
    EXPECT_EQ(run.out + run.err, "");

    folder.Write("out.htm", "keep me");
    const Finished kept = Run({project, Q(output)});
    EXPECT_EQ(kept.status, 3);
    EXPECT_EQ(TempFolder::Read(output), "keep me");
    EXPECT_NE(kept.err.find(output), std::string::npos) << kept.err;

    // Without a template the installed default one is used.
    const Finished forced = Run({"--force", project, Q(output)});
    EXPECT_EQ(forced.status, 0) << forced.err;
    const std::string document = TempFolder::Read(output);
    EXPECT_NE(document.find("Drums"), std::string::npos);
    EXPECT_EQ(document.find("##TRACK-NAME##"), std::string::npos);
}

TEST_F(ConverterProcessTest, AFailureIsOneLineNamingTheFileAndLine)
{
    const std::string broken = folder.Write("broken.rpp", testing::kBrokenProject);
    const std::string missing = folder.Path("missing.rpp");
    const std::string unwritable = folder.Path("no-such-folder/out.htm");
    const struct {
        QStringList arguments;
        std::string start;  // how the error line begins
    } cases[] = {
        {{Q(broken), Q(output), tracks}, broken + ", line 2: "},
        {{Q(missing), Q(output), tracks}, missing + ": "},
        {{project, Q(output), Q(folder.Path("missing.htm"))}, folder.Path("missing.htm") + ": "},
        {{project, Q(unwritable), tracks}, unwritable},
    };
    for (const auto& c : cases) {
        const Finished run = Run(c.arguments);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.rfind("sondrel-convert: " + c.start, 0), 0u) << run.err;
        EXPECT_GT(run.err.size(), c.start.size() + 1) << "the reason is missing: " << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

// --force replaces an earlier document, never the project or the template,
// and a control character from a file reaches the terminal escaped.
TEST_F(ConverterProcessTest, ForceNeverReplacesAnInputAndMessagesAreEscaped)
{
    const std::string projectText = TempFolder::Read(project.toStdString());
    const Finished replaced = Run({"--force", project, Q(folder.Path("./song.rpp"))});
    EXPECT_EQ(replaced.status, 1);
    EXPECT_EQ(replaced.err, "sondrel-convert: " + folder.Path("./song.rpp") + ": this is the project file " +
                                project.toStdString() + ", which the output must not replace; choose another output file\n");
    EXPECT_EQ(TempFolder::Read(project.toStdString()), projectText);

    const std::string hostile = folder.Write("esc.rpp", "<REAPER_PROJECT\n  TEMPO \x1b[2J\x07 4 4\n>\n");
    const Finished escaped = Run({"--force", Q(hostile), Q(output), tracks});
    EXPECT_EQ(escaped.status, 1);
    EXPECT_NE(escaped.err.find("\\x1B[2J\\x07"), std::string::npos) << escaped.err;
    EXPECT_EQ(escaped.err.find('\x1b'), std::string::npos) << escaped.err;
}

TEST_F(ConverterProcessTest, UsageHelpAndVersion)
{
    const Finished usage = Run({project});
    EXPECT_EQ(usage.status, 2);
    EXPECT_NE(usage.err.find("You must enter all information"), std::string::npos) << usage.err;
    EXPECT_NE(usage.err.find("Usage: sondrel-convert"), std::string::npos) << usage.err;
    EXPECT_EQ(Run({"--date-format", "Medium", project, Q(output)}).status, 2);

    const Finished help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: sondrel-convert [OPTIONS] PROJECT OUTPUT [TEMPLATE]", 0), 0u) << help.out;
    for (const char* option : {"--list-separator", "--date-format", "--time-format", "--force"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    EXPECT_EQ(Run({"-h", project, Q(output)}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(output)) << "neither usage errors nor help convert anything";
    const Finished version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "sondrel-convert 1.0.6\n");
}

TEST_F(ConverterProcessTest, ThePreferencesStoredByTheDesktopProgramAreReadNotWritten)
{
    const QString lists = Q(folder.Write("lists.htm", testing::kListTemplate));
    EXPECT_EQ(Run({project, Q(output), lists}).status, 0);
    EXPECT_EQ(TempFolder::Read(output), "[Kick<BR>Snare]");
    const std::string settingsPath = folder.Path("config/Sondrel/Sondrel.conf");
    EXPECT_FALSE(std::filesystem::exists(settingsPath)) << "the converter created a settings file";

    ASSERT_TRUE(QDir().mkpath(Q(folder.Path("config/Sondrel"))));
    const std::string stored = "[Settings]\nListSeparator=Space\nMainLeft=17\n";
    folder.Write("config/Sondrel/Sondrel.conf", stored);
    EXPECT_EQ(Run({"-f", project, Q(output), lists}).status, 0);
    EXPECT_EQ(TempFolder::Read(output), "[Kick Snare]");
    EXPECT_EQ(Run({"-f", "--list-separator", "Tab", project, Q(output), lists}).status, 0);
    EXPECT_EQ(TempFolder::Read(output), "[Kick\tSnare]");
    EXPECT_EQ(TempFolder::Read(settingsPath), stored);
}

TEST_F(ConverterProcessTest, NumbersAndTimesFollowTheProcessLocale)
{
    const QString numbers = Q(folder.Write("numbers.htm", testing::kNumberTemplate));
    const struct {
        QString lang, lcAll;
        std::string expected;
    } cases[] = {
        {"C", "", "120.5 BPM 4/4|-6.00db"},
        {"de_DE.UTF-8", "", "120,5 BPM 4/4|-6,00db"},
        {"de_DE.UTF-8", "C", "120.5 BPM 4/4|-6.00db"},  // LC_ALL wins over LANG
        {"en_US.UTF-8", "", "120.5 BPM 4/4|-6.00db"},
    };
    for (const auto& c : cases) {
        const Finished run = Run({"-f", project, Q(output), numbers}, c.lang, c.lcAll);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(TempFolder::Read(output), c.expected) << c.lang.toStdString() << " " << c.lcAll.toStdString();
    }

    // In the C locale: short "HH:mm", long with seconds; a long date names the weekday.
    const QString dates = Q(folder.Write("dates.htm", testing::kDateTimeTemplate));
    EXPECT_EQ(Run({"-f", project, Q(output), dates}).status, 0);
    EXPECT_TRUE(std::regex_match(TempFolder::Read(output), std::regex(R"([^,|]+\|\d\d:\d\d)")))
        << TempFolder::Read(output);
    EXPECT_EQ(Run({"-f", "--date-format", "Long", "--time-format", "Long", project, Q(output), dates}).status, 0);
    EXPECT_TRUE(std::regex_match(TempFolder::Read(output), std::regex(R"([A-Z][a-z]+day, .+\|\d\d:\d\d:\d\d)")))
        << TempFolder::Read(output);
}

TEST_F(ConverterProcessTest, AGermanCLibraryLocaleDoesNotChangeHowTheProjectIsRead)
{
    // The system's own German locale sets the C library's decimal comma; the
    // project's "0.5" must still be read as a half.
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed on this system";
    std::setlocale(LC_ALL, "C");
    const Finished run = Run({project, Q(output), Q(folder.Write("numbers.htm", testing::kNumberTemplate))},
                             "de_DE.UTF-8");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(TempFolder::Read(output), "120,5 BPM 4/4|-6,00db");
}

}  // namespace
}  // namespace sondrel
