#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace sondrel {

enum class PaperSize { A4, Letter };

// "A4" or "Letter", in any letter case.
std::optional<PaperSize> PaperSizeNamed(std::string_view name);

// Prints an HTML document as a PDF, as the browser engine that shows it does.
class PdfPrinter {
public:
    virtual ~PdfPrinter() = default;
    // The PDF's bytes for html, which is to be written to outputPath: images
    // and style sheets the document names are found relative to that file's
    // folder. Throws FileError naming outputPath when printing fails.
    virtual std::string Print(const std::string& html, const std::string& outputPath, PaperSize paper) const = 0;
};

}  // namespace sondrel
