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
                      const GenerationContext& context, ConversionUi& ui)
{
    if (FileExists(outputPath) && !UserAgreesToOverwrite(outputPath, ui))
        return false;
    const std::string templateText = ReadTextFile(templatePath);
    ui.ReportTemplateDiagnostics(templatePath, CheckTemplate(templateText));
    const std::string document = ExpandTemplate(templateText, templatePath, outputPath, context);
    WriteTextFile(document, outputPath);
    ui.ShowInBrowser(outputPath);
    return true;
}

}  // namespace sondrel
