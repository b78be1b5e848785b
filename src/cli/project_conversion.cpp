#include "cli/project_conversion.h"

namespace sondrel {

MessageAnswer RecordingConsole::ShowMessage(const std::string& text, MessageButtons buttons, const std::string& title)
{
    lastMessage = text;
    return ConsoleUi::ShowMessage(text, buttons, title);
}

int ConvertProject(const ConversionRequest& request, const Preferences& preferences,
                   const ConverterEnvironment& environment, RecordingConsole& ui, ProjectModel& model)
{
    Preferences prefs = preferences;
    RememberedPaths paths;  // the converter remembers nothing between runs
    ConversionContext context{model, prefs, paths, environment.UserLocale, environment.UserClock, ui};
    switch (RunConversion(request, context)) {
    case ConversionOutcome::Written:
        return ExitWritten;
    case ConversionOutcome::Failed:
        return ExitFailed;
    case ConversionOutcome::Rejected:
        return ExitUsage;
    case ConversionOutcome::Declined:
        break;
    }
    return ExitNotReplaced;
}

std::string NotReplacedMessage(const std::string& outputPath)
{
    return std::string(ConverterName) + ": " + outputPath + " already exists and was not replaced (--force replaces it)\n";
}

}  // namespace sondrel
