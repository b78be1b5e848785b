// Runs the real program under Xvfb, converts a project through the real
// conversion dialog and captures the windows for docs/ with ImageMagick's
// `import`. Also times start-up: from main() to the help page painted.
//
//   sondrel-screenshot-tour APP_DIR PROJECT DOCS_DIR
//
// Meant for tools/take-screenshots.sh, which gives it private settings folders.
#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QPageLayout>
#include <QPageSize>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <QFileInfo>
#include <QSet>
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <unistd.h>

#include "platform/qt_settings_store.h"
#include "ui/application.h"
#include "ui/frm_main.h"
#include "ui/web_engine_setup.h"

namespace {

void Wait(int milliseconds)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer waited;
    waited.start();
    while (!done()) {
        if (waited.elapsed() > timeoutMs)
            return false;
        Wait(20);
    }
    return true;
}

// Whether the view shows more than a blank page: the help page is painted.
bool ShowsContent(QWidget& view)
{
    const QImage image = view.grab().toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < 3; y += 4)
        for (int x = 0; x < image.width() && colours.size() < 3; x += 4)
            colours.insert(image.pixel(x, y));
    return colours.size() >= 3;
}

bool Capture(const QWidget& window, const QString& path)
{
    const QRect frame = window.frameGeometry();
    const QString crop = QStringLiteral("%1x%2+%3+%4").arg(frame.width()).arg(frame.height()).arg(frame.x()).arg(frame.y());
    const int status = QProcess::execute(QStringLiteral("import"), {"-window", "root", "-crop", crop, "+repage", path});
    std::printf("%s %s\n", status == 0 ? "wrote" : "could not write", qPrintable(path));
    return status == 0;
}

void Trigger(QWidget& window, const char* action)
{
    window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
}

// The document as printed: the view's page into a PDF, its first page drawn
// as a picture with poppler's pdftoppm.
bool PrintFirstPage(QWebEngineView& view, const QString& path)
{
    const QString pdf = QDir::temp().filePath(QStringLiteral("sondrel-tour-print.pdf"));
    bool printed = false;
    QObject::connect(view.page(), &QWebEnginePage::pdfPrintingFinished, [&](const QString&, bool success) { printed = success; });
    view.page()->printToPdf(pdf, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15)));
    QString base = path;
    base.chop(4);  // pdftoppm adds the extension
    const bool ok = WaitUntil([&] { return printed; }, 30000) &&
                    QProcess::execute(QStringLiteral("pdftoppm"), {"-png", "-r", "70", "-f", "1", "-l", "1", "-singlefile", pdf, base}) == 0;
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    QFile::remove(pdf);
    return ok;
}

// A roomier window than the first-run default, so the picture shows a page.
void PlaceMainWindow()
{
    sondrel::QtSettingsStore store;
    const std::pair<const char*, const char*> placement[] = {
        {"MainLeft", "600"}, {"MainTop", "600"}, {"MainWidth", "14400"}, {"MainHeight", "11400"}};
    for (const auto& [key, value] : placement)
        store.WriteSetting(sondrel::ApplicationTitle, sondrel::SettingsSection, key, value);
}

// How long the process had run before main(): loading the program and its
// libraries. From /proc: the process's start time against the uptime.
double SecondsBeforeMain()
{
    std::ifstream statFile("/proc/self/stat");
    std::ifstream uptimeFile("/proc/uptime");
    std::string stat((std::istreambuf_iterator<char>(statFile)), {});
    double uptime = 0;
    uptimeFile >> uptime;
    // Field 22 (starttime) counts from the field after the command's ")".
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    for (int index = 3; index <= 22 && fields >> field; ++index) {
    }
    const double started = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
    return uptime - started;
}

}  // namespace

int main(int argc, char* argv[])
{
    const double beforeMain = SecondsBeforeMain();
    QElapsedTimer sinceStart;
    sinceStart.start();
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s APP_DIR PROJECT DOCS_DIR\n", argv[0]);
        return 2;
    }
    sondrel::PrepareWebEngineEnvironment();
    QApplication qtApplication(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/sondrel.svg")));  // as the program shows it
    const QString appDir = QString::fromLocal8Bit(argv[1]);
    const QString project = QString::fromLocal8Bit(argv[2]);
    const QDir docs(QString::fromLocal8Bit(argv[3]));
    PlaceMainWindow();

    sondrel::SondrelApplication application(QFile::encodeName(appDir).toStdString());
    sondrel::frmMain& window = application.MainWindow();
    qint64 loadedAt = -1;
    QObject::connect(window.Browser(), &QWebEngineView::loadFinished, [&] {
        if (loadedAt < 0)
            loadedAt = sinceStart.elapsed();
    });
    application.Start();
    if (!WaitUntil([&] { return loadedAt >= 0 && ShowsContent(*window.Browser()); }, 30000)) {
        std::fprintf(stderr, "the help page was not shown within 30 s\n");
        return 1;
    }
    std::printf("start-up: %.0f ms before main(), then help page loaded after %lld ms, painted after %lld ms\n",
                beforeMain * 1000, loadedAt, static_cast<long long>(sinceStart.elapsed()));

    Trigger(window, "mnuFileConvert");
    sondrel::frmConvert* dialog = window.ConversionDialog();
    const QString output = QDir::temp().filePath(QFileInfo(project).completeBaseName() + QStringLiteral(".htm"));
    QFile::remove(output);
    for (const auto& [field, text] : {std::pair{"lbReaperFile", project}, std::pair{"lbHTMLFile", output}}) {
        auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(field));
        edit->setText(text);
        edit->setCursorPosition(0);
    }
    Wait(500);
    bool ok = Capture(*dialog, docs.filePath("convert-dialog.png"));

    loadedAt = -1;
    dialog->findChild<QPushButton*>("OKButton")->click();
    ok = WaitUntil([&] { return loadedAt >= 0; }, 30000) && ok;
    Wait(1500);
    ok = Capture(window, docs.filePath("main-window.png")) && ok;
    ok = PrintFirstPage(*window.Browser(), docs.filePath("document-print.png")) && ok;

    Trigger(window, "mnuFilePrefs");
    Wait(500);
    ok = Capture(*window.PreferencesDialog(), docs.filePath("preferences-dialog.png")) && ok;
    window.PreferencesDialog()->findChild<QPushButton*>("CancelButton")->click();

    window.close();
    QFile::remove(output);
    return ok ? 0 : 1;
}
