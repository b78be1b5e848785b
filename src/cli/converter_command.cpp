#include "cli/converter_command.h"

#include <filesystem>
#include <optional>
#include <ostream>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include "cli/console_ui.h"
#include "format/text_ops.h"
#include "generator/library_index.h"
#include "generator/template_check.h"
#include "model/file_error.h"
#include "shell/conversion.h"
#include "shell/project_library.h"

namespace sondrel {

namespace {

constexpr const char* kUsage = "Usage: sondrel-convert [OPTIONS] PROJECT OUTPUT [TEMPLATE]\n";
constexpr const char* kLibraryUsage = "   or: sondrel-convert [OPTIONS] --output-dir DIR PATH...\n";

constexpr const char* kIntroduction =
    "Writes the HTML document of a REAPER project: the template (by default the\n"
    "one installed with Sondrel) filled in with the project's tracks, FX, items,\n"
    "sends and receives.\n";

constexpr const char* kClosing =
    "Without the three formatting options, the preferences saved by the Sondrel\n"
    "desktop program are used; nothing is saved. Numbers, dates and times follow\n"
    "the locale (LC_ALL, LANG). Without --force, an existing OUTPUT is replaced\n"
    "only when the question asked on the terminal is answered y.\n"
    "\n"
    "Exit status: 0 written, 1 the conversion failed, 2 usage error,\n"
    "3 an existing OUTPUT was not replaced. --check-template exits 0 when it\n"
    "found nothing and 1 otherwise.\n";

// Arguments travel through the parser as Latin-1, one character per byte,
// so that paths in any encoding come back out unchanged.
QStringList ToQt(const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list.append(QString::fromLatin1(argument.data(), static_cast<qsizetype>(argument.size())));
    return list;
}

std::string FromQt(const QString& text)
{
    return text.toLatin1().toStdString();
}

// Each option once, with what --help says of it.
struct Options {
    QCommandLineOption listSeparator{"list-separator",
        "separator of the per-track lists: <BR>, Space, Comma, Tab (any other text gives \", \")", "TEXT"};
    QCommandLineOption dateFormat{"date-format", "Short or Long date in the document header", "FORM"};
    QCommandLineOption timeFormat{"time-format", "Short or Long time in the document header", "FORM"};
    QCommandLineOption force{QStringList{"f", "force"},
        "replace an existing OUTPUT without asking (never the PROJECT or the TEMPLATE)"};
    QCommandLineOption outputDir{"output-dir",
        "convert every PATH given (projects, and folders searched through for .rpp files, backups left out) into "
        "DIR, one document per project named after it; a project that fails is reported and the others go on",
        "DIR"};
    QCommandLineOption templateFile{"template", "the template for --output-dir (by default the installed one)", "FILE"};
    QCommandLineOption checkTemplate{"check-template",
        "only check the template given as the one argument (by default the installed one) and report likely "
        "mistakes, as conversions also do on the error stream"};
    QCommandLineOption help{QStringList{"h", "help"}, "show this help and exit"};
    QCommandLineOption version{QStringList{"v", "version"}, "show the version and exit"};

    QList<QCommandLineOption> All() const
    {
        return {listSeparator, dateFormat, timeFormat, force, outputDir, templateFile, checkTemplate, help, version};
    }
};

// "  -f, --force            replace ...": the names in a column of their own,
// the description wrapped to 80 columns beside them.
std::string OptionsHelp(const QList<QCommandLineOption>& options)
{
    constexpr qsizetype kColumn = 26;
    constexpr qsizetype kWidth = 79;
    QString text;
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? "-" : "--") + name;
        QString line = "  " + names.join(", ") + (option.valueName().isEmpty() ? "" : " " + option.valueName());
        for (const QString& word : option.description().split(' ')) {
            if (line.size() < kColumn)
                line = line.leftJustified(kColumn - 1) + word;
            else if (line.size() + 1 + word.size() > kWidth)
                text += line + '\n', line = QString(kColumn - 1, ' ') + word;
            else
                line += ' ' + word;
        }
        text += line + '\n';
    }
    return FromQt(text);
}

// A date or time form in any letter case, as the preferences store it.
std::optional<std::string> FormChoice(const QString& text)
{
    for (const PreferenceChoice<DateTimeForm>& choice : DateTimeFormChoices())
        if (text.compare(QLatin1String(choice.Stored), Qt::CaseInsensitive) == 0)
            return std::string(choice.Stored);
    return std::nullopt;
}

void PrintUsage(std::ostream& err)
{
    err << kUsage << "Try 'sondrel-convert --help' for more.\n";
}

int UsageError(const std::string& message, std::ostream& err)
{
    err << ConverterName << ": " << message << '\n';
    PrintUsage(err);
    return ExitUsage;
}

