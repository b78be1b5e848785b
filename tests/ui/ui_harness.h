#pragma once

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "support/fakes.h"
#include "ui/file_picker.h"
#include "ui/frm_main.h"
#include "ui/print_chooser.h"

class QWebEngineView;

namespace sondrel::testing {

// Answers every file dialog with `answer` (empty: the user cancelled) and
// remembers what each dialog was asked to show.
struct FakeFilePicker : FilePicker {
    std::vector<FileDialogRequest> requests;
    QString answer;
    QString PickFile(const FileDialogRequest& asked, QWidget*) override { return requests.push_back(asked), answer; }
};

// The print dialog as a user fills it: printing into a PDF file.
struct FakePrintChooser : PrintChooser {
    QString pdfPath;
    bool ChoosePrinter(QPrinter& printer, QWidget*) override { return printer.setOutputFileName(pdfPath), true; }
};

// One run of the program with fakes for the settings store, the message box and the file and print
// dialogs, in a scratch program folder holding a help page (sondrel.htm) and the default template.
struct UiHarness {
    UiHarness()
    {
        WriteScratchFile("sondrel.htm", "<html><head><title>Sondrel Help</title></head><body>HELP PAGE TEXT</body>");
        const QString templ = "templates/default_template.htm";
        QDir(scratch.path()).mkdir("templates");
        QFile::copy(SONDREL_SOURCE_DIR "/" + templ, ScratchPath(templ));
    }
    // Start-up as the program does it: load, help page, show.
    frmMain& StartMain() { return window = std::make_unique<frmMain>(context), window->Start(), *window; }
    QString ScratchPath(const QString& name) const { return scratch.filePath(name); }
    QString WriteScratchFile(const QString& name, const QByteArray& content) const
    {
        QFile file(ScratchPath(name));
        return file.open(QIODevice::WriteOnly) && file.write(content) == content.size() ? file.fileName() : QString();
    }
    // A setting as an earlier run left it in the store, or as this run stored it.
    std::string& Stored(const char* key) { return store.values[std::string("Sondrel/Settings/") + key]; }
    void Trigger(const char* action) { window->findChild<QAction*>(action)->trigger(); }
    // File > Convert...: the conversion dialog, shown, and its fields.
    frmConvert* OpenConvert() { return Trigger("mnuFileConvert"), window->ConversionDialog(); }
    QLineEdit* Field(const char* name) { return window->ConversionDialog()->findChild<QLineEdit*>(name); }
    static void Click(QObject* dialog, const char* button) { dialog->findChild<QPushButton*>(button)->click(); }
    // File > Convert..., the three fields filled in, OK pressed.
    void ConvertThroughDialog(const QString& project, const QString& output, const QString& templ)
    {
        OpenConvert();
        Field("lbReaperFile")->setText(project);
        Field("lbHTMLFile")->setText(output);
        Field("lbTemplateFile")->setText(templ);
        Click(window->ConversionDialog(), "OKButton");
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
    AppContext context{model,  preferences, paths, store,    locale,
                       clock,  messages,    files, printing, QFile::encodeName(scratch.path()).toStdString()};
    std::unique_ptr<frmMain> window;
};

// The visible text of the page the view shows, trimmed ("" when it cannot be read).
QString PageText(QWebEngineView& view);

}  // namespace sondrel::testing
