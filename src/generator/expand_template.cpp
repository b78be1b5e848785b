#include "generator/expand_template.h"

#include <string_view>

#include "generator/conditional_blocks.h"
#include "generator/document_placeholders.h"
#include "generator/marker_search.h"
#include "generator/nested_sections.h"
#include "generator/track_placeholders.h"

namespace sondrel {

namespace {
constexpr std::string_view kTrackStart = "<!-- TRACK-START -->";
constexpr std::string_view kTrackEnd = "<!-- TRACK-END -->";

std::string ExpandTrackCopy(std::string_view trackSection, int track, const GenerationContext& context)
{
    std::string trackCopy(trackSection);
    ExpandConditionals(trackCopy, track, context.Model);
    ReplaceTrackPlaceholders(trackCopy, track, context);
    for (const NestedSectionKind kind :
         {NestedSectionKind::Fx, NestedSectionKind::Item, NestedSectionKind::Send, NestedSectionKind::Receive})
        ExpandNestedSection(trackCopy, track, kind, context);
    return trackCopy;
}
}  // namespace

std::string ExpandTemplate(const std::string& templateText, const std::string& templatePath,
                           const std::string& outputPath, const GenerationContext& context)
{
    const std::string document = ReplaceDocumentPlaceholders(templateText, templatePath, outputPath, context);
    const std::string_view text = document;
    const std::size_t start = FindIgnoringCase(text, kTrackStart, 0);
    if (start == std::string_view::npos)
        return document;
    const std::size_t sectionStart = start + kTrackStart.size();
    const std::size_t end = FindIgnoringCase(text, kTrackEnd, sectionStart);
    std::string output(text.substr(0, start));
    if (end == std::string_view::npos) {
        // A section that never closes is not repeated; only its start marker goes.
        output += text.substr(sectionStart);
        return output;
    }
    const std::string_view trackSection = text.substr(sectionStart, end - sectionStart);
    const int trackCount = context.Model.Info.TrackCount;
    for (int track = 1; track <= trackCount; ++track)
        output += ExpandTrackCopy(trackSection, track, context);
    output += text.substr(end + kTrackEnd.size());
    return output;
}

}  // namespace sondrel
