#include "ui_harness.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QWebEnginePage>
#include <QWebEngineView>

#include "ui/web_engine_setup.h"

namespace sondrel::testing {

QString FakeFilePicker::PickFile(const FileDialogRequest& request, QWidget*)
{
    requests.push_back(request);
    return answer;
}

bool FakePrintChooser::ChoosePrinter(QPrinter& printer, QWidget*)
{
    ++shown;
    if (!pdfPath.isEmpty()) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfPath);
    }
    return accept;
}

UiHarness::UiHarness()
    : context{model, preferences, paths, store, locale, clock, messages, files, printing,
              QFile::encodeName(scratch.path()).toStdString()}
{
    WriteScratchFile(QStringLiteral("sondrel.htm"),
                     "<html><head><title>Sondrel Help</title></head><body>HELP PAGE TEXT</body></html>");
    QDir(scratch.path()).mkdir(QStringLiteral("templates"));
    QFile::copy(QStringLiteral(SONDREL_SOURCE_DIR "/templates/default_template.htm"),
                ScratchPath(QStringLiteral("templates/default_template.htm")));
}

frmMain& UiHarness::StartMain()
{
    window = std::make_unique<frmMain>(context);
    window->Start();
    return *window;
}

QString UiHarness::ScratchPath(const QString& name) const
{
    return scratch.path() + QLatin1Char('/') + name;
}

QString UiHarness::WriteScratchFile(const QString& name, const QByteArray& content) const
{
    const QString path = ScratchPath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return path;
}

QString UiHarness::HelpPagePath() const
{
    return ScratchPath(QStringLiteral("sondrel.htm"));
}

void UiHarness::Trigger(const char* actionName)
{
    window->findChild<QAction*>(QString::fromLatin1(actionName))->trigger();
}

std::string StoreKey(const std::string& key)
{
    return std::string("Sondrel/Settings/") + key;
}

void UiHarness::ConvertThroughDialog(const QString& project, const QString& output, const QString& templ)
{
    Trigger("mnuFileConvert");
    frmConvert* dialog = window->ConversionDialog();
    dialog->findChild<QLineEdit*>("lbReaperFile")->setText(project);
    dialog->findChild<QLineEdit*>("lbHTMLFile")->setText(output);
    dialog->findChild<QLineEdit*>("lbTemplateFile")->setText(templ);
    dialog->findChild<QPushButton*>("OKButton")->click();
}

QString PageText(QWebEngineView& view)
{
    // Shared with the callback, which may still arrive after a timeout.
    struct Answer {
        QString text;
        bool arrived = false;
    };
    auto answer = std::make_shared<Answer>();
    // Read without script: the view runs none in a page.
    view.page()->toPlainText([answer](const QString& text) {
        answer->text = text;
        answer->arrived = true;
    });
    QElapsedTimer waited;
    waited.start();
    while (!answer->arrived && waited.elapsed() < 10000)
        QTest::qWait(20);
    return answer->text;
}

void PrepareUiTestProcess()
{
    static QTemporaryDir privateFolders;
    const QByteArray root = QFile::encodeName(privateFolders.path());
    for (const char* folder : {"home", "config", "runtime"})
        QDir().mkpath(privateFolders.path() + QLatin1Char('/') + QLatin1String(folder));
    QFile::setPermissions(privateFolders.path() + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("HOME", root + "/home");
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_RUNTIME_DIR", root + "/runtime");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    PrepareWebEngineEnvironment();
}

}  // namespace sondrel::testing
