#include "shell/conversion.h"

#include <exception>
#include <new>

#include "model/file_error.h"
#include "reader/read_project.h"
#include "shell/generate_document.h"

namespace sondrel {

namespace {

bool AnyFieldEmpty(const ConversionRequest& request)
{
    // A field of blanks counts as filled in: paths are taken as typed.
    return request.ProjectPath.empty() || request.OutputPath.empty() || request.TemplatePath.empty();
}

void Remember(const ConversionRequest& request, RememberedPaths& paths)
{
    paths.LastReaperFile = request.ProjectPath;
    paths.LastHTMLFile = request.OutputPath;
    paths.LastTemplateFile = request.TemplatePath;
}

ConversionOutcome ReadAndGenerate(ConversionContext& context)
{
    ReadProject(context.Model, context.Paths.LastReaperFile);
    const GenerationContext generation{context.Model, context.Prefs, context.UserLocale, context.UserClock};
    const bool written =
        GenerateDocument(context.Paths.LastHTMLFile, context.Paths.LastTemplateFile, generation, context.Ui);
    return written ? ConversionOutcome::Written : ConversionOutcome::Declined;
}

ConversionOutcome ReportFailure(const std::string& message, ConversionUi& ui)
{
    ui.ShowMessage(message, MessageButtons::Ok);
    return ConversionOutcome::Failed;
}

}  // namespace

ConversionOutcome RunConversion(const ConversionRequest& request, ConversionContext& context)
{
    context.Ui.HideConversionDialog();
    if (AnyFieldEmpty(request)) {
        context.Ui.ShowMessage("You must enter all information", MessageButtons::Ok);
        return ConversionOutcome::Rejected;
    }
    // Remembered before any file is touched, so that a failed conversion is
    // proposed again as it was typed.
    Remember(request, context.Paths);

    ConversionOutcome outcome;
    try {
        outcome = ReadAndGenerate(context);
    } catch (const FileError& error) {
        return ReportFailure(error.what(), context.Ui);
    } catch (const std::bad_alloc&) {
        return ReportFailure(request.ProjectPath + ": there is not enough memory to convert this project",
                             context.Ui);
    } catch (const std::exception& error) {
        return ReportFailure(request.ProjectPath + ": the conversion stopped: " + error.what(), context.Ui);
    }
    context.Ui.HideConversionDialog();
    return outcome;
}

}  // namespace sondrel
