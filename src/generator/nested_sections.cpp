#include "generator/nested_sections.h"

#include <charconv>
#include <optional>
#include <string_view>

#include "format/value_format.h"
#include "generator/marker_search.h"
#include "generator/substitution.h"

namespace sondrel {

namespace {
struct SectionMarkers {
    std::string_view Start;
    std::string_view End;
};

SectionMarkers MarkersOf(NestedSectionKind kind)
{
    switch (kind) {
    case NestedSectionKind::Fx:
        return {"<!-- FX-START -->", "<!-- FX-END -->"};
    case NestedSectionKind::Item:
        return {"<!-- ITEM-START -->", "<!-- ITEM-END -->"};
    case NestedSectionKind::Send:
        return {"<!-- SEND-START -->", "<!-- SEND-END -->"};
    case NestedSectionKind::Receive:
        break;
    }
    return {"<!-- RECEIVE-START -->", "<!-- RECEIVE-END -->"};
}

// The name of the track a routing entry names; a number that addresses no
// track gives the empty name.
const std::string& RoutedTrackName(const ProjectModel& model, const std::string& trackNumText)
{
    int number = -1;
    const char* end = trackNumText.data() + trackNumText.size();
    const auto [stop, error] = std::from_chars(trackNumText.data(), end, number);
    if (error != std::errc{} || stop != end)
        number = -1;
    return model.Track(number).Name;
}

std::vector<Substitution> FxValues(int number, const FxRecord& fx)
{
    return {
        {"##FX-NUM##", std::to_string(number)},
        {"##FX-NAME##", fx.Name},
        {"##FX-DLL##", fx.Dll},
        {"##FX-TYPE##", fx.FxType},
        {"##FX-ACTIVE##", TextIfClear(fx.Bypassed, "Active")},
    };
}

std::vector<Substitution> ItemValues(int number, const ItemRecord& item, const Locale& locale)
{
    return {
        {"##ITEM-NUM##", std::to_string(number)},
        {"##ITEM-NAME##", item.Name},
        {"##ITEM-POS##", FormatSeconds(item.Position, locale)},
        {"##ITEM-LEN##", FormatSeconds(item.Length, locale)},
        {"##ITEM-GROUP##", std::to_string(item.Group)},
        {"##ITEM-MUTE##", TextIfSet(item.Mute, "Mute")},
        {"##ITEM-VOLUME##", FormatVolumeDb(item.Volume, locale)},
        {"##ITEM-PAN##", FormatPan(item.Pan)},
    };
}

// Sends and receives share their rows; only the placeholder prefix differs.
std::vector<Substitution> RoutingValues(bool send, int number, const ReceiveRecord& entry,
                                        const GenerationContext& context)
{
    return {
        {send ? "##SEND-NUM##" : "##RCV-NUM##", std::to_string(number)},
        {send ? "##SEND-TRACK-NUM##" : "##RCV-TRACK-NUM##", entry.TrackNumText},
        {send ? "##SEND-TRACK-NAME##" : "##RCV-TRACK-NAME##", RoutedTrackName(context.Model, entry.TrackNumText)},
        {send ? "##SEND-MUTE##" : "##RCV-MUTE##", TextIfSet(entry.Mute, "Mute")},
        {send ? "##SEND-VOLUME##" : "##RCV-VOLUME##", FormatVolumeDb(entry.Volume, context.UserLocale)},
        {send ? "##SEND-PAN##" : "##RCV-PAN##", FormatPan(entry.Pan)},
    };
}

// Appends one filled copy of the body; the body is cut into pieces once, at
// the first entry, and every later entry reuses the cut.
class BodyFiller {
public:
    BodyFiller(std::string& collected, std::string_view body, bool escapeHtml)
        : collected_(collected), body_(body), escapeHtml_(escapeHtml)
    {
    }

    void Append(std::vector<Substitution> values)
    {
        if (escapeHtml_)
            EscapeValuesForHtml(values);
        if (!plan_)
            plan_.emplace(body_, values);
        plan_->AppendFilled(collected_, values);
    }

private:
    std::string& collected_;
    std::string_view body_;
    bool escapeHtml_;
    std::optional<SubstitutionPlan> plan_;
};

void AppendEntries(BodyFiller& filler, int track, NestedSectionKind kind, const GenerationContext& context)
{
    const TrackRecord& record = context.Model.Track(track);
    switch (kind) {
    case NestedSectionKind::Fx:
        for (int j = 1; j <= record.FxCount(); ++j)
            filler.Append(FxValues(j, record.FxTable[static_cast<std::size_t>(j - 1)]));
        return;
    case NestedSectionKind::Item:
        for (int j = 1; j <= record.ItemCount(); ++j)
            filler.Append(ItemValues(j, record.ItemTable[static_cast<std::size_t>(j - 1)], context.UserLocale));
        return;
    case NestedSectionKind::Send:
    case NestedSectionKind::Receive:
        break;
    }
    const bool send = kind == NestedSectionKind::Send;
    const std::string_view wantedKind = send ? "S" : "R";
    // Numbers count positions among all routing entries, both kinds.
    for (int j = 1; j <= record.ReceiveCount(); ++j) {
        const ReceiveRecord& entry = record.ReceiveTable[static_cast<std::size_t>(j - 1)];
        if (entry.Kind == wantedKind)
            filler.Append(RoutingValues(send, j, entry, context));
    }
}
}  // namespace

void ExpandNestedSection(std::string& trackCopy, int track, NestedSectionKind kind,
                         const GenerationContext& context)
{
    const SectionMarkers markers = MarkersOf(kind);
    const std::string_view text = trackCopy;
    const std::size_t start = FindIgnoringCase(text, markers.Start, 0);
    if (start == std::string_view::npos)
        return;
    const std::size_t bodyStart = start + markers.Start.size();
    const std::size_t end = FindIgnoringCase(text, markers.End, bodyStart);
    const bool hasBody = end != std::string_view::npos;
    const std::string_view body = hasBody ? text.substr(bodyStart, end - bodyStart) : std::string_view{};
    const std::string_view rest = text.substr(hasBody ? end + markers.End.size() : bodyStart);

    std::string collected(text.substr(0, start));
    // An empty body repeats into nothing, whatever the entries hold.
    if (!body.empty()) {
        BodyFiller filler(collected, body, context.EscapeHtml);
        AppendEntries(filler, track, kind, context);
    }
    collected += rest;
    trackCopy = std::move(collected);
}

}  // namespace sondrel
