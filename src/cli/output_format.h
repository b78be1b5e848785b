#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "shell/document_renderer.h"
#include "shell/pdf_printer.h"

namespace sondrel {

enum class OutputFormat { Html, Pdf, Json };

// "html", "pdf" or "json", in any letter case.
std::optional<OutputFormat> OutputFormatNamed(std::string_view name);

// The extension a library's documents get: ".htm", ".pdf", ".json".
std::string ExtensionOf(OutputFormat format);

// The project's whole model as JSON; no template is read.
class JsonRenderer : public DocumentRenderer {
public:
    bool UsesTemplate() const override { return false; }
    std::string Render(const std::string& html, const ProjectModel& model, const std::string& outputPath) const override;
};

// The document printed as a PDF on paper of the given size.
class PdfRenderer : public DocumentRenderer {
public:
    PdfRenderer(const PdfPrinter& printer, PaperSize paper) : printer_(printer), paper_(paper) {}
    bool UsesTemplate() const override { return true; }
    std::string Render(const std::string& html, const ProjectModel& model, const std::string& outputPath) const override;

private:
    const PdfPrinter& printer_;
    PaperSize paper_;
};

}  // namespace sondrel
