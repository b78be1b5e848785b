// What the lines of the project header do: the project line, tempo, sample
// rate, markers and regions, the tempo map, render settings and the master.
#include <algorithm>
#include <string>
#include <tuple>

#include "format/bars_beats.h"
#include "reader/line_fields.h"
#include "reader/project_parser.h"

namespace sondrel {

// "<REAPER_PROJECT 0.1 "7.14/win64" 1719000000": format version, the
// program that saved it and when.
void ProjectParser::ReadProjectLine(std::string_view line)
{
    model_.Info.VersionText = std::string(NthField(line, 2));
    const LineParts tokens = SplitTokens(line);
    model_.Info.ReaperVersion = std::string(tokens[3]);
    model_.Info.SavedAt = WholeOr(tokens[4], 0);
}

void ProjectParser::OpenHeaderBlock(std::string_view kind, std::string_view)
{
    if (kind == "<NOTES")
        notesLevel_ = depth_ + 1;
    else if (kind == "<MASTERFXLIST")
        masterFxLevel_ = depth_ + 1;
    else if (kind == "<TEMPOENVEX")
        tempoLevel_ = depth_ + 1;
}

void ProjectParser::ReadHeaderLine(std::string_view line)
{
    const std::string_view keyword = FirstField(line);
    ProjectInfo& info = model_.Info;
    TrackRecord& master = model_.Master;
    if (keyword == "SAMPLERATE") {
        info.SampleRateText = std::string(NthField(line, 2));
    } else if (keyword == "TEMPO") {
        const LineParts fields = SplitFields(line);
        info.Tempo = fields.Has(2) ? ToSingle(fields[2], Place()) : 0.0f;
        info.TimeSigNumerator = fields.Has(3) ? ToInteger(fields[3], Place()) : std::int16_t{0};
        info.TimeSigDenominator = fields.Has(4) ? ToInteger(fields[4], Place()) : std::int16_t{0};
    } else if (keyword == "MARKER") {
        ReadMarker(line);
    } else if (keyword == "MASTER_VOLUME") {
        const LineParts fields = SplitFields(line);
        master.Volume = static_cast<float>(DecimalOr(fields[2], 1));
        master.Pan = static_cast<float>(DecimalOr(fields[3], 0));
    } else if (keyword == "MASTERMUTESOLO") {
        const std::int64_t flags = WholeOr(NthField(line, 2), 0);
        master.Mute = (flags & 1) != 0;
        master.Solo = (flags & 2) != 0;
    } else if (keyword == "MASTER_NCH") {
        master.Channels = static_cast<int>(WholeOr(NthField(line, 2), 2));
    } else if (keyword == "MASTER_FX") {
        master.FxChainOn = WholeOr(NthField(line, 2), 1) != 0;
    } else if (keyword == "RECORD_PATH") {
        info.RecordPath = std::string(SplitTokens(line)[2]);
    } else if (keyword.starts_with("RENDER_")) {
        ReadRenderLine(keyword, line);
    }
}

// "MARKER id position name flags colour ...": flag 1 marks a region, written
// as two lines with the same id, its start (with the name) and its end.
void ProjectParser::ReadMarker(std::string_view line)
{
    const LineParts tokens = SplitTokens(line);
    MarkerRecord marker;
    marker.Id = static_cast<int>(WholeOr(tokens[2], 0));
    marker.Start = DecimalOr(tokens[3], 0);
    marker.Name = std::string(tokens[4]);
    marker.Color = static_cast<std::uint32_t>(WholeOr(tokens[6], 0));
    if ((WholeOr(tokens[5], 0) & 1) == 0) {
        model_.Markers.push_back(std::move(marker));
        return;
    }
    std::vector<MarkerRecord>& regions = model_.Regions;
    const auto open = std::find_if(regions.rbegin(), regions.rend(),
                                   [&](const MarkerRecord& r) { return r.Id == marker.Id && r.End < r.Start; });
    if (open != regions.rend()) {
        open->End = marker.Start;
        return;
    }
    marker.End = -1;  // until its end line comes
    regions.push_back(std::move(marker));
}

// "PT position bpm shape [signature] ...": the signature as numerator +
// 65536 * denominator, 0 when the point does not change it.
void ProjectParser::ReadTempoPoint(std::string_view line)
{
    const LineParts fields = SplitFields(line);
    if (FirstField(line) != "PT")
        return;
    TempoRecord point;
    point.Position = DecimalOr(fields[2], 0);
    point.Bpm = DecimalOr(fields[3], 0);
    point.Shape = static_cast<int>(WholeOr(fields[4], 1));
    std::tie(point.Numerator, point.Denominator) = DecodeTimeSignature(WholeOr(fields[5], 0));
    model_.TempoMap.push_back(point);
}

void ProjectParser::ReadRenderLine(std::string_view keyword, std::string_view line)
{
    ProjectInfo& info = model_.Info;
    const LineParts fields = SplitFields(line);
    if (keyword == "RENDER_FILE") {
        info.RenderFile = std::string(SplitTokens(line)[2]);
    } else if (keyword == "RENDER_PATTERN") {
        info.RenderPattern = std::string(SplitTokens(line)[2]);
    } else if (keyword == "RENDER_FMT") {
        info.RenderChannels = static_cast<int>(WholeOr(fields[3], 0));
        info.RenderSampleRate = static_cast<int>(WholeOr(fields[4], 0));
    } else if (keyword == "RENDER_RANGE") {
        info.RenderBounds = static_cast<int>(WholeOr(fields[2], -1));
        info.RenderStart = DecimalOr(fields[3], 0);
        info.RenderEnd = DecimalOr(fields[4], 0);
    }
}

}  // namespace sondrel
