#include "generator/sections.h"

#include "generator/entry_placeholders.h"
#include "generator/marker_search.h"
#include "generator/session_facts.h"
#include "generator/session_placeholders.h"

namespace sondrel {

namespace {
// The body once per record of one of the track's tables, numbered from 1.
template <class Record, const std::vector<Record> TrackRecord::*Table, PlaceholderTable<Record> (*Placeholders)()>
void AppendTrackTable(std::string& out, std::string_view body, const GenerationContext& context, int track)
{
    AppendEach<Record>(out, body, Placeholders(), context.Model.Track(track).*Table, context, track);
}

// Numbers count positions among all routing entries, both kinds.
template <RoutingKind Kind, PlaceholderTable<ReceiveRecord> (*Placeholders)()>
void AppendRouting(std::string& out, std::string_view body, const GenerationContext& context, int track)
{
    const std::vector<ReceiveRecord>& entries = context.Model.Track(track).ReceiveTable;
    const TableFiller<ReceiveRecord> filler(body, Placeholders());
    for (std::size_t n = 0; n < entries.size(); ++n)
        if (entries[n].Kind == Kind)
            filler.Append(out, {context, static_cast<int>(n + 1), entries[n], track});
}

// The body once per record of one of the project's lists, numbered from 1.
template <class Record, const std::vector<Record>& (*Records)(const GenerationContext&),
          PlaceholderTable<Record> (*Placeholders)()>
void AppendProjectList(std::string& out, std::string_view body, const GenerationContext& context, int)
{
    AppendEach<Record>(out, body, Placeholders(), Records(context), context);
}

const std::vector<FxRecord>& MasterFx(const GenerationContext& c) { return c.Model.Master.FxTable; }
const std::vector<MarkerRecord>& Markers(const GenerationContext& c) { return c.Model.Markers; }
const std::vector<MarkerRecord>& Regions(const GenerationContext& c) { return c.Model.Regions; }
const std::vector<TempoRecord>& TempoPoints(const GenerationContext& c) { return c.Model.TempoMap; }
const std::vector<MediaRecord>& MediaFiles(const GenerationContext& c) { return c.Facts->Media(); }
const std::vector<PluginRecord>& Plugins(const GenerationContext& c) { return c.Facts->Plugins(); }

template <class Record, PlaceholderTable<Record> (*Placeholders)()>
std::vector<std::string_view> Names()
{
    return NamesOf(Placeholders());
}

const Section kSections[] = {
    {"FX", "<!-- FX-START -->", "<!-- FX-END -->", SectionLevel::Track,
     AppendTrackTable<FxRecord, &TrackRecord::FxTable, FxPlaceholders>, Names<FxRecord, FxPlaceholders>},
    {"ITEM", "<!-- ITEM-START -->", "<!-- ITEM-END -->", SectionLevel::Track,
     AppendTrackTable<ItemRecord, &TrackRecord::ItemTable, ItemPlaceholders>, Names<ItemRecord, ItemPlaceholders>},
    {"SEND", "<!-- SEND-START -->", "<!-- SEND-END -->", SectionLevel::Track,
     AppendRouting<RoutingKind::Send, SendPlaceholders>, Names<ReceiveRecord, SendPlaceholders>},
    {"RECEIVE", "<!-- RECEIVE-START -->", "<!-- RECEIVE-END -->", SectionLevel::Track,
     AppendRouting<RoutingKind::Receive, ReceivePlaceholders>, Names<ReceiveRecord, ReceivePlaceholders>},
    {"MASTER-FX", "<!-- MASTER-FX-START -->", "<!-- MASTER-FX-END -->", SectionLevel::Document,
     AppendProjectList<FxRecord, MasterFx, FxPlaceholders>, Names<FxRecord, FxPlaceholders>},
    {"MARKER", "<!-- MARKER-START -->", "<!-- MARKER-END -->", SectionLevel::Document,
     AppendProjectList<MarkerRecord, Markers, MarkerPlaceholders>, Names<MarkerRecord, MarkerPlaceholders>},
    {"REGION", "<!-- REGION-START -->", "<!-- REGION-END -->", SectionLevel::Document,
     AppendProjectList<MarkerRecord, Regions, RegionPlaceholders>, Names<MarkerRecord, RegionPlaceholders>},
    {"TEMPO", "<!-- TEMPO-START -->", "<!-- TEMPO-END -->", SectionLevel::Document,
     AppendProjectList<TempoRecord, TempoPoints, TempoPlaceholders>, Names<TempoRecord, TempoPlaceholders>},
    {"MEDIA", "<!-- MEDIA-START -->", "<!-- MEDIA-END -->", SectionLevel::Document,
     AppendProjectList<MediaRecord, MediaFiles, MediaPlaceholders>, Names<MediaRecord, MediaPlaceholders>},
    {"PLUGIN", "<!-- PLUGIN-START -->", "<!-- PLUGIN-END -->", SectionLevel::Document,
     AppendProjectList<PluginRecord, Plugins, PluginPlaceholders>, Names<PluginRecord, PluginPlaceholders>},
};
}  // namespace

std::span<const Section> Sections() { return kSections; }

void ExpandSection(std::string& text, const Section& section, const GenerationContext& context, int track)
{
    ExpandMarkedSection(text, section.Start, section.End, [&](std::string& out, std::string_view body) {
        section.AppendEntries(out, body, context, track);
    });
}

void ExpandMarkedSection(std::string& text, std::string_view startMarker, std::string_view endMarker,
                         const std::function<void(std::string& out, std::string_view body)>& appendEntries)
{
    const std::size_t start = FindIgnoringCase(text, startMarker, 0);
    if (start == std::string::npos)
        return;
    const std::size_t bodyStart = start + startMarker.size();
    const std::size_t end = FindIgnoringCase(text, endMarker, bodyStart);
    const bool hasBody = end != std::string::npos;
    const std::string_view body = hasBody ? std::string_view(text).substr(bodyStart, end - bodyStart) : "";
    std::string collected;
    collected.reserve(text.size());
    collected.append(text, 0, start);
    if (!body.empty())
        appendEntries(collected, body);
    collected += std::string_view(text).substr(hasBody ? end + endMarker.size() : bodyStart);
    text = std::move(collected);
}

}  // namespace sondrel
