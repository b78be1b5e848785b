// What the lines of a media item do. Only the item's own lines count, never
// those of blocks inside it (sources, take envelopes, take FX).
#include <string>

#include "reader/line_fields.h"
#include "reader/project_parser.h"

namespace sondrel {

ItemRecord& ProjectParser::CurrentItem()
{
    return CurrentTrack().ItemTable.back();
}

void ProjectParser::BeginItem()
{
    TrackRecord& track = CurrentTrack();
    if (track.ItemCount() >= MaxTableEntries)
        FailTableFull(model_.Info.TrackCount, "items");
    track.ItemTable.emplace_back();
    itemLevel_ = depth_ + 1;
    // The item's own lines before its first "TAKE" line are its first take,
    // the active one unless a later take is marked "SEL".
    activeTake_ = true;
}

void ProjectParser::ReadItemLine(std::string_view line)
{
    const std::string_view keyword = FirstField(line);
    if (keyword == "POSITION") {
        CurrentItem().Position = SingleOrZero(SplitFields(line)[2], Place());
    } else if (keyword == "LENGTH") {
        CurrentItem().Length = SingleOrZero(SplitFields(line)[2], Place());
    } else if (keyword == "MUTE") {
        CurrentItem().Mute = IntOrZero(SplitFields(line)[2], Place()) == 1;
    } else if (keyword == "GROUP") {
        CurrentItem().Group = IntOrZero(SplitFields(line)[2], Place());
    } else if (keyword == "NAME") {
        if (activeTake_)
            CurrentItem().Name = std::string(SplitTokens(line)[2]);
    } else if (keyword == "VOLPAN") {
        // Later takes write TAKEVOLPAN, so this is always the item's own.
        ReadVolumePan(line, CurrentItem().Volume, CurrentItem().Pan);
    } else if (keyword == "TAKE") {
        BeginTake(line);
    }
}

// "TAKE", "TAKE SEL", "TAKE NULL", "TAKE NULL SEL": a take marked "SEL" is
// the active one, and its name (empty until it has one) is the item's.
void ProjectParser::BeginTake(std::string_view line)
{
    const LineParts fields = SplitFields(line);
    activeTake_ = false;
    for (std::size_t n = 2; n <= fields.Count(); ++n)
        activeTake_ = activeTake_ || fields[n] == "SEL";
    if (activeTake_)
        CurrentItem().Name.clear();
}

}  // namespace sondrel
