#include "generator/document_placeholders.h"

#include <algorithm>

#include "format/session_values.h"
#include "format/summary_lists.h"
#include "format/value_format.h"
#include "generator/session_facts.h"

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

const SessionFacts& Facts(const Document& d) { return *d.Context.Facts; }
const TrackRecord& Master(const Document& d) { return d.Context.Model.Master; }

// The save time under the user's date and time forms; nothing when the file holds none.
std::string SavedDate(const Document& d)
{
    const std::int64_t saved = Info(d).SavedAt;
    return saved == 0 ? "" : FormatDate(d.Context.UserClock.LocalTimeOf(saved), d.Context.Prefs, d.Context.UserLocale);
}

std::string SavedTime(const Document& d)
{
    const std::int64_t saved = Info(d).SavedAt;
    return saved == 0 ? "" : FormatTime(d.Context.UserClock.LocalTimeOf(saved), d.Context.Prefs, d.Context.UserLocale);
}

std::string RenderBounds(const Document& d)
{
    static const char* const kBounds[] = {"Custom", "Entire project", "Time selection", "Project regions",
                                          "Selected items", "Selected regions"};
    const int bounds = Info(d).RenderBounds;
    if (bounds == 0)
        return "Custom " + FormatPreciseTime(Info(d).RenderStart, d.Context.UserLocale) + " - " +
               FormatPreciseTime(Info(d).RenderEnd, d.Context.UserLocale);
    return bounds > 0 && bounds < 6 ? kBounds[bounds] : "";
}

std::string MasterFxList(const Document& d) { return FxNamesText(Master(d).FxTable, d.Context.Prefs); }

std::string Count(std::size_t count) { return std::to_string(count); }

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
    {"##REAPER-VERSION##", [](const Document& d) { return Info(d).ReaperVersion; }},
    {"##SAVED-DATE##", SavedDate},
    {"##SAVED-TIME##", SavedTime},
    {"##PROJECT-LENGTH##", [](const Document& d) { return FormatPreciseTime(Facts(d).ProjectLength(), d.Context.UserLocale); }},
    {"##TRACK-COUNT##", [](const Document& d) { return Count(static_cast<std::size_t>(Info(d).TrackCount)); }},
    {"##ITEM-COUNT##", [](const Document& d) { return Count(static_cast<std::size_t>(Facts(d).ItemCount())); }},
    {"##FX-COUNT##", [](const Document& d) { return Count(static_cast<std::size_t>(Facts(d).FxCount())); }},
    {"##MARKER-COUNT##", [](const Document& d) { return Count(d.Context.Model.Markers.size()); }},
    {"##REGION-COUNT##", [](const Document& d) { return Count(d.Context.Model.Regions.size()); }},
    {"##MISSING-MEDIA-COUNT##", [](const Document& d) { return Count(static_cast<std::size_t>(Facts(d).MissingMediaCount())); }},
    {"##MASTER-VOLUME##", [](const Document& d) { return FormatVolumeDb(Master(d).Volume, d.Context.UserLocale); }},
    {"##MASTER-PAN##", [](const Document& d) { return FormatPan(Master(d).Pan); }},
    {"##MASTER-MUTE##", [](const Document& d) { return TextIfSet(Master(d).Mute, "Mute"); }},
    {"##MASTER-FX-LIST##", MasterFxList, KeptMarkup::ListSeparator},
    {"##RENDER-FILE##", [](const Document& d) { return Info(d).RenderFile; }},
    {"##RENDER-PATTERN##", [](const Document& d) { return Info(d).RenderPattern; }},
    {"##RENDER-BOUNDS##", RenderBounds},
    {"##RENDER-RATE##", [](const Document& d) { const int rate = Info(d).RenderSampleRate; return rate > 0 ? std::to_string(rate) : ""; }},
    {"##RENDER-CHANNELS##", [](const Document& d) { const int n = Info(d).RenderChannels; return n > 0 ? std::to_string(n) : ""; }},
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