// The stored preferences, with this run's choices laid over them. Returns an
// error message for a choice that is not one.
std::optional<std::string> ApplyFormattingOptions(const QCommandLineParser& parser, const Options& options,
                                                  Preferences& preferences)
{
    if (parser.isSet(options.listSeparator))
        preferences.ListSeparator = FromQt(parser.value(options.listSeparator));
    const std::pair<const QCommandLineOption*, std::string*> forms[] = {
        {&options.dateFormat, &preferences.DateFormat},
        {&options.timeFormat, &preferences.TimeFormat},
    };
    for (const auto& [option, target] : forms) {
        if (!parser.isSet(*option))
            continue;
        const std::optional<std::string> choice = FormChoice(parser.value(*option));
        if (!choice)
            return "--" + FromQt(option->names().constFirst()) + " must be Short or Long, not \"" +
                   FromQt(parser.value(*option)) + "\"";
        *target = *choice;
    }
    return std::nullopt;
}

ConversionRequest RequestFrom(const QStringList& paths, const std::string& defaultTemplate)
{
    ConversionRequest request;
    request.ProjectPath = paths.size() > 0 ? FromQt(paths[0]) : "";
    request.OutputPath = paths.size() > 1 ? FromQt(paths[1]) : "";
    request.TemplatePath = paths.size() > 2 ? FromQt(paths[2]) : defaultTemplate;
    return request;
}

OverwritePolicy PolicyFor(bool force, bool inputIsTerminal)
{
    if (force)
        return OverwritePolicy::Replace;
    return inputIsTerminal ? OverwritePolicy::Ask : OverwritePolicy::Keep;
}

// The console, keeping the last message it showed: why a project failed.
// On a terminal it first clears the progress line.
class RecordingConsole : public ConsoleUi {
public:
    RecordingConsole(ConverterStreams& streams, OverwritePolicy policy)
        : ConsoleUi(streams.In, streams.Err, policy), streams_(streams)
    {
    }
    std::string lastMessage;

    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons, const std::string& title) override
    {
        lastMessage = text;
        ClearProgress(streams_);
        return ConsoleUi::ShowMessage(text, buttons, title);
    }
    void ReportTemplateDiagnostics(const std::string& templatePath,
                                   const std::vector<TemplateDiagnostic>& diagnostics) override
    {
        if (!diagnostics.empty())
            ClearProgress(streams_);
        ConsoleUi::ReportTemplateDiagnostics(templatePath, diagnostics);
    }

    static void ClearProgress(ConverterStreams& streams)
    {
        if (streams.ErrorIsTerminal)
            streams.Err << "\r\x1b[K";
    }

private:
    ConverterStreams& streams_;
};

int Convert(const ConversionRequest& request, const Preferences& preferences, const ConverterEnvironment& environment,
            ConverterStreams& streams, OverwritePolicy policy, ProjectModel& model, std::string* failure = nullptr)
{
    Preferences prefs = preferences;
    RememberedPaths paths;  // the converter remembers nothing between runs
    RecordingConsole ui(streams, policy);
    ConversionContext context{model, prefs, paths, environment.UserLocale, environment.UserClock, ui};

    switch (RunConversion(request, context)) {
    case ConversionOutcome::Written:
        return ExitWritten;
    case ConversionOutcome::Failed:
        if (failure != nullptr)
            *failure = ui.lastMessage;
        return ExitFailed;
    case ConversionOutcome::Rejected:
        PrintUsage(streams.Err);  // the message itself came through the ui
        return ExitUsage;
    case ConversionOutcome::Declined:
        break;
    }
    RecordingConsole::ClearProgress(streams);
    if (policy == OverwritePolicy::Keep)
        streams.Err << ConverterName << ": " << request.OutputPath
                    << " already exists and was not replaced (--force replaces it)\n";
    return ExitNotReplaced;
}

// The library's index.htm from the index template installed beside the
// default one; an existing index is replaced as documents are.
int WriteIndex(const std::vector<LibraryProject>& projects, const std::string& outputFolder,
               const Preferences& preferences, const ConverterEnvironment& environment, ConverterStreams& streams,
               OverwritePolicy policy)
{
    const std::string templatePath =
        (std::filesystem::path(environment.DefaultTemplate).parent_path() / "index.htm").string();
    const std::string indexPath = (std::filesystem::path(outputFolder) / "index.htm").string();
    RecordingConsole ui(streams, policy);
    RecordingConsole::ClearProgress(streams);
    try {
        if (FileExists(indexPath) &&
            ui.ShowMessage("The file " + indexPath + " already exists.  Do you want to overwrite it?",
                           MessageButtons::OkCancel, "Overwrite file?") != MessageAnswer::Ok)
            return ExitNotReplaced;
        const ProjectModel none;
        const GenerationContext context{none, preferences, environment.UserLocale, environment.UserClock};
        WriteTextFile(ExpandIndex(ReadTextFile(templatePath), projects, context), indexPath);
        return ExitWritten;
    } catch (const FileError& error) {
        ui.ShowMessage(error.what(), MessageButtons::Ok, ApplicationTitle);
        return ExitFailed;
    }
}

