#include "shell/conversion.h"

#include <exception>
#include <new>

#include "format/document_size.h"
#include "format/file_kind.h"
#include "model/file_error.h"
#include "reader/read_project.h"
#include "shell/generate_document.h"
#include "shell/media_check.h"

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

// However the output is spelled, it must not be one of the files the
// conversion reads: a project or a template replaced by a document is lost.
void RefuseToReplaceInputs(const ConversionRequest& request)
{
    const std::pair<const std::string*, const char*> inputs[] = {
        {&request.ProjectPath, "project"},
        {&request.TemplatePath, "template"},
    };
    for (const auto& [input, role] : inputs) {
        if (SameFile(request.OutputPath, *input))
            throw FileError(request.OutputPath, 0,
                            std::string("this is the ") + role + " file " + *input +
                                ", which the output must not replace; choose another output file");
    }
}

ConversionOutcome ReadAndGenerate(const ConversionRequest& request, ConversionContext& context)
{
    RefuseToReplaceInputs(request);
    ReadProject(context.Model, request.ProjectPath);
    MarkMissingMedia(context.Model);
    const GenerationContext generation{context.Model, context.Prefs, context.UserLocale, context.UserClock};
    const bool written = GenerateDocument(request.OutputPath, request.TemplatePath, generation, context.Ui, request.Renderer);
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
        outcome = ReadAndGenerate(request, context);
    } catch (const FileError& error) {
        return ReportFailure(error.what(), context.Ui);
    } catch (const DocumentTooLarge& error) {
        return ReportFailure(EscapeControlCharacters(request.OutputPath) + ": " + error.what() +
                                 ", so nothing was written",
                             context.Ui);
    } catch (const std::bad_alloc&) {
        return ReportFailure(
            EscapeControlCharacters(request.ProjectPath) + ": there is not enough memory to convert this project",
            context.Ui);
    } catch (const std::exception& error) {
        return ReportFailure(
            EscapeControlCharacters(request.ProjectPath + ": the conversion stopped: " + error.what()), context.Ui);
    }
    context.Ui.HideConversionDialog();
    return outcome;
}

}  // namespace sondrel
