#pragma once

#include <memory>
#include <string>

#include "format/preferences.h"
#include "model/project_model.h"
#include "platform/qt_locale.h"
#include "platform/qt_settings_store.h"
#include "shell/settings.h"
#include "ui/app_context.h"
#include "ui/file_picker.h"
#include "ui/print_chooser.h"
#include "ui/qt_message_box.h"
#include "ui/session_end.h"

namespace sondrel {

class frmMain;

// The program's run: owns the one project model, the preferences and the
// remembered paths, the real platform services, and the main window.
class SondrelApplication {
public:
    explicit SondrelApplication(std::string applicationDirectory);
    ~SondrelApplication();
    SondrelApplication(const SondrelApplication&) = delete;
    SondrelApplication& operator=(const SondrelApplication&) = delete;

    // Loads and shows the main window with the help page.
    void Start();
    frmMain& MainWindow() { return *mainWindow_; }

private:
    ProjectModel model_;
    Preferences preferences_;
    RememberedPaths paths_;
    QtSettingsStore store_;
    QtLocale locale_;
    SystemClock clock_;
    QtMessageBox messages_;
    QtFilePicker files_;
    QtPrintChooser printing_;
    AppContext context_;
    std::unique_ptr<frmMain> mainWindow_;
    SessionEnd sessionEnd_;
};

}  // namespace sondrel
