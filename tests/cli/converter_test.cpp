#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <sstream>
#include <tuple>

#include <QProcess>

#include "cli/converter_command.h"
#include "shell/temp_folder.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

using testing::TempFolder;
using namespace std::string_literals;

// One track "Drums" with the items "Kick" and "Snare" at half volume, in a tempo with a fraction; a project with
// terminal control characters on line 2; templates; an earlier document; the desktop program's preferences.
const std::map<std::string, std::string> kFiles = {
    {"song.rpp", "<REAPER_PROJECT 0.1 \"6.80/linux-x86_64\" 1690000000\n  TEMPO 120.5 4 4\n  <TRACK\n    NAME "
                 "\"Drums\"\n    VOLPAN 0.5 0 -1 -1 1\n    <ITEM\n      POSITION 0\n      LENGTH 1\n      NAME "
                 "\"Kick\"\n    >\n    <ITEM\n      POSITION 1\n      LENGTH 1\n      NAME \"Snare\"\n    >\n  >\n>\n"},
    {"esc.rpp", "<REAPER_PROJECT\n  TEMPO \x1b[2J\x07 4 4\n>\n"},
    {"tpl.htm", "<h1>##TEMPO##</h1><!-- TRACK-START --><p>##TRACK-NAME##</p>##VOLUME##<!-- TRACK-END -->"},
    {"forms.htm", "<!-- TRACK-START -->[##ITEM-LIST##]<!-- TRACK-END -->##DATE##|##TIME##"},
    {"old.htm", "keep me"},
    {"typo.htm", "<!-- TRACK-START -->##TRACK-NMAE##<!-- TRACK-END -->"},
    {"prefs/Sondrel/Sondrel.conf", "[Settings]\nListSeparator=Space\nDateFormat=Long\nTimeFormat=Long\nMainLeft=17\n"}};

// Today in the C locale: "7 Dec 2026|15:00" short, "Monday, 7 December 2026|15:00:35" long.
const std::string kShort = R"(\d+ [A-Z][a-z]{2} \d{4}\|\d\d:\d\d)";
const std::string kLong = R"([A-Z][a-z]+day, \d+ [A-Z][a-z]+ \d{4}\|\d\d:\d\d:\d\d)";

struct Case {
    const char* name;
    const char* command;  // the arguments, led by the environment variables that differ from LANG=C
    int status;
    std::string expected;  // the error line after "sondrel-convert: ", or a pattern of the output and then the
                           // file; "~text": a large document that holds text and no placeholder
    friend void PrintTo(const Case& run, std::ostream* out) { *out << '[' << run.command << ']'; }
};

// The built sondrel-convert run in a folder of the files above, its input from a pipe, so never a terminal. It writes
// no settings, and only a successful run changes a file: its output, old.htm when that is named, else out.htm.
class ConverterProcess : public ::testing::TestWithParam<Case> {};

TEST_P(ConverterProcess, Runs)
{
    const Case& run = GetParam();
    const TempFolder folder;
    std::filesystem::create_directories(folder.Path("prefs/Sondrel"));
    for (const auto& [name, text] : kFiles)
        folder.Write(name, text);
    folder.Write("-song.rpp", kFiles.at("song.rpp"));
    QProcessEnvironment environment;
    QStringList arguments = QString("LANG=C HOME=home XDG_CONFIG_HOME=config ").append(run.command).split(' ');
    for (; arguments[0].contains('=') && !arguments[0].startsWith('-'); arguments.removeFirst())
        environment.insert(arguments[0].section('=', 0, 0), arguments[0].section('=', 1));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(QString::fromStdString(folder.Path("")));
    process.start(SONDREL_CONVERT_PROGRAM, arguments);
    process.write("y\n");  // this must never answer the question
    process.closeWriteChannel();
    ASSERT_TRUE(process.waitForFinished(30000));

    EXPECT_EQ(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, run.status);
    const std::string out = (process.readAllStandardOutput() + process.readAllStandardError()).toStdString();
    const std::string output = arguments.contains("old.htm") ? "old.htm" : "out.htm";
    if (run.status == 0) {
        const std::string shown = out + TempFolder::Read(folder.Path(output));
        if (run.expected.starts_with('~'))  // too long for a pattern: std::regex recurses per character
            EXPECT_TRUE(shown.find(run.expected.substr(1)) != std::string::npos && shown.find("##") == std::string::npos);
        else
            EXPECT_TRUE(std::regex_match(shown, std::regex(run.expected))) << shown;
    } else {
        EXPECT_EQ(out, "sondrel-convert: " + run.expected + (run.status != 2 ? "\n" : "\nUsage: sondrel-convert "
                       "[OPTIONS] PROJECT OUTPUT [TEMPLATE]\nTry 'sondrel-convert --help' for more.\n"));
        EXPECT_FALSE(std::filesystem::exists(folder.Path("out.htm")));
    }
    for (const auto& [name, text] : kFiles)
        EXPECT_TRUE(TempFolder::Read(folder.Path(name)) == text || (name == output && run.status == 0)) << name;
    EXPECT_FALSE(std::filesystem::exists(folder.Path("config"))) << "the converter wrote settings";
}

