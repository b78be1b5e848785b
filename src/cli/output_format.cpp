#include "cli/output_format.h"

#include "cli/project_json.h"
#include "format/text_ops.h"

namespace sondrel {

namespace {
struct FormatName {
    OutputFormat Format;
    std::string_view Name;
    std::string_view Extension;
};
constexpr FormatName kFormats[] = {
    {OutputFormat::Html, "html", ".htm"},
    {OutputFormat::Pdf, "pdf", ".pdf"},
    {OutputFormat::Json, "json", ".json"},
};
}  // namespace

std::optional<OutputFormat> OutputFormatNamed(std::string_view name)
{
    for (const FormatName& format : kFormats)
        if (SameIgnoringCase(name, format.Name))
            return format.Format;
    return std::nullopt;
}

std::string ExtensionOf(OutputFormat format)
{
    for (const FormatName& entry : kFormats)
        if (entry.Format == format)
            return std::string(entry.Extension);
    return ".htm";
}

std::string JsonRenderer::Render(const std::string&, const ProjectModel& model, const std::string&) const
{
    return ProjectJson(model);
}

std::string PdfRenderer::Render(const std::string& html, const ProjectModel&, const std::string& outputPath) const
{
    return printer_.Print(html, outputPath, paper_);
}

}  // namespace sondrel
