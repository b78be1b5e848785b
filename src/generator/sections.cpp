#include "generator/sections.h"

#include "generator/entry_placeholders.h"
#include "generator/marker_search.h"

namespace sondrel {

namespace {
// The body once per record of one of the track's tables, numbered from 1.
template <class Record, const std::vector<Record> TrackRecord::*Table, PlaceholderTable<Record> (*Placeholders)()>
void AppendTrackTable(std::string& out, std::string_view body, const GenerationContext& context, int track)
{
    const std::vector<Record>& records = context.Model.Track(track).*Table;
    const TableFiller<Record> filler(body, Placeholders());
    for (std::size_t n = 0; n < records.size(); ++n)
        filler.Append(out, {context, static_cast<int>(n + 1), records[n], track});
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
};
}  // namespace

std::span<const Section> Sections() { return kSections; }

void ExpandSection(std::string& text, const Section& section, const GenerationContext& context, int track)
{
    const std::size_t start = FindIgnoringCase(text, section.Start, 0);
    if (start == std::string::npos)
        return;
    const std::size_t bodyStart = start + section.Start.size();
    const std::size_t end = FindIgnoringCase(text, section.End, bodyStart);
    const bool hasBody = end != std::string::npos;
    const std::string_view body = hasBody ? std::string_view(text).substr(bodyStart, end - bodyStart) : "";
    std::string collected = text.substr(0, start);
    if (!body.empty())
        section.AppendEntries(collected, body, context, track);
    collected += std::string_view(text).substr(hasBody ? end + section.End.size() : bodyStart);
    text = std::move(collected);
}

}  // namespace sondrel
