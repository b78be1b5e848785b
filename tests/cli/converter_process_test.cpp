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

// Runs the built sondrel-convert with its own home and settings folders,
// input from a pipe (so never a terminal) and the locale given.
class ConverterProcessTest : public ::testing::Test {
protected:
    Finished Run(const QStringList& arguments, const QString& lang = "C", const QString& lcAll = "")
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("HOME", QString::fromStdString(folder.Path("home")));
        environment.insert("XDG_CONFIG_HOME", ConfigFolder());
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

    QString ConfigFolder() const { return QString::fromStdString(folder.Path("config")); }
    QString SettingsFile() const { return ConfigFolder() + "/Sondrel/Sondrel.conf"; }

    static QString Q(const std::string& text) { return QString::fromStdString(text); }

    TempFolder folder;
    const std::string project = folder.Write("song.rpp", testing::kSampleProject);
    const std::string output = folder.Path("out.htm");
};

TEST_F(ConverterProcessTest, WritesTheDocumentQuietly)
{
    const Finished run = Run({Q(project), Q(output), Q(folder.Write("tpl.htm", testing::kTrackTemplate))});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(TempFolder::Read(output), "<h1>120.5 BPM 4/4</h1><p>Drums</p>");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, "");
}

TEST_F(ConverterProcessTest, TheInstalledDefaultTemplateIsUsedWhenNoneIsNamed)
{
    const Finished run = Run({Q(project), Q(output)});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string document = TempFolder::Read(output);
    EXPECT_NE(document.find("Drums"), std::string::npos);
    EXPECT_EQ(document.find("##TRACK-NAME##"), std::string::npos);
}

TEST_F(ConverterProcessTest, AFailureIsOneLineNamingTheFileAndLine)
{
    const std::string broken = folder.Write("broken.rpp", testing::kBrokenProject);
    const std::string templatePath = folder.Write("tpl.htm", testing::kTrackTemplate);
    struct Case {
        std::string project;
        std::string templatePath;
        std::string start;  // how the error line begins
    };
    const Case cases[] = {
        {broken, templatePath, "sondrel-convert: " + broken + ", line 2: "},
        {folder.Path("missing.rpp"), templatePath, "sondrel-convert: " + folder.Path("missing.rpp") + ": "},
        {project, folder.Path("missing.htm"), "sondrel-convert: " + folder.Path("missing.htm") + ": "},
    };
    for (const Case& c : cases) {
        const Finished run = Run({Q(c.project), Q(output), Q(c.templatePath)});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err.rfind(c.start, 0), 0u) << run.err;
        EXPECT_GT(run.err.size(), c.start.size() + 1) << "the reason is missing: " << run.err;
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << "one line: " << run.err;
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

TEST_F(ConverterProcessTest, AnUnwritableOutputFails)
{
    const std::string unwritable = folder.Path("no-such-folder/out.htm");
    const Finished run = Run({Q(project), Q(unwritable), Q(folder.Write("tpl.htm", "x"))});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find(unwritable), std::string::npos) << run.err;
}

