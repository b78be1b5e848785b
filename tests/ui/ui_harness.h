#pragma once

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

#include "format/preferences.h"
#include "model/project_model.h"
#include "support/fakes.h"
#include "ui/app_context.h"
#include "ui/file_picker.h"
#include "ui/frm_main.h"
#include "ui/print_chooser.h"

class QWebEngineView;

namespace sondrel::testing {

// Answers every file dialog with `answer` (empty = the user cancelled) and
// remembers what each dialog was asked to show.
class FakeFilePicker : public FilePicker {
public:
    std::vector<FileDialogRequest> requests;
    QString answer;
    QString PickFile(const FileDialogRequest& request, QWidget* parent) override;
};

// The print dialog as the user would fill it: print into pdfPath (when set)
// and press Print, or cancel.
class FakePrintChooser : public PrintChooser {
public:
    QString pdfPath;
    bool accept = true;
    int shown = 0;
    bool ChoosePrinter(QPrinter& printer, QWidget* parent) override;
};

// One run of the program with fakes for the settings store, the message box
// and the file and print dialogs. The program folder is a scratch folder
// holding a help page and the default template.
class UiHarness {
public:
    UiHarness();

    // Start-up as the program does it: load, help page, show.
    frmMain& StartMain();
    QString ScratchPath(const QString& name) const;
    QString WriteScratchFile(const QString& name, const QByteArray& content) const;
    QString HelpPagePath() const;
    void Trigger(const char* actionName);
    // File > Convert..., the three fields filled in, OK pressed.
    void ConvertThroughDialog(const QString& project, const QString& output, const QString& templ);
    template <class Widget>
    Widget* Child(QObject* parent, const char* name)
    {
        return parent->findChild<Widget*>(QString::fromLatin1(name));
    }

    QTemporaryDir scratch;
    ProjectModel model;
    Preferences preferences;
    RememberedPaths paths;
    MemorySettingsStore store;
    FixedLocale locale;
    FixedClock clock;
    RecordingUi messages;
    FakeFilePicker files;
    FakePrintChooser printing;
    AppContext context;
    std::unique_ptr<frmMain> window;
};

// The settings key as MemorySettingsStore files it.
std::string StoreKey(const std::string& key);

// The visible text of the page the view shows ("" when it cannot be read).
QString PageText(QWebEngineView& view);

// Private HOME and XDG folders, the offscreen platform unless a display was
// chosen, and the browser engine's flags: everything before QApplication.
void PrepareUiTestProcess();

}  // namespace sondrel::testing

#define SONDREL_UI_TEST_MAIN(TestClass)                          \
    int main(int argc, char** argv)                              \
    {                                                            \
        sondrel::testing::PrepareUiTestProcess();                \
        QApplication application(argc, argv);                    \
        TestClass test;                                          \
        return QTest::qExec(&test, argc, argv);                  \
    }
