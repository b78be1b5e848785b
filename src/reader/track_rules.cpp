// What the lines of a track do: its own keyword lines, its FX and its
// routing. Items and frozen material inside a track are handled elsewhere.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <tuple>
#include <utility>

#include "reader/line_fields.h"
#include "reader/project_parser.h"

namespace sondrel {

namespace {

// The automation envelopes of a track, by the block that holds each.
const std::pair<std::string_view, const char*> kEnvelopes[] = {
    {"<VOLENV2", "Volume"}, {"<VOLENV", "Volume (Pre-FX)"}, {"<VOLENV3", "Trim Volume"}, {"<PANENV2", "Pan"},
    {"<PANENV", "Pan (Pre-FX)"}, {"<WIDTHENV2", "Width"}, {"<WIDTHENV", "Width (Pre-FX)"}, {"<MUTEENV", "Mute"},
    {"<AUXVOLENV", "Send Volume"}, {"<AUXPANENV", "Send Pan"}, {"<AUXMUTEENV", "Send Mute"},
    {"<HWVOLENV", "Hardware Output Volume"}, {"<HWPANENV", "Hardware Output Pan"},
    {"<HWMUTEENV", "Hardware Output Mute"}, {"<PARMENV", "FX Parameters"}};

void AddEnvelope(TrackRecord& track, std::string_view kind)
{
    for (const auto& [block, name] : kEnvelopes)
        if (kind == block && std::find(track.Envelopes.begin(), track.Envelopes.end(), name) == track.Envelopes.end())
            track.Envelopes.emplace_back(name);
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
    // The slot may already hold the sends that earlier tracks' receives mirrored onto it.
    TrackRecord& track = CurrentTrack();
    TrackRecord fresh;
    fresh.ReceiveTable = std::move(track.ReceiveTable);
    fresh.IsGroup = track.IsGroup;
    fresh.InGroup = track.InGroup;
    fresh.Depth = folderDepth_;
    track = std::move(fresh);
    trackLevel_ = depth_ + 1;
    headerOpen_ = false;
}

// FX count wherever they stand in the track (in its FX chain, its input FX
// chain, inside a container); items and frozen chains are not the track's.
void ProjectParser::OpenTrackBlock(std::string_view kind, std::string_view line)
{
    if (kind == "<FREEZE") {
        CurrentTrack().Frozen = true;
        freezeLevel_ = depth_ + 1;
    } else if (depth_ == trackLevel_ && kind == "<ITEM") {
        BeginItem();
    } else if (depth_ == trackLevel_ && kind == "<NAME") {
        BeginNameBlock(NameOwner::Track);
    } else if (depth_ == trackLevel_ && kind == "<FXCHAIN") {
        chainLevel_ = depth_ + 1;
    } else if (depth_ == trackLevel_ && kind == "<FXCHAIN_REC") {
        inputChainLevel_ = depth_ + 1;
    } else if (depth_ == trackLevel_ || kind == "<PARMENV") {
        AddEnvelope(CurrentTrack(), kind);
    }
    OpenChainBlock(FxOwner::Track, kind, line);
}

void ProjectParser::ReadTrackContent(std::string_view line)
{
    if (depth_ == trackLevel_)
        ReadTrackLine(TrimSpaces(line));
    else if (StartsWithKeyword(line, "BYPASS") || StartsWithKeyword(line, "PRESETNAME") || StartsWithKeyword(line, "WET"))
        ReadChainLine(FxOwner::Track, TrimSpaces(line));
}

void ProjectParser::ReadTrackLine(std::string_view line)
{
    const std::string_view keyword = FirstField(line);
    TrackRecord& track = CurrentTrack();
    if (keyword == "NAME") {
        track.Name = std::string(SplitTokens(line)[2]);
    } else if (keyword == "VOLPAN") {
        ReadVolumePan(line, track.Volume, track.Pan);
    } else if (keyword == "MUTESOLO") {
        const LineParts fields = SplitFields(line);
        const std::int16_t mute = IntOrZero(fields[2], Place());
        const std::int16_t solo = IntOrZero(fields[3], Place());
        track.Mute = mute == 1;
        // 2 is "solo in place", REAPER's default solo mode.
        track.Solo = solo == 1 || solo == 2;
    } else if (keyword == "ISBUS") {
        ApplyGroupRule(line);
    } else if (keyword == "AUXRECV") {
        AddReceive(line);
    } else if (keyword == "BYPASS") {
        ReadBypass(FxOwner::Track, line);
    } else if (keyword == "HWOUT") {
        AddHardwareOutput(line);
    } else if (keyword == "PEAKCOL") {
        track.Color = static_cast<std::uint32_t>(WholeOr(NthField(line, 2), 0));
    } else if (keyword == "MAINSEND") {
        track.MainSend = WholeOr(NthField(line, 2), 1) != 0;
    } else if (keyword == "REC") {
        track.Armed = WholeOr(NthField(line, 2), 0) == 1;
        track.RecordInput = static_cast<int>(WholeOr(NthField(line, 3), 0));
    } else if (keyword == "FX") {
        track.FxChainOn = WholeOr(NthField(line, 2), 1) != 0;
    } else if (keyword == "LOCK") {
        track.Locked = (WholeOr(NthField(line, 2), 0) & 1) != 0;
    } else if (keyword == "NCHAN") {
        track.Channels = static_cast<int>(WholeOr(NthField(line, 2), 2));
    }
}

// "ISBUS 1" opens a folder, "ISBUS 2" closes it. The opening track is not in
// its own folder; the tracks after it are, up to and including the closing one.
// Nested folders are not told apart here; the depth counts them: the second
// value is how many folders open (1) or close (-1, -2, ...) after the track.
void ProjectParser::ApplyGroupRule(std::string_view line)
{
    const std::int16_t value = IntOrZero(SplitFields(line)[2], Place());
    folderDepth_ = std::max(0, CurrentTrack().Depth + static_cast<int>(WholeOr(NthField(line, 3), 0)));
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
    receive.Mode = static_cast<int>(WholeOr(fields[3], 0));
    receive.SourceChannels = static_cast<int>(WholeOr(fields[9], 0));
    receive.DestChannels = static_cast<int>(WholeOr(fields[10], 0));
    receive.MidiFlags = static_cast<int>(WholeOr(fields[12], 0));
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

// "HWOUT channels mode volume pan mute ...": one hardware output.
void ProjectParser::AddHardwareOutput(std::string_view line)
{
    const LineParts fields = SplitFields(line);
    CurrentTrack().HardwareOutputs.push_back(
        {static_cast<int>(WholeOr(fields[2], 0)), static_cast<int>(WholeOr(fields[3], 0))});
}

}  // namespace sondrel
