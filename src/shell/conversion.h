#pragma once

#include <string>

#include "format/locale.h"
#include "format/preferences.h"
#include "model/project_model.h"
#include "shell/document_renderer.h"
#include "shell/settings.h"
#include "shell/user_interface.h"

namespace sondrel {

struct ConversionRequest {
    std::string ProjectPath;
    std::string OutputPath;
    std::string TemplatePath;
    const DocumentRenderer* Renderer = nullptr;  // none: the HTML document is written
};

// The application's single records and services that a conversion works on.
struct ConversionContext {
    ProjectModel& Model;
    Preferences& Prefs;
    RememberedPaths& Paths;
    const Locale& UserLocale;
    const Clock& UserClock;
    ConversionUi& Ui;
};

enum class ConversionOutcome {
    Rejected,  // a field was empty: "You must enter all information"
    Written,   // the output was written and shown
    Declined,  // the output existed and the user did not agree to replace it
    Failed,    // reading or writing failed; the user has been told why
};

// The command behind the conversion dialog's OK. Failures of reading and
// writing are caught here, and only here, and shown to the user.
ConversionOutcome RunConversion(const ConversionRequest& request, ConversionContext& context);

}  // namespace sondrel
