#include <unistd.h>

#include <clocale>
#include <iostream>
#include <string>
#include <vector>

#include <QCoreApplication>

#include "cli/converter_command.h"
#include "platform/application_directory.h"
#include "platform/qt_locale.h"
#include "platform/qt_settings_store.h"

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    // Qt has set the C library's locale from the environment. The locale's
    // choices reach the document through QLocale; the C library keeps reading
    // numbers with "." as REAPER writes them.
    std::setlocale(LC_NUMERIC, "C");

    const sondrel::QtSettingsStore store;
    const sondrel::QtLocale locale;
    const sondrel::SystemClock clock;
    const sondrel::ConverterEnvironment environment{store, sondrel::InstalledDefaultTemplatePath(), locale, clock};
    sondrel::ConverterStreams streams{std::cin, std::cout, std::cerr, isatty(STDIN_FILENO) == 1,
                                      isatty(STDERR_FILENO) == 1};
    return sondrel::RunConverter(std::vector<std::string>(argv, argv + argc), environment, streams);
}
