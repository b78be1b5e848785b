#include "ui/pdf_printer.h"

#include <functional>
#include <future>
#include <utility>

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QTemporaryFile>
#include <QThread>
#include <QTimer>
#include <QWebEngineProfile>

#include "model/file_error.h"
#include "platform/path_text.h"
#include "ui/document_page.h"

namespace sondrel {

namespace {
constexpr int kPrintTimeoutMs = 120000;

struct Printed {
    QString Failure;  // empty when printed
    QByteArray Pdf;
};
using PrintDone = std::function<void(const Printed&)>;

QPageLayout LayoutOf(PaperSize paper)
{
    const QPageSize size(paper == PaperSize::Letter ? QPageSize::Letter : QPageSize::A4);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
}

// Loads the file into a page of its own and prints it; done is called once,
// from this thread's event loop, and the page is gone after it.
void StartPrinting(QWebEngineProfile& profile, const QString& htmlFile, const QPageLayout& layout, PrintDone done)
{
    auto* page = new DocumentPage(&profile);
    auto finish = [page, done = std::move(done), finished = std::make_shared<bool>(false)](const Printed& printed) {
        if (std::exchange(*finished, true))
            return;
        page->deleteLater();
        done(printed);
    };
    QObject::connect(page, &QWebEnginePage::loadFinished, page, [page, layout, finish](bool loaded) {
        if (!loaded)
            return finish({QStringLiteral("the document could not be loaded for printing"), {}});
        page->printToPdf(
            [finish](const QByteArray& pdf) {
                finish({pdf.isEmpty() ? QStringLiteral("the browser engine could not print the document") : QString(),
                        pdf});
            },
            layout);
    });
    QTimer::singleShot(kPrintTimeoutMs, page,
                       [finish] { finish({QStringLiteral("printing did not finish within two minutes"), {}}); });
    page->load(DocumentPage::UrlForFile(htmlFile));
}
}  // namespace

PaperSize PaperOf(const QLocale& locale)
{
    switch (locale.territory()) {
    case QLocale::UnitedStates:
    case QLocale::Canada:
    case QLocale::Mexico:
    case QLocale::Chile:
    case QLocale::Colombia:
    case QLocale::Venezuela:
    case QLocale::Philippines:
    case QLocale::PuertoRico:
        return PaperSize::Letter;
    default:
        return PaperSize::A4;
    }
}

WebEnginePdfPrinter::WebEnginePdfPrinter() : profile_(std::make_unique<QWebEngineProfile>())
{
    GuardProfile(*profile_);
}

WebEnginePdfPrinter::~WebEnginePdfPrinter()
{
    // The last page printed is deleted later; the profile must outlive it.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::string WebEnginePdfPrinter::Print(const std::string& html, const std::string& outputPath, PaperSize paper) const
{
    const QString output = PathText(outputPath);
    QTemporaryFile file(QDir(QFileInfo(output).absolutePath()).filePath(QStringLiteral(".sondrel-print-XXXXXX.htm")));
    if (!file.open() || file.write(html.data(), static_cast<qint64>(html.size())) != static_cast<qint64>(html.size()) ||
        !file.flush())
        throw FileError(outputPath, 0, "cannot write the document to print beside it: " + file.errorString().toStdString());

    Printed printed;
    if (QThread::currentThread() == profile_->thread()) {
        QEventLoop loop;
        StartPrinting(*profile_, file.fileName(), LayoutOf(paper), [&](const Printed& result) {
            printed = result;
            loop.quit();
        });
        loop.exec();
    } else {
        std::promise<Printed> promise;
        QMetaObject::invokeMethod(
            profile_.get(),
            [&] {
                StartPrinting(*profile_, file.fileName(), LayoutOf(paper),
                              [&promise](const Printed& result) { promise.set_value(result); });
            },
            Qt::QueuedConnection);
        printed = promise.get_future().get();
    }
    if (!printed.Failure.isEmpty())
        throw FileError(outputPath, 0, printed.Failure.toStdString());
    return printed.Pdf.toStdString();
}

}  // namespace sondrel
