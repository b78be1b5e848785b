#pragma once

#include <memory>

#include <QLocale>

#include "shell/pdf_printer.h"

class QWebEngineProfile;

namespace sondrel {

// The paper the locale's country prints on: Letter in the Americas that use
// it, A4 everywhere else.
PaperSize PaperOf(const QLocale& locale);

// Prints with the same engine and the same guards as the view: no script, no
// network, no other files than what the page shows. The document goes
// through a temporary file beside the output so that what it names relative
// to itself is found. Print may be called on any thread, by several at once:
// on the application's thread it runs an event loop until the engine is
// done; from another it hands the work to the application's thread, which
// must then be running its event loop, and waits. Create it on the
// application's thread.
class WebEnginePdfPrinter : public PdfPrinter {
public:
    WebEnginePdfPrinter();
    ~WebEnginePdfPrinter() override;

    std::string Print(const std::string& html, const std::string& outputPath, PaperSize paper) const override;

private:
    std::unique_ptr<QWebEngineProfile> profile_;
};

}  // namespace sondrel
