// Whole conversions through the real dialog and the real browser view: what
// the view shows afterwards, printing it to a PDF file, a refused overwrite,
// "Contents" in between, and a regenerated output read afresh.
#include <QProcess>
#include <QSignalSpy>
#include <QWebEngineView>

#include "ui_harness.h"

using namespace sondrel;
using namespace sondrel::testing;

namespace {
const QString CorpusProject = QStringLiteral(SONDREL_CORPUS_DIR "/kmjbyrne__glutones__toast-band-session.rpp");
constexpr int PageTimeout = 30000;

const QByteArray SmallProject =
    "<REAPER_PROJECT 0.1 \"6.0/linux64\" 1600000000\n"
    "  TEMPO 120 4 4\n"
    "  <TRACK\n"
    "    NAME \"Lead Vocal\"\n"
    "  >\n"
    ">\n";

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString PdfText(const QString& pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!process.waitForFinished(30000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}
}  // namespace

class EndToEndTest : public QObject {
    Q_OBJECT

private slots:
    void aCorpusProjectIsShownWithTheDefaultTemplateAndPrinted()
    {
        if (!QFile::exists(CorpusProject))
            QSKIP("the corpus of REAPER projects is not beside the repository");
        UiHarness ui;
        frmMain& window = ui.StartMain();
        const QString output = ui.ScratchPath("toast band.htm");
        const QString templ = ui.ScratchPath("templates/default_template.htm");
        ui.ConvertThroughDialog(CorpusProject, output, templ);

        QVERIFY2(ui.messages.messages.empty(),
                 ui.messages.messages.empty() ? "" : ui.messages.messages[0].text.c_str());
        QVERIFY(!window.ConversionDialog()->isVisible());
        QVERIFY(QFile::exists(output));
        QCOMPARE(QString::fromStdString(ui.paths.LastReaperFile), CorpusProject);
        QCOMPARE(QString::fromStdString(ui.paths.LastHTMLFile), output);
        QCOMPARE(QString::fromStdString(ui.paths.LastTemplateFile), templ);
        QTRY_COMPARE_WITH_TIMEOUT(window.Browser()->url(), QUrl::fromLocalFile(output), PageTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(window.Browser()->title().contains("toast-band-session"), PageTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(PageText(*window.Browser()).contains("Keith"), PageTimeout);

        QVERIFY(PageText(*window.Browser()).contains("Bastien"));

        // Printing to a file writes the page as a PDF with real text.
        const QString pdf = ui.ScratchPath("printed.pdf");
        ui.printing.pdfPath = pdf;
        QSignalSpy finished(&window, &frmMain::PrintingFinished);
        ui.Trigger("mnuFilePrint");
        QCOMPARE(ui.printing.shown, 1);
        QVERIFY(finished.wait(PageTimeout));
        QCOMPARE(finished.first().first().toBool(), true);
        QVERIFY(QFileInfo(pdf).size() > 0);
        const QString text = PdfText(pdf);
        QVERIFY2(text.contains("Keith") && text.contains("Bastien"), qPrintable(text.left(400)));
    }

    void cancellingThePrintDialogPrintsNothing()
    {
        UiHarness ui;
        frmMain& window = ui.StartMain();
        QTRY_COMPARE_WITH_TIMEOUT(window.Browser()->title(), QStringLiteral("Sondrel Help"), PageTimeout);
        ui.printing.pdfPath = ui.ScratchPath("never.pdf");
        ui.printing.accept = false;
        QSignalSpy finished(&window, &frmMain::PrintingFinished);
        ui.Trigger("mnuFilePrint");
        QCOMPARE(ui.printing.shown, 1);
        QVERIFY(!finished.wait(2000));
        QVERIFY(!QFile::exists(ui.printing.pdfPath));
    }

    void refusingTheOverwriteKeepsTheFileAndTheView()
    {
        UiHarness ui;
        frmMain& window = ui.StartMain();
        QTRY_COMPARE_WITH_TIMEOUT(window.Browser()->title(), QStringLiteral("Sondrel Help"), PageTimeout);
        const QString project = ui.WriteScratchFile("song.rpp", SmallProject);
        const QString output = ui.WriteScratchFile("existing.htm", "<html><body>EARLIER OUTPUT</body></html>");
        const QString templ = ui.WriteScratchFile("t.htm", "<html><body>NEW ##FILE-NAME##</body></html>");
        ui.messages.answers = {MessageAnswer::Cancel};
        ui.ConvertThroughDialog(project, output, templ);

        QCOMPARE(ui.messages.messages.size(), std::size_t{1});
        QCOMPARE(ui.messages.messages[0].title, std::string("Overwrite file?"));
        QCOMPARE(QString::fromStdString(ui.messages.messages[0].text),
                 "The file " + output + " already exists.  Do you want to overwrite it?");
        QVERIFY(ui.messages.messages[0].buttons == MessageButtons::OkCancel);
        QCOMPARE(ReadAll(output), QByteArray("<html><body>EARLIER OUTPUT</body></html>"));
        QTest::qWait(500);
        QCOMPARE(window.Browser()->url(), QUrl::fromLocalFile(ui.HelpPagePath()));
        QVERIFY(PageText(*window.Browser()).contains("HELP PAGE TEXT"));
    }

    void contentsAfterAConversionAndARegeneratedOutputReadAfresh()
    {
        UiHarness ui;
        frmMain& window = ui.StartMain();
        const QString project = ui.WriteScratchFile("song.rpp", SmallProject);
        const QString output = ui.ScratchPath("out.htm");
        const QString templ = ui.WriteScratchFile(
            "t.htm", "<html><body><!-- TRACK-START -->FIRST ##TRACK-NAME##<!-- TRACK-END --></body></html>");
        ui.ConvertThroughDialog(project, output, templ);
        QTRY_VERIFY_WITH_TIMEOUT(PageText(*window.Browser()).contains("FIRST Lead Vocal"), PageTimeout);

        ui.Trigger("mnuHelpContents");
        QTRY_VERIFY_WITH_TIMEOUT(PageText(*window.Browser()).contains("HELP PAGE TEXT"), PageTimeout);

        ui.WriteScratchFile("t.htm", "<html><body>SECOND VERSION</body></html>");
        ui.ConvertThroughDialog(project, output, templ);  // answers OK to the overwrite question
        QTRY_VERIFY_WITH_TIMEOUT(PageText(*window.Browser()).contains("SECOND VERSION"), PageTimeout);
        QCOMPARE(window.Browser()->url(), QUrl::fromLocalFile(output));
        QCOMPARE(ui.messages.messages.size(), std::size_t{1});
        QCOMPARE(ui.messages.messages[0].title, std::string("Overwrite file?"));
    }
};

SONDREL_UI_TEST_MAIN(EndToEndTest)
#include "end_to_end_test.moc"
