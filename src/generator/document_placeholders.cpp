#include "generator/document_placeholders.h"

#include <algorithm>

#include "format/value_format.h"
#include "generator/substitution.h"

namespace sondrel {

namespace {
// "120 BPM 4/4": the tempo as a plain general number, the signature as integers.
std::string TempoText(const ProjectInfo& info, const Locale& locale)
{
    return FormatGeneralNumber(info.Tempo, locale) + " BPM " + std::to_string(info.TimeSigNumerator) + "/" +
           std::to_string(info.TimeSigDenominator);
}

// The notes keep each line's leading "|" in the model; the document shows none.
std::string NotesText(const std::string& notes)
{
    std::string shown = notes;
    shown.erase(std::remove(shown.begin(), shown.end(), '|'), shown.end());
    return shown;
}
}  // namespace

std::string ReplaceDocumentPlaceholders(std::string_view templateText, const std::string& templatePath,
                                        const std::string& outputPath, const GenerationContext& context)
{
    const ProjectInfo& info = context.Model.Info;
    std::vector<Substitution> substitutions{
        {"##FILE-NAME##", info.SourcePath},
        {"##TEMPLATE-NAME##", templatePath},
        {"##OUTPUT-NAME##", outputPath},
        {"##VERSION##", info.VersionText},
        {"##TEMPO##", TempoText(info, context.UserLocale)},
        {"##SAMPLE-RATE##", info.SampleRateText},
        {"##NOTES##", NotesText(info.Notes)},
    };
    // Each reads the clock itself; the date first, as the header shows them.
    substitutions.push_back({"##DATE##", FormatCurrentDate(context.Prefs, context.UserLocale, context.UserClock)});
    substitutions.push_back({"##TIME##", FormatCurrentTime(context.Prefs, context.UserLocale, context.UserClock)});
    if (context.EscapeHtml)
        EscapeValuesForHtml(substitutions, "<br>", {"##NOTES##"});
    return ReplaceInOrder(templateText, substitutions);
}

}  // namespace sondrel
