#pragma once

#include <string>

#include "format/locale.h"
#include "format/preferences.h"
#include "model/project_model.h"
#include "shell/conversion.h"
#include "shell/settings.h"
#include "shell/user_interface.h"

namespace sondrel {

class FilePicker;
class PrintChooser;

// The run's single records and the services the windows work with, handed
// to every window by reference. The program fills it with the real services,
// the tests with fakes; nothing here is global.
struct AppContext {
    ProjectModel& Model;
    Preferences& Prefs;
    RememberedPaths& Paths;
    SettingsStore& Store;
    const Locale& UserLocale;
    const Clock& UserClock;
    MessageBox& Messages;
    FilePicker& Files;
    PrintChooser& Printing;
    // The folder of the program file, without a trailing separator.
    std::string ApplicationDirectory;
};

// The application's records and services as a conversion needs them, with
// ui the window that answers for it.
inline ConversionContext ConversionContextFor(AppContext& context, ConversionUi& ui)
{
    return {context.Model, context.Prefs, context.Paths, context.UserLocale, context.UserClock, ui};
}

}  // namespace sondrel