// Converts every project the paths name into the output folder, one after
// another: a failure is reported and the others go on.
int ConvertLibrary(const QStringList& paths, const std::string& outputFolder, const std::string& templatePath,
                   const Preferences& preferences, const ConverterEnvironment& environment, ConverterStreams& streams,
                   OverwritePolicy policy)
{
    if (paths.isEmpty())
        return UsageError("--output-dir needs at least one PATH", streams.Err);
    std::error_code error;
    std::filesystem::create_directories(outputFolder, error);
    if (error) {
        streams.Err << ConverterName << ": " << outputFolder << ": cannot create the folder (" << error.message()
                    << ")\n";
        return ExitFailed;
    }
    std::vector<std::string> named;
    for (const QString& path : paths)
        named.push_back(FromQt(path));
    const std::vector<std::string> projects = FindProjects(named);
    const std::vector<std::string> documents = DocumentPaths(projects, outputFolder, ".htm");
    int failed = 0, kept = 0;
    std::vector<LibraryProject> summaries;
    for (std::size_t n = 0; n < projects.size(); ++n) {
        if (streams.ErrorIsTerminal)  // cleared by the console before anything else is written on it
            streams.Err << "\r\x1b[K[" << n + 1 << '/' << projects.size() << "] "
                        << EscapeControlCharacters(projects[n]) << std::flush;
        ProjectModel model;
        std::string failure;
        const int status = Convert({projects[n], documents[n], templatePath}, preferences, environment, streams, policy,
                                   model, &failure);
        failed += status == ExitFailed;
        kept += status == ExitNotReplaced;
        const std::string document = std::filesystem::path(documents[n]).filename().string();
        if (status == ExitFailed) {
            summaries.emplace_back().Project = projects[n];
            summaries.back().Failure = failure;
        } else {
            summaries.push_back(SummarizeProject(model, projects[n], document));
        }
    }
    RecordingConsole::ClearProgress(streams);
    if (failed + kept > 0)
        streams.Err << ConverterName << ": " << projects.size() - static_cast<std::size_t>(failed + kept) << " of "
                    << projects.size() << " projects written, " << failed << " failed, " << kept << " not replaced\n";
    const int index = WriteIndex(summaries, outputFolder, preferences, environment, streams, policy);
    if (failed > 0 || index == ExitFailed)
        return ExitFailed;
    return kept > 0 || index == ExitNotReplaced ? ExitNotReplaced : ExitWritten;
}

// Reports the template's likely mistakes without converting anything.
int CheckTemplateOnly(const QStringList& paths, const ConverterEnvironment& environment, ConverterStreams& streams)
{
    if (paths.size() > 1)
        return UsageError("--check-template takes one TEMPLATE", streams.Err);
    const std::string path = paths.isEmpty() ? environment.DefaultTemplate : FromQt(paths[0]);
    ConsoleUi ui(streams.In, streams.Err, OverwritePolicy::Keep);
    try {
        const std::vector<TemplateDiagnostic> diagnostics = CheckTemplate(ReadTextFile(path));
        ui.ReportTemplateDiagnostics(path, diagnostics);
        return diagnostics.empty() ? ExitWritten : ExitFailed;
    } catch (const FileError& error) {
        ui.ShowMessage(error.what(), MessageButtons::Ok, ApplicationTitle);
        return ExitFailed;
    }
}

}  // namespace

int RunConverter(const std::vector<std::string>& arguments, const ConverterEnvironment& environment,
                 ConverterStreams& streams)
{
    Options options;
    QCommandLineParser parser;
    parser.addOptions(options.All());
    if (!parser.parse(ToQt(arguments)))
        return UsageError(FromQt(parser.errorText()), streams.Err);
    if (parser.isSet(options.help)) {
        streams.Out << kUsage << kLibraryUsage << '\n' << kIntroduction << "\nOptions:\n" << OptionsHelp(options.All()) << '\n' << kClosing;
        return ExitWritten;
    }
    if (parser.isSet(options.version)) {
        streams.Out << ConverterName << ' ' << SONDREL_VERSION << '\n';
        return ExitWritten;
    }
    const QStringList paths = parser.positionalArguments();
    if (parser.isSet(options.checkTemplate))
        return CheckTemplateOnly(paths, environment, streams);
    if (paths.size() > 3 && !parser.isSet(options.outputDir))
        return UsageError("too many arguments: at most PROJECT, OUTPUT and TEMPLATE", streams.Err);

    WindowPlacement unusedPlacement;
    RememberedPaths unusedPaths;
    Preferences preferences;
    LoadSettings(environment.Store, environment.DefaultTemplate, unusedPlacement, unusedPaths, preferences);
    if (const auto error = ApplyFormattingOptions(parser, options, preferences))
        return UsageError(*error, streams.Err);

    const OverwritePolicy policy = PolicyFor(parser.isSet(options.force), streams.InputIsTerminal);
    if (parser.isSet(options.outputDir)) {
        const std::string templatePath =
            parser.isSet(options.templateFile) ? FromQt(parser.value(options.templateFile)) : environment.DefaultTemplate;
        return ConvertLibrary(paths, FromQt(parser.value(options.outputDir)), templatePath, preferences, environment,
                              streams, policy);
    }
    const ConversionRequest request = RequestFrom(paths, environment.DefaultTemplate);
    ProjectModel model;
    return Convert(request, preferences, environment, streams, policy, model);
}

}  // namespace sondrel
