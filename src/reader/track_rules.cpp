// What the lines of a track do: its own keyword lines, its FX and its
// routing. Items and frozen material inside a track are handled elsewhere.
#include <cmath>
#include <cstdio>
#include <string>

#include "reader/line_fields.h"
#include "reader/project_parser.h"

namespace sondrel {

namespace {

bool IsFxOpener(std::string_view kind)
{
    return kind == "<VST" || kind == "<DX" || kind == "<JS" || kind == "<AU" || kind == "<CLAP" ||
           kind == "<LV2" || kind == "<VIDEO_EFFECT";
}

bool StartsWithKeyword(std::string_view line, std::string_view keyword)
{
    return line.size() >= keyword.size() && line.compare(0, keyword.size(), keyword) == 0 &&
           (line.size() == keyword.size() || line[keyword.size()] == ' ');
}

std::string SourceOutOfRangeMessage(double source, std::string_view field)
{
    const std::string range = ": track numbers run from 0 to " + std::to_string(MaxTableEntries);
    if (std::fabs(source) > 1e15)
        return "receive from the track after position \"" + std::string(field) + "\"" + range;
    char number[32];
    std::snprintf(number, sizeof number, "%.0f", source);
    return "receive from track " + std::string(number) + range;
}

}  // namespace

TrackRecord& ProjectParser::CurrentTrack()
{
    return model_.SlotForWriting(model_.Info.TrackCount);
}

void ProjectParser::BeginTrack()
{
    ProjectInfo& info = model_.Info;
    if (info.TrackCount >= MaxTableEntries)
        Fail("a project holds at most " + std::to_string(MaxTableEntries) + " tracks");
    ++info.TrackCount;
    TrackRecord& track = CurrentTrack();
    track.Name.clear();
    track.Volume = 0;
    track.Pan = 0;
    track.Mute = false;
    track.Solo = false;
    trackLevel_ = depth_ + 1;
    headerOpen_ = false;
}

// FX count wherever they stand in the track (in its FX chain, its input FX
// chain, inside a container); items and frozen chains are not the track's.
void ProjectParser::OpenTrackBlock(std::string_view kind, std::string_view line)
{
    if (kind == "<FREEZE") {
        freezeLevel_ = depth_ + 1;
    } else if (IsFxOpener(kind)) {
        AddFx(kind, line);
    } else if (depth_ == trackLevel_ && kind == "<ITEM") {
        BeginItem();
    } else if (depth_ == trackLevel_ && kind == "<NAME") {
        BeginNameBlock(NameOwner::Track);
    }
}

void ProjectParser::ReadTrackContent(std::string_view line)
{
    if (depth_ == trackLevel_)
        ReadTrackLine(TrimSpaces(line));
    else if (StartsWithKeyword(line, "BYPASS"))
        ReadBypass(TrimSpaces(line));
}

void ProjectParser::ReadTrackLine(std::string_view line)
{
    const std::string_view keyword = FirstField(line);
    if (keyword == "NAME") {
        CurrentTrack().Name = std::string(SplitTokens(line)[2]);
    } else if (keyword == "VOLPAN") {
        ReadVolumePan(line, CurrentTrack().Volume, CurrentTrack().Pan);
    } else if (keyword == "MUTESOLO") {
        const LineParts fields = SplitFields(line);
        const std::int16_t mute = IntOrZero(fields[2], Place());
        const std::int16_t solo = IntOrZero(fields[3], Place());
        CurrentTrack().Mute = mute == 1;
        // 2 is "solo in place", REAPER's default solo mode.
        CurrentTrack().Solo = solo == 1 || solo == 2;
    } else if (keyword == "ISBUS") {
        ApplyGroupRule(line);
    } else if (keyword == "AUXRECV") {
        AddReceive(line);
    } else if (keyword == "BYPASS") {
        ReadBypass(line);
    }
}

// The bypass state of the last "BYPASS" line goes to every FX that follows it.
void ProjectParser::ReadBypass(std::string_view line)
{
    pendingBypass_ = IntOrZero(SplitFields(line)[2], Place()) == 1;
}

// "ISBUS 1" opens a folder, "ISBUS 2" closes it. The opening track is not in
// its own folder; the tracks after it are, up to and including the closing one.
// Nested folders are not told apart.
void ProjectParser::ApplyGroupRule(std::string_view line)
{
    const std::int16_t value = IntOrZero(SplitFields(line)[2], Place());
    if (value == 1)
        groupOpen_ = false;
    TrackRecord& track = CurrentTrack();
    track.IsGroup = value == 1;
    track.InGroup = groupOpen_;
    if (value == 1)
        groupOpen_ = true;
    if (value == 2)
        groupOpen_ = false;
}

// "AUXRECV source mode volume pan mute ...": a receive on this track, whose
// mirror is added to the source track as a send.
void ProjectParser::AddReceive(std::string_view line)
{
    const LineParts fields = SplitFields(line);
    const auto position = ParseDecimal(fields[2]);
    const double source = (position ? RoundHalfEven(*position) : 0.0) + 1;
    ReceiveRecord receive;
    receive.Kind = RoutingKind::Receive;
    receive.Volume = fields.Has(4) ? ToSingle(fields[4], Place()) : 0.0f;
    receive.Pan = fields.Has(5) ? ToSingle(fields[5], Place()) : 0.0f;
    receive.Mute = IntOrZero(fields[6], Place()) == 1;
    if (!(source >= 0 && source <= MaxTableEntries))
        Fail(SourceOutOfRangeMessage(source, fields[2]));
    const int sourceTrack = static_cast<int>(source);
    receive.OtherTrack = sourceTrack;

    const int destination = model_.Info.TrackCount;
    if (CurrentTrack().ReceiveCount() >= MaxTableEntries)
        FailTableFull(destination, "sends and receives");
    CurrentTrack().ReceiveTable.push_back(receive);

    TrackRecord& sender = model_.SlotForWriting(sourceTrack);
    if (sender.ReceiveCount() >= MaxTableEntries)
        FailTableFull(sourceTrack, "sends and receives");
    ReceiveRecord send = receive;
    send.Kind = RoutingKind::Send;
    send.OtherTrack = destination;
    sender.ReceiveTable.push_back(send);
}

// "<VST "VST: ReaEQ (Cockos)" reaeq.dll 0 ..." gives the kind, the name and the plug-in file.
void ProjectParser::AddFx(std::string_view kind, std::string_view line)
{
    TrackRecord& track = CurrentTrack();
    if (track.FxCount() >= MaxTableEntries)
        FailTableFull(model_.Info.TrackCount, "FX");
    const LineParts tokens = SplitTokens(line);
    FxRecord fx;
    fx.FxType = std::string(kind.substr(1));
    fx.Name = std::string(tokens[2]);
    fx.Dll = std::string(tokens[3]);
    fx.Bypassed = pendingBypass_;
    track.FxTable.push_back(std::move(fx));
}

}  // namespace sondrel
