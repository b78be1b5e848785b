#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "format/locale.h"
#include "shell/pdf_printer.h"
#include "shell/settings.h"

namespace sondrel {

// The converter's exit statuses.
enum ConverterExit : int {
    ExitWritten = 0,      // the document was written (or help or version shown)
    ExitFailed = 1,       // reading or writing a file failed
    ExitUsage = 2,        // the command line was wrong or a path was missing
    ExitNotReplaced = 3,  // the output existed and was not replaced
};

// What the converter takes from the system it runs on.
struct ConverterEnvironment {
    const SettingsStore& Store;  // read for the stored preferences, never written
    std::string DefaultTemplate;  // used when no template is named
    const Locale& UserLocale;
    const Clock& UserClock;
    const PdfPrinter* Printer;  // none where the program has no browser engine
    PaperSize Paper;            // the locale's, for PDF
};

struct ConverterStreams {
    std::istream& In;
    std::ostream& Out;
    std::ostream& Err;
    bool InputIsTerminal;  // whether the overwrite question can be asked
    bool ErrorIsTerminal = false;  // whether a library's progress is shown, on one line that updates
};

// sondrel-convert [OPTIONS] PROJECT OUTPUT [TEMPLATE]. arguments holds the
// program name first, then the arguments as the system passed them; paths
// are used byte for byte. Returns the exit status.
int RunConverter(const std::vector<std::string>& arguments, const ConverterEnvironment& environment,
                 ConverterStreams& streams);

}  // namespace sondrel
