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

TakeRecord& ProjectParser::CurrentTake()
{
    return CurrentItem().Takes.back();
}

void ProjectParser::BeginItem()
{
    TrackRecord& track = CurrentTrack();
    if (track.ItemCount() >= MaxTableEntries)
        FailTableFull(model_.Info.TrackCount, "items");
    track.ItemTable.emplace_back();
    track.ItemTable.back().Takes.emplace_back();
    itemLevel_ = depth_ + 1;
    // The item's own lines before its first "TAKE" line are its first take,
    // the active one unless a later take is marked "SEL".
    activeTake_ = true;
}

// Blocks right inside the item: the take's exact name, its source, the
// item's notes and the takes' FX.
void ProjectParser::OpenItemBlock(std::string_view kind, std::string_view line)
{
    if (takeFxLevel_ != 0) {
        OpenChainBlock(FxOwner::Take, kind, line);
    } else if (depth_ != itemLevel_) {
        return;
    } else if (kind == "<NAME" && activeTake_) {
        BeginNameBlock(NameOwner::Item);
    } else if (kind == "<SOURCE") {
        sourceLevel_ = depth_ + 1;
        CurrentTake().SourceType = std::string(NthField(line, 2));
    } else if (kind == "<NOTES") {
        itemNotesLevel_ = depth_ + 1;
    } else if (kind == "<TAKEFX") {
        takeFxLevel_ = depth_ + 1;
    }
}

void ProjectParser::ReadItemContent(std::string_view line)
{
    if (depth_ == itemLevel_)
        ReadItemLine(TrimSpaces(line));
    else if (takeFxLevel_ != 0)
        ReadChainLine(FxOwner::Take, TrimSpaces(line));
    else if (sourceLevel_ != 0 && FirstField(line) == "FILE")
        CurrentTake().File = std::string(SplitTokens(TrimSpaces(line))[2]);
}

void ProjectParser::ReadItemLine(std::string_view line)
{
    const std::string_view keyword = FirstField(line);
    ItemRecord& item = CurrentItem();
    if (keyword == "POSITION") {
        item.Position = SingleOrZero(NthField(line, 2), Place());
        item.Start = DecimalOr(NthField(line, 2), 0);
    } else if (keyword == "LENGTH") {
        item.Length = SingleOrZero(NthField(line, 2), Place());
        item.Duration = DecimalOr(NthField(line, 2), 0);
    } else if (keyword == "FADEIN" || keyword == "FADEOUT") {
        (keyword == "FADEIN" ? item.FadeIn : item.FadeOut) = DecimalOr(NthField(line, 3), 0);
    } else if (keyword == "PLAYRATE") {
        item.PlayRate = DecimalOr(NthField(line, 2), 1);
    } else if (keyword == "COLOR") {
        item.Color = static_cast<std::uint32_t>(WholeOr(NthField(line, 2), 0));
    } else if (keyword == "LOCK") {
        item.Locked = (WholeOr(NthField(line, 2), 0) & 1) != 0;
    } else if (keyword == "MUTE") {
        CurrentItem().Mute = IntOrZero(NthField(line, 2), Place()) == 1;
    } else if (keyword == "GROUP") {
        CurrentItem().Group = IntOrZero(NthField(line, 2), Place());
    } else if (keyword == "NAME") {
        CurrentTake().Name = std::string(SplitTokens(line)[2]);
        if (activeTake_)
            CurrentItem().Name = CurrentTake().Name;
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
    ItemRecord& item = CurrentItem();
    item.Takes.emplace_back();
    if (activeTake_) {
        item.Name.clear();
        item.ActiveTake = static_cast<int>(item.Takes.size()) - 1;
    }
}

}  // namespace sondrel
