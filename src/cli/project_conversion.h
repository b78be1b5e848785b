#pragma once

#include <string>

#include "cli/console_ui.h"
#include "cli/converter_command.h"
#include "shell/conversion.h"

namespace sondrel {

// The console, keeping the last message it showed: why a conversion failed.
class RecordingConsole : public ConsoleUi {
public:
    using ConsoleUi::ConsoleUi;
    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons, const std::string& title) override;

    std::string lastMessage;
};

// Converts one project with the converter's preferences into model; the
// user is told through ui. Returns the exit status: ExitNotReplaced, with
// nothing said, when the output existed and was kept.
int ConvertProject(const ConversionRequest& request, const Preferences& preferences,
                   const ConverterEnvironment& environment, RecordingConsole& ui, ProjectModel& model);

// "sondrel-convert: OUTPUT already exists and was not replaced (--force replaces it)"
std::string NotReplacedMessage(const std::string& outputPath);

}  // namespace sondrel