const char* const kTracks = R"(<h1>120\.5 BPM 4/4</h1><p>Drums</p>-6\.00db)";
INSTANTIATE_TEST_SUITE_P(, ConverterProcess, ::testing::Values(
    Case{"Writes", "song.rpp out.htm tpl.htm", 0, kTracks},
    Case{"KeepsAnExistingOutput", "song.rpp old.htm", 3, "old.htm already exists and was not replaced (--force "
         "replaces it)"},
    Case{"ForceUsesTheInstalledTemplate", "--force song.rpp old.htm", 0, "~Drums"},
    Case{"ForceNeverReplacesTheProject", "--force song.rpp ./song.rpp", 1, "./song.rpp: this is the project file "
         "song.rpp, which the output must not replace; choose another output file"},
    Case{"ForceNeverReplacesTheTemplate", "-f song.rpp tpl.htm tpl.htm", 1, "tpl.htm: this is the template file "
         "tpl.htm, which the output must not replace; choose another output file"},
    Case{"NamesTheLineEscaped", "esc.rpp out.htm tpl.htm", 1, R"(esc.rpp, line 2: "\x1B[2J\x07" is not a number)"},
    Case{"NoProjectFile", "no.rpp out.htm tpl.htm", 1, "no.rpp: cannot open the file (No such file or directory)"},
    Case{"NoTemplateFile", "song.rpp out.htm no.htm", 1, "no.htm: the file does not exist"},
    Case{"NoFolder", "song.rpp no/out.htm tpl.htm", 1, "no/out.htm: cannot write the file (No such file or directory)"},
    Case{"NoOutput", "song.rpp", 2, "You must enter all information"},
    Case{"TooMany", "song.rpp out.htm tpl.htm x", 2, "too many arguments: at most PROJECT, OUTPUT and TEMPLATE"},
    Case{"UnknownOption", "--colour song.rpp out.htm", 2, "Unknown option 'colour'."},
    Case{"NoValue", "song.rpp out.htm --list-separator", 2, "Missing value after '--list-separator'."},
    Case{"BadDate", "--date-format Medium song.rpp out.htm", 2, "--date-format must be Short or Long, not \"Medium\""},
    Case{"BadTime", "--time-format= song.rpp out.htm", 2, "--time-format must be Short or Long, not \"\""},
    Case{"BadFormat", "--format doc song.rpp out.htm", 2, "--format must be html, pdf or json, not \"doc\""},
    Case{"BadPaper", "--page-size A5 song.rpp out.htm", 2, "--page-size must be A4 or Letter, not \"A5\""},
    Case{"BadJobs", "-j 0 --output-dir lib song.rpp", 2, "--jobs must be a number from 1 to 256, not \"0\""},
    Case{"Json", "--format JSON song.rpp out.htm tpl.htm", 0, "~\"name\": \"Kick\""},
    Case{"Help", "-h --help song.rpp out.htm", 0, R"(Usage: sondrel-convert \[OPTIONS\] PROJECT OUTPUT \[TEMPLATE\]\n)"
         R"([\s\S]*--list-separator[\s\S]*--date-format[\s\S]*--time-format[\s\S]*--force[\s\S]*--check-template[\s\S]*otherwise\.\n)"},
    Case{"Version", "-v --version", 0, R"(sondrel-convert 1\.0\.6\n)"},
    Case{"WarnsAndConverts", "song.rpp out.htm typo.htm", 0, R"(typo\.htm:1:21: warning: unknown placeholder )"
         R"(##TRACK-NMAE##; did you mean ##TRACK-NAME##\?\n##TRACK-NMAE##)"},
    Case{"DoubleDash", "-f -- -song.rpp out.htm tpl.htm", 0, kTracks},
    // Options win over the stored preferences, which win over the defaults.
    Case{"Defaults", "song.rpp out.htm forms.htm", 0, R"(\[Kick<BR>Snare\])" + kShort},
    Case{"Stored", "XDG_CONFIG_HOME=prefs song.rpp out.htm forms.htm", 0, R"(\[Kick Snare\])" + kLong},
    Case{"OptionsWin", "XDG_CONFIG_HOME=prefs --list-separator Tab --date-format short --time-format SHORT song.rpp "
         "out.htm forms.htm", 0, R"(\[Kick\tSnare\])" + kShort},
    Case{"Options", "--list-separator=Comma --date-format Long --time-format=long song.rpp out.htm forms.htm", 0,
         R"(\[Kick,Snare\])" + kLong},
    Case{"AnyOtherSeparator", "--list-separator Pipe song.rpp out.htm forms.htm", 0, R"(\[Kick, Snare\])" + kShort},
    // Numbers follow LC_ALL, then LANG. The German locale also gives the C library a decimal comma, with which the
    // project's "0.5" must still be read as a half.
    Case{"German", "LANG=de_DE.UTF-8 song.rpp out.htm tpl.htm", 0, R"(<h1>120,5 BPM 4/4</h1><p>Drums</p>-6,00db)"},
    Case{"LcAllWins", "LANG=de_DE.UTF-8 LC_ALL=C song.rpp out.htm tpl.htm", 0, kTracks}),
    [](const auto& info) { return std::string(info.param.name); });

// Names in any script reach the files and the document as UTF-8, also where
// the command line arrives in another code page (Windows).
TEST(ConverterProcessNames, ProjectTemplateAndOutputNamedInAnyScript)
{
    const TempFolder folder;
    folder.Write("Müller äö.rpp", kFiles.at("song.rpp"));
    folder.Write("Шаблон.htm", "##FILE-NAME##|<!-- TRACK-START -->##TRACK-NAME##<!-- TRACK-END -->");
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(folder.Path("")));
    process.start(SONDREL_CONVERT_PROGRAM, {"--force", "Müller äö.rpp", "Демо.htm", "Шаблон.htm"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.readAllStandardError().toStdString() + std::to_string(process.exitCode()), "0");
    EXPECT_EQ(TempFolder::Read(folder.Path("Демо.htm")), "Müller äö.rpp|Drums");
}

ConverterEnvironment Installed(const std::string& defaultTemplate)
{
    static const testing::MemorySettingsStore store;
    static const testing::FixedLocale locale;
    static const testing::FixedClock clock;
    return {store, defaultTemplate, locale, clock, nullptr, PaperSize::A4};
}

// In-process, where the input can be a terminal and a path need not be text; the question is one line, escaped.
TEST(ConverterCommand, OnATerminalAnExistingOutputIsReplacedOnlyOnYes)
{
    const TempFolder folder;
    const std::string project = folder.Write("song.rpp", kFiles.at("song.rpp")), shown = folder.Path("caf\xe9  \\x1B");
    const std::string output = folder.Path("caf\xe9\r\n\x1b"), tpl = folder.Write("tpl.htm", "[##OUTPUT-NAME##]");
    const std::tuple<const char*, bool, bool> cases[] = {  // answer, --force, replaced
        {"y\n", false, true},  {"YES\n", false, true}, {" y \r\n", false, true}, {"n\n", true, true},
        {"n\n", false, false}, {"\n", false, false},   {"", false, false},       {"yeah\n", false, false}};
    for (const auto& [answer, force, replaced] : cases) {
        folder.Write(output, "keep me");
        std::istringstream in(answer);
        std::ostringstream out, err;
        ConverterStreams streams{in, out, err, true};
        const std::vector<std::string> arguments{"sondrel-convert", force ? "-f" : "--", project, output, tpl};
        EXPECT_EQ(RunConverter(arguments, Installed(""), streams), replaced ? ExitWritten : ExitNotReplaced);
        EXPECT_EQ(TempFolder::Read(output), replaced ? "[" + output + "]" : "keep me") << answer;
        EXPECT_EQ(err.str(), force ? "" : "The file " + shown + " already exists.  Do you want to overwrite it? [y/N] "
                                              + (*answer ? "" : "\n")) << answer;
    }
}

// Checking a template reports its mistakes, exits 1 when there are any, and converts nothing.
TEST(ConverterCommand, CheckTemplateOnlyReports)
{
    const TempFolder folder;
    for (const auto& [name, status, report] : {std::tuple{"tpl.htm", ExitWritten, ""},
             {"typo.htm", ExitFailed, ":1:21: warning: unknown placeholder ##TRACK-NMAE##; did you mean ##TRACK-NAME##?\n"},
             {"none.htm", ExitFailed, ": the file does not exist\n"}}) {
        const std::string path = name == "none.htm"s ? folder.Path(name) : folder.Write(name, kFiles.at(name));
        std::istringstream in;
        std::ostringstream out, err;
        ConverterStreams streams{in, out, err, false};
        EXPECT_EQ(RunConverter({"sondrel-convert", "--check-template", path}, Installed(""), streams), status);
        EXPECT_EQ(err.str(), *report ? (name == "none.htm"s ? "sondrel-convert: " : "") + path + report : "");
    }
}

// A library: every project found is converted into the folder, one that fails is reported and the others go on.
TEST(ConverterCommand, OutputDirConvertsEachProjectFoundAndReportsTheOnesThatFail)
{
    const TempFolder folder;
    std::filesystem::create_directories(folder.Path("lib/Backups"));
    folder.Write("lib/Song.rpp", kFiles.at("song.rpp"));
    folder.Write("lib/Backups/Song-old.rpp", kFiles.at("song.rpp"));
    const std::string bad = folder.Write("lib/bad.rpp", "just text\n");
    const std::string tpl = folder.Write("tpl.htm", "<!-- TRACK-START -->##TRACK-NAME##<!-- TRACK-END -->");
    std::filesystem::create_directories(folder.Path("installed"));  // the index template beside the default one
    folder.Write("installed/index.htm", "<!-- PROJECT-START -->##PROJECT-DOCUMENT##<!-- PROJECT-END -->|"
                                        "<!-- FAILED-START -->##FAILED-FILE##<!-- FAILED-END -->");
    std::istringstream in;
    std::ostringstream out, err;
    ConverterStreams streams{in, out, err, false};
    EXPECT_EQ(RunConverter({"sondrel-convert", "--output-dir", folder.Path("docs/new"), "--template", tpl,
                            folder.Path("lib")}, Installed(folder.Path("installed/default.htm")), streams), ExitFailed);
    EXPECT_EQ(TempFolder::Read(folder.Path("docs/new/index.htm")), "Song.htm|" + bad);
    EXPECT_EQ(TempFolder::Read(folder.Path("docs/new/Song.htm")), "Drums");
    EXPECT_FALSE(std::filesystem::exists(folder.Path("docs/new/bad.htm")) ||
                 std::filesystem::exists(folder.Path("docs/new/Song-old.htm")));
    EXPECT_EQ(err.str(), "sondrel-convert: " + bad + ": the file is not a REAPER project: it has no <REAPER_PROJECT "
                         "or <TRACK block\nsondrel-convert: 1 of 2 projects written, 1 failed, 0 not replaced\n");
    // On a terminal, one line shows the progress and is cleared before anything else is written.
    std::ostringstream terminal;
    ConverterStreams onTerminal{in, out, terminal, false, true};
    RunConverter({"sondrel-convert", "-f", "-j", "1", "--output-dir", folder.Path("docs/new"), "--template", tpl,
                  folder.Path("lib")}, Installed(folder.Path("installed/default.htm")), onTerminal);
    const std::string clear = "\r\x1b[K";
    std::string shown = terminal.str();  // clearing twice is clearing once
    for (std::size_t twice; (twice = shown.find(clear + clear)) != std::string::npos;)
        shown.erase(twice, clear.size());
    const std::string song = folder.Path("lib/Song.rpp");
    // With two workers the questions come one at a time, each answered by its own line: the document is replaced,
    // the index is kept.
    std::istringstream answers("y\nn\n");
    std::ostringstream asked;
    ConverterStreams onAsk{answers, out, asked, true};
    folder.Write("docs/new/Song.htm", "old");
    folder.Write("docs/new/index.htm", "old index");
    EXPECT_EQ(RunConverter({"sondrel-convert", "-j", "2", "--output-dir", folder.Path("docs/new"), "--template", tpl,
                            folder.Path("lib")}, Installed(folder.Path("installed/default.htm")), onAsk), ExitFailed);
    EXPECT_EQ(TempFolder::Read(folder.Path("docs/new/Song.htm")), "Drums");
    EXPECT_EQ(TempFolder::Read(folder.Path("docs/new/index.htm")), "old index");
    const std::string question = " already exists.  Do you want to overwrite it? [y/N] ";
    EXPECT_EQ(asked.str(), "The file " + folder.Path("docs/new/Song.htm") + question + err.str().substr(0, err.str().find('\n') + 1)
                               + err.str().substr(err.str().find('\n') + 1) + "The file " + folder.Path("docs/new/index.htm") + question);
    EXPECT_EQ(shown, clear + "[0/2] " + song + clear + "[1/2] " + song + clear + "[1/2] " + bad + clear +
                         err.str().substr(0, err.str().find('\n') + 1) + clear + "[2/2] " + bad + clear +
                         err.str().substr(err.str().find('\n') + 1));
}

}  // namespace
}  // namespace sondrel
