#include <clocale>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "cli/converter_command.h"
#include "cli/output_format.h"
#include "platform/application_directory.h"
#include "platform/qt_locale.h"
#include "platform/qt_settings_store.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#ifdef SONDREL_WITH_PDF
#include <QGuiApplication>
#include <QLoggingCategory>

#include "ui/pdf_printer.h"
#include "ui/web_engine_setup.h"
#endif

namespace {

bool IsTerminal(std::FILE* stream)
{
#ifdef _WIN32
    return _isatty(_fileno(stream)) != 0;
#else
    return isatty(fileno(stream)) == 1;
#endif
}

// The command line as UTF-8, the program's text for paths. Windows hands
// main() its arguments in the ANSI code page, which cannot spell every file
// name, so there they are taken from Qt, which reads them as UTF-16.
// Elsewhere the bytes are the names, whatever their encoding.
std::vector<std::string> CommandLine(int argc, char* argv[])
{
#ifdef _WIN32
    (void)argc;
    (void)argv;
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments())
        arguments.push_back(argument.toStdString());
    return arguments;
#else
    return std::vector<std::string>(argv, argv + argc);
#endif
}

#ifdef SONDREL_WITH_PDF
// Whether the command line asks for PDF, which needs the browser engine and
// so an application with a (windowless) display before anything is parsed.
bool AsksForPdf(const std::vector<std::string>& arguments)
{
    for (std::size_t n = 1; n < arguments.size(); ++n) {
        const std::string& argument = arguments[n];
        if (argument == "--")
            break;
        const bool pdf =
            (argument.starts_with("--format=") && sondrel::OutputFormatNamed(argument.substr(9)) == sondrel::OutputFormat::Pdf) ||
            (argument == "--format" && n + 1 < arguments.size() &&
             sondrel::OutputFormatNamed(arguments[n + 1]) == sondrel::OutputFormat::Pdf);
        if (pdf)
            return true;
    }
    return false;
}
#endif

int Run(int argc, char* argv[], const sondrel::PdfPrinter* printer, sondrel::PaperSize paper)
{
    // Qt has set the C library's locale from the environment. The locale's
    // choices reach the document through QLocale; the C library keeps reading
    // numbers with "." as REAPER writes them.
    std::setlocale(LC_NUMERIC, "C");

    const sondrel::QtSettingsStore store;
    const sondrel::QtLocale locale;
    const sondrel::SystemClock clock;
    const sondrel::ConverterEnvironment environment{
        store, sondrel::InstalledDefaultTemplatePath(), locale, clock, printer, paper};
    sondrel::ConverterStreams streams{std::cin, std::cout, std::cerr, IsTerminal(stdin), IsTerminal(stderr)};
#ifdef _WIN32
    // Messages are UTF-8, as the paths in them are.
    SetConsoleOutputCP(CP_UTF8);
#endif
    return sondrel::RunConverter(CommandLine(argc, argv), environment, streams);
}

}  // namespace

int main(int argc, char* argv[])
{
#ifdef SONDREL_WITH_PDF
    if (AsksForPdf(std::vector<std::string>(argv, argv + argc))) {
        // The converter never shows a window: it prints without a display.
        qputenv("QT_QPA_PLATFORM", "offscreen");
        sondrel::PrepareWebEngineEnvironment();
        QGuiApplication application(argc, argv);
        // The engine's report of its graphics set-up is not the user's business.
        QLoggingCategory::setFilterRules(QStringLiteral("qt.webenginecontext=false"));
        const sondrel::WebEnginePdfPrinter printer;
        return Run(argc, argv, &printer, sondrel::PaperOf(QLocale::system()));
    }
#endif
    QCoreApplication application(argc, argv);
    return Run(argc, argv, nullptr, sondrel::PaperSize::A4);
}
