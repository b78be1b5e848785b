#include "generator/document_placeholders.h"

#include <algorithm>

#include "format/value_format.h"

namespace sondrel {

namespace {
using Document = Entry<DocumentPaths>;

const ProjectInfo& Info(const Document& document) { return document.Context.Model.Info; }

// "120 BPM 4/4": the tempo as a plain general number, the signature as integers.
std::string TempoText(const Document& document)
{
    const ProjectInfo& info = Info(document);
    return FormatGeneralNumber(info.Tempo, document.Context.UserLocale) + " BPM " +
           std::to_string(info.TimeSigNumerator) + "/" + std::to_string(info.TimeSigDenominator);
}

// The notes keep each line's leading "|" in the model; the document shows none.
std::string NotesText(const Document& document)
{
    std::string shown = Info(document).Notes;
    shown.erase(std::remove(shown.begin(), shown.end(), '|'), shown.end());
    return shown;
}

// Each reads the clock itself; the date first, as the header shows them.
std::string DateText(const Document& d) { return FormatCurrentDate(d.Context.Prefs, d.Context.UserLocale, d.Context.UserClock); }
std::string TimeText(const Document& d) { return FormatCurrentTime(d.Context.Prefs, d.Context.UserLocale, d.Context.UserClock); }

const Placeholder<DocumentPaths> kDocumentPlaceholders[] = {
    {"##FILE-NAME##", [](const Document& d) { return Info(d).SourcePath; }},
    {"##TEMPLATE-NAME##", [](const Document& d) { return d.Of.TemplatePath; }},
    {"##OUTPUT-NAME##", [](const Document& d) { return d.Of.OutputPath; }},
    {"##VERSION##", [](const Document& d) { return Info(d).VersionText; }},
    {"##TEMPO##", TempoText},
    {"##SAMPLE-RATE##", [](const Document& d) { return Info(d).SampleRateText; }},
    {"##NOTES##", NotesText, KeptMarkup::LineBreaks},
    {"##DATE##", DateText},
    {"##TIME##", TimeText},
};
}  // namespace

PlaceholderTable<DocumentPaths> DocumentPlaceholders() { return kDocumentPlaceholders; }

std::string ReplaceDocumentPlaceholders(std::string_view templateText, const std::string& templatePath,
                                        const std::string& outputPath, const GenerationContext& context)
{
    const DocumentPaths paths{templatePath, outputPath};
    std::string document;
    TableFiller<DocumentPaths>(templateText, DocumentPlaceholders()).Append(document, {context, 1, paths});
    return document;
}

}  // namespace sondrel
