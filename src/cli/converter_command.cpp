#include "cli/converter_command.h"

#include <filesystem>
#include <optional>
#include <ostream>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include "cli/console_ui.h"
#include "cli/library_command.h"
#include "cli/output_format.h"
#include "cli/project_conversion.h"
#include "format/text_ops.h"
#include "generator/template_check.h"
#include "model/file_error.h"
#include "shell/conversion.h"
#include "shell/parallel_for.h"

namespace sondrel {

namespace {

constexpr const char* kUsage = "Usage: sondrel-convert [OPTIONS] PROJECT OUTPUT [TEMPLATE]\n";
constexpr const char* kLibraryUsage = "   or: sondrel-convert [OPTIONS] --output-dir DIR PATH...\n";

constexpr const char* kIntroduction =
    "Writes the HTML document of a REAPER project: the template (by default the\n"
    "one installed with Sondrel) filled in with the project's tracks, FX, items,\n"
    "sends and receives; or that document as a PDF, or the project as JSON.\n"
    "With --output-dir, does so for every project of a library, and writes an\n"
    "index.htm of them all: their facts, plug-ins and missing media.\n";

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
    QCommandLineOption format{"format",
        "what is written: html (the document, the default), pdf (the document printed, as the desktop program "
        "prints it; no display needed) or json (the project's whole model, see project-json.md)",
        "FORM"};
    QCommandLineOption pageSize{"page-size", "the paper of --format pdf: A4 or Letter (by default the locale's)",
                                "SIZE"};
    QCommandLineOption jobs{QStringList{"j", "jobs"},
        "convert up to N projects of --output-dir at once (by default one per processor core)", "N"};
    QCommandLineOption checkTemplate{"check-template",
        "only check the template given as the one argument (by default the installed one) and report likely "
        "mistakes, as conversions also do on the error stream"};
    QCommandLineOption help{QStringList{"h", "help"}, "show this help and exit"};
    QCommandLineOption version{QStringList{"v", "version"}, "show the version and exit"};

    QList<QCommandLineOption> All() const
    {
        return {listSeparator, dateFormat, timeFormat, force, outputDir, templateFile, format, pageSize, jobs,
                checkTemplate, help, version};
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

int ConvertSingle(const ConversionRequest& request, const Preferences& preferences,
                  const ConverterEnvironment& environment, ConverterStreams& streams, OverwritePolicy policy)
{
    RecordingConsole ui(streams.In, streams.Err, policy);
    ProjectModel model;
    const int status = ConvertProject(request, preferences, environment, ui, model);
    if (status == ExitUsage)
        PrintUsage(streams.Err);  // the message itself came through the ui
    if (status == ExitNotReplaced && policy == OverwritePolicy::Keep)
        streams.Err << NotReplacedMessage(request.OutputPath);
    return status;
}

// What --format, --page-size and --jobs ask for.
struct OutputChoice {
    OutputFormat Format = OutputFormat::Html;
    PaperSize Paper = PaperSize::A4;
    unsigned Workers = 1;
};

std::optional<std::string> ApplyOutputOptions(const QCommandLineParser& parser, const Options& options,
                                              const ConverterEnvironment& environment, OutputChoice& choice)
{
    choice.Paper = environment.Paper;
    choice.Workers = DefaultWorkers();
    if (parser.isSet(options.format)) {
        const std::optional<OutputFormat> format = OutputFormatNamed(FromQt(parser.value(options.format)));
        if (!format)
            return "--format must be html, pdf or json, not \"" + FromQt(parser.value(options.format)) + "\"";
        choice.Format = *format;
    }
    if (parser.isSet(options.pageSize)) {
        const std::optional<PaperSize> paper = PaperSizeNamed(FromQt(parser.value(options.pageSize)));
        if (!paper)
            return "--page-size must be A4 or Letter, not \"" + FromQt(parser.value(options.pageSize)) + "\"";
        choice.Paper = *paper;
    }
    if (parser.isSet(options.jobs)) {
        bool number = false;
        const uint workers = parser.value(options.jobs).toUInt(&number);
        if (!number || workers == 0 || workers > 256)
            return "--jobs must be a number from 1 to 256, not \"" + FromQt(parser.value(options.jobs)) + "\"";
        choice.Workers = workers;
    }
    return std::nullopt;
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

    OutputChoice output;
    if (const auto error = ApplyOutputOptions(parser, options, environment, output))
        return UsageError(*error, streams.Err);
    std::optional<PdfRenderer> pdf;
    const JsonRenderer json;
    const DocumentRenderer* renderer = nullptr;
    if (output.Format == OutputFormat::Pdf) {
        if (environment.Printer == nullptr) {
            streams.Err << ConverterName << ": this build of Sondrel cannot write PDF (it has no browser engine)\n";
            return ExitFailed;
        }
        renderer = &pdf.emplace(*environment.Printer, output.Paper);
    } else if (output.Format == OutputFormat::Json) {
        renderer = &json;
    }

    const OverwritePolicy policy = PolicyFor(parser.isSet(options.force), streams.InputIsTerminal);
    if (parser.isSet(options.outputDir)) {
        if (paths.isEmpty())
            return UsageError("--output-dir needs at least one PATH", streams.Err);
        LibraryRequest library;
        for (const QString& path : paths)
            library.Paths.push_back(FromQt(path));
        library.OutputFolder = FromQt(parser.value(options.outputDir));
        library.TemplatePath =
            parser.isSet(options.templateFile) ? FromQt(parser.value(options.templateFile)) : environment.DefaultTemplate;
        library.Extension = ExtensionOf(output.Format);
        library.Renderer = renderer;
        library.Workers = output.Workers;
        return ConvertLibrary(library, preferences, environment, streams, policy);
    }
    ConversionRequest request = RequestFrom(paths, environment.DefaultTemplate);
    request.Renderer = renderer;
    return ConvertSingle(request, preferences, environment, streams, policy);
}

}  // namespace sondrel
