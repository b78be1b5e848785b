#include "generator/expand_template.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <string_view>

#include "format/document_size.h"
#include "generator/conditional_blocks.h"
#include "generator/document_placeholders.h"
#include "generator/marker_search.h"
#include "generator/conditions.h"
#include "generator/sections.h"
#include "generator/session_facts.h"
#include "generator/track_placeholders.h"

namespace sondrel {

namespace {
constexpr std::string_view kTrackStart = "<!-- TRACK-START -->";
constexpr std::string_view kTrackEnd = "<!-- TRACK-END -->";

// Grows the output once to what the remaining tracks are likely to need,
// rather than in many doublings that each move the whole text into fresh
// memory. Untouched reserved memory costs little; the headroom is still
// limited so that an unusual first track cannot ask for a huge block.
void ReserveAhead(std::string& output, std::size_t needed, std::size_t expectedMore)
{
    constexpr std::size_t kModestHeadroom = std::size_t{256} << 20;
    const std::size_t headroom = std::min(expectedMore + expectedMore / 4, std::max(needed, kModestHeadroom));
    output.reserve(std::min(needed + headroom, MaxDocumentSize));
}

// A track copy's conditional blocks read the track's conditions and nothing
// else, so the track section resolves to one text per combination of them:
// each is worked out once, for the first track that needs it, and copied
// after that.
class ConditionalsByFlags {
public:
    ConditionalsByFlags(std::string_view trackSection, const ProjectModel& model)
        : section_(trackSection), model_(model),
          // Without blocks there is nothing to resolve; a huge section is
          // resolved per track rather than held once per combination.
          cached_(trackSection.find("(#IF") != std::string_view::npos && trackSection.size() <= kLargestCached)
    {
    }

    std::string TrackCopy(int track)
    {
        if (!cached_)
            return Resolved(track);
        auto [found, added] = byConditions_.try_emplace(ConditionsOf(model_.Track(track)));
        if (added)
            found->second = Resolved(track);
        return found->second;
    }

private:
    static constexpr std::size_t kLargestCached = std::size_t{64} << 20;

    static std::uint64_t ConditionsOf(const TrackRecord& record)
    {
        std::uint64_t bits = 0;
        for (const Condition& condition : Conditions())
            bits = bits << 1 | (condition.Holds(record) ? 1u : 0u);
        return bits;
    }

    std::string Resolved(int track) const
    {
        std::string trackCopy(section_);
        ExpandConditionals(trackCopy, track, model_);
        return trackCopy;
    }

    std::string_view section_;
    const ProjectModel& model_;
    bool cached_;
    std::map<std::uint64_t, std::string> byConditions_;
};

// The head or tail with the project's sections expanded.
std::string WithDocumentSections(std::string_view text, const GenerationContext& context)
{
    std::string expanded(text);
    for (const Section& section : Sections())
        if (section.Level == SectionLevel::Document)
            ExpandSection(expanded, section, context, 0);
    return expanded;
}

std::string ExpandTrackCopy(ConditionalsByFlags& conditionals, int track, const GenerationContext& context)
{
    std::string trackCopy = conditionals.TrackCopy(track);
    ReplaceTrackPlaceholders(trackCopy, track, context);
    for (const Section& section : Sections())
        if (section.Level == SectionLevel::Track)
            ExpandSection(trackCopy, section, context, track);
    return trackCopy;
}

}  // namespace

std::string ExpandTemplate(const std::string& templateText, const std::string& templatePath,
                           const std::string& outputPath, const GenerationContext& callerContext)
{
    // Looked for in the template as written, so that no value inserted into
    // it can switch escaping on or off.
    GenerationContext context = callerContext;
    context.EscapeHtml = templateText.find(HtmlEscapeDeclaration) != std::string::npos;
    const SessionFacts facts(context.Model);
    context.Facts = &facts;
    const std::string document = ReplaceDocumentPlaceholders(templateText, templatePath, outputPath, context);
    const std::string_view text = document;
    const std::size_t start = FindIgnoringCase(text, kTrackStart, 0);
    if (start == std::string_view::npos)
        return WithDocumentSections(text, context);
    const std::size_t sectionStart = start + kTrackStart.size();
    const std::size_t end = FindIgnoringCase(text, kTrackEnd, sectionStart);
    std::string output = WithDocumentSections(text.substr(0, start), context);
    if (end == std::string_view::npos) {
        // A section that never closes is not repeated; only its start marker goes.
        output += WithDocumentSections(text.substr(sectionStart), context);
        return output;
    }
    const std::string_view trackSection = text.substr(sectionStart, end - sectionStart);
    const std::string tail = WithDocumentSections(text.substr(end + kTrackEnd.size()), context);
    const int trackCount = context.Model.Info.TrackCount;
    const std::size_t headSize = output.size();
    ConditionalsByFlags conditionals(trackSection, context.Model);
    for (int track = 1; track <= trackCount; ++track) {
        const std::string trackCopy = ExpandTrackCopy(conditionals, track, context);
        CheckDocumentSize(output.size() + trackCopy.size());
        if (output.size() + trackCopy.size() > output.capacity()) {
            const std::size_t averageCopy = (output.size() - headSize + trackCopy.size()) / static_cast<std::size_t>(track);
            ReserveAhead(output, output.size() + trackCopy.size(),
                         averageCopy * static_cast<std::size_t>(trackCount - track) + tail.size());
        }
        output += trackCopy;
    }
    CheckDocumentSize(output.size() + tail.size());
    output += tail;
    return output;
}

}  // namespace sondrel