TEST_F(ConverterProcessTest, UsageErrorsExitWithTwo)
{
    const QStringList cases[] = {{}, {Q(project)}, {Q(project), ""}, {"--date-format", "Medium", Q(project), Q(output)}};
    for (const QStringList& arguments : cases) {
        const Finished run = Run(arguments);
        EXPECT_EQ(run.status, 2) << arguments.join(' ').toStdString();
        EXPECT_NE(run.err.find("Usage: sondrel-convert"), std::string::npos) << run.err;
    }
    EXPECT_NE(Run({Q(project)}).err.find("You must enter all information"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(output));
}

TEST_F(ConverterProcessTest, AnExistingOutputIsReplacedOnlyWithForce)
{
    const std::string templatePath = folder.Write("tpl.htm", testing::kTrackTemplate);
    folder.Write("out.htm", "keep me");
    const Finished kept = Run({Q(project), Q(output), Q(templatePath)});
    EXPECT_EQ(kept.status, 3);
    EXPECT_EQ(TempFolder::Read(output), "keep me");
    EXPECT_NE(kept.err.find(output), std::string::npos) << kept.err;

    const Finished forced = Run({"--force", Q(project), Q(output), Q(templatePath)});
    EXPECT_EQ(forced.status, 0) << forced.err;
    EXPECT_EQ(TempFolder::Read(output), "<h1>120.5 BPM 4/4</h1><p>Drums</p>");
}

TEST_F(ConverterProcessTest, HelpAndVersion)
{
    const Finished help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("Usage: sondrel-convert [OPTIONS] PROJECT OUTPUT [TEMPLATE]", 0), 0u) << help.out;
    for (const char* option : {"--list-separator", "--date-format", "--time-format", "--force"})
        EXPECT_NE(help.out.find(option), std::string::npos) << option;
    EXPECT_EQ(Run({"-h", Q(project), Q(output)}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(output)) << "help converts nothing";
    const Finished version = Run({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "sondrel-convert 1.0.6\n");
}

TEST_F(ConverterProcessTest, FormattingOptionsTakeEffect)
{
    const std::string lists = folder.Write("lists.htm", testing::kListTemplate);
    EXPECT_EQ(Run({Q(project), Q(output), Q(lists)}).status, 0);
    EXPECT_EQ(TempFolder::Read(output), "[Kick<BR>Snare]");
    EXPECT_EQ(Run({"-f", "--list-separator", "Comma", Q(project), Q(output), Q(lists)}).status, 0);
    EXPECT_EQ(TempFolder::Read(output), "[Kick,Snare]");

    // In the C locale: short "HH:mm", long with seconds; a long date names the weekday.
    const std::string dates = folder.Write("dates.htm", testing::kDateTimeTemplate);
    EXPECT_EQ(Run({"-f", Q(project), Q(output), Q(dates)}).status, 0);
    const std::string shortForms = TempFolder::Read(output);
    EXPECT_TRUE(std::regex_match(shortForms, std::regex(R"([^,|]+\|\d\d:\d\d)"))) << shortForms;
    EXPECT_EQ(Run({"-f", "--date-format", "Long", "--time-format", "Long", Q(project), Q(output), Q(dates)}).status, 0);
    const std::string longForms = TempFolder::Read(output);
    EXPECT_TRUE(std::regex_match(longForms, std::regex(R"([A-Z][a-z]+day, .+\|\d\d:\d\d:\d\d)"))) << longForms;
}

TEST_F(ConverterProcessTest, ThePreferencesStoredByTheDesktopProgramAreReadNotWritten)
{
    const std::string lists = folder.Write("lists.htm", testing::kListTemplate);
    EXPECT_EQ(Run({Q(project), Q(output), Q(lists)}).status, 0);
    EXPECT_FALSE(QFile::exists(SettingsFile())) << "the converter created a settings file";

    ASSERT_TRUE(QDir().mkpath(ConfigFolder() + "/Sondrel"));
    const std::string stored = "[Settings]\nListSeparator=Space\nMainLeft=17\n";
    std::filesystem::path settingsPath = SettingsFile().toStdString();
    { std::ofstream(settingsPath, std::ios::binary) << stored; }

    EXPECT_EQ(Run({"-f", Q(project), Q(output), Q(lists)}).status, 0);
    EXPECT_EQ(TempFolder::Read(output), "[Kick Snare]");
    EXPECT_EQ(Run({"-f", "--list-separator", "Tab", Q(project), Q(output), Q(lists)}).status, 0);
    EXPECT_EQ(TempFolder::Read(output), "[Kick\tSnare]");
    EXPECT_EQ(TempFolder::Read(settingsPath.string()), stored);
}

TEST_F(ConverterProcessTest, NumbersFollowTheProcessLocale)
{
    const std::string numbers = folder.Write("numbers.htm", testing::kNumberTemplate);
    struct Case {
        QString lang;
        QString lcAll;
        std::string expected;
    };
    const Case cases[] = {
        {"C", "", "120.5 BPM 4/4|-6.00db"},
        {"de_DE.UTF-8", "", "120,5 BPM 4/4|-6,00db"},
        {"de_DE.UTF-8", "C", "120.5 BPM 4/4|-6.00db"},  // LC_ALL wins over LANG
        {"en_US.UTF-8", "", "120.5 BPM 4/4|-6.00db"},
    };
    for (const Case& c : cases) {
        const Finished run = Run({"-f", Q(project), Q(output), Q(numbers)}, c.lang, c.lcAll);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(TempFolder::Read(output), c.expected) << c.lang.toStdString() << " " << c.lcAll.toStdString();
    }
}

TEST_F(ConverterProcessTest, AGermanCLibraryLocaleDoesNotChangeHowTheProjectIsRead)
{
    // The case above already shows German numbers in the document; this one
    // needs the system's own German locale, which sets the C library's
    // decimal comma, to show that the project's "0.5" is still read as a half.
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed on this system";
    std::setlocale(LC_ALL, "C");
    const std::string numbers = folder.Write("numbers.htm", testing::kNumberTemplate);
    const Finished run = Run({Q(project), Q(output), Q(numbers)}, "de_DE.UTF-8");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(TempFolder::Read(output), "120,5 BPM 4/4|-6,00db");
}

}  // namespace
}  // namespace sondrel
