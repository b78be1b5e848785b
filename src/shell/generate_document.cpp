#include "shell/generate_document.h"

#include "format/text_ops.h"

namespace sondrel {

namespace {
bool UserAgreesToOverwrite(const std::string& outputPath, ConversionUi& ui)
{
    const std::string question = "The file " + outputPath + " already exists.  Do you want to overwrite it?";
    return ui.ShowMessage(question, MessageButtons::OkCancel, "Overwrite file?") == MessageAnswer::Ok;
}
}  // namespace

bool GenerateDocument(const std::string& outputPath, const std::string& templatePath,
                      const GenerationContext& context, ConversionUi& ui, const DocumentRenderer* renderer)
{
    if (FileExists(outputPath) && !UserAgreesToOverwrite(outputPath, ui))
        return false;
    std::string document;
    if (renderer == nullptr || renderer->UsesTemplate()) {
        const std::string templateText = ReadTextFile(templatePath);
        if (ui.WantsTemplateDiagnostics())
            ui.ReportTemplateDiagnostics(templatePath, CheckTemplate(templateText));
        document = ExpandTemplate(templateText, templatePath, outputPath, context);
    }
    if (renderer != nullptr)
        document = renderer->Render(document, context.Model, outputPath);
    WriteTextFile(document, outputPath);
    ui.ShowInBrowser(outputPath);
    return true;
}

}  // namespace sondrel
