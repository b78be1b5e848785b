// The model for other programs to read: each fact the reader keeps, in units
// that need no knowledge of REAPER's files (seconds, linear gain, names for
// codes), with the few facts the documents derive from them beside it.
#include "cli/project_json.h"

#include <charconv>
#include <initializer_list>
#include <utility>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "format/plugin_names.h"
#include "format/session_values.h"
#include "generator/session_facts.h"

namespace sondrel {

namespace {

using Names = std::initializer_list<std::pair<int, const char*>>;

// REAPER's envelope shapes; the tempo map uses the same numbers.
const Names kTempoShapes = {{0, "linear"},    {1, "square"},  {2, "slowStartEnd"},
                            {3, "fastStart"}, {4, "fastEnd"}, {5, "bezier"}};
const Names kRoutingModes = {{0, "postFader"}, {1, "preFx"}, {3, "preFader"}};
const Names kRenderBounds = {{0, "custom"}, {1, "entireProject"}, {2, "timeSelection"},
                             {3, "regions"}, {4, "selectedItems"}, {5, "selectedRegions"}};

QString Text(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// A float widened as it is prints its binary noise, 0.8456203043460846 for
// the file's 0.84562030440553; the shortest decimal that reads back as the
// same float is what the model really knows.
double Shortest(float value)
{
    char text[32];
    const char* end = std::to_chars(text, text + sizeof text, value).ptr;
    double widened = 0;
    std::from_chars(text, end, widened);
    return widened;
}

// A code this version has no name for stays a number: dropping it, or calling
// it "other", would lose what the file said.
QJsonValue Named(int code, Names names)
{
    for (const auto& [known, name] : names)
        if (code == known)
            return QString::fromLatin1(name);
    return code;
}

QJsonValue Color(std::uint32_t stored, const ProjectModel& model)
{
    const std::string rgb = FormatColor(stored, model.Info.ReaperVersion);
    return rgb.empty() ? QJsonValue() : QJsonValue(Text(rgb));
}

QJsonValue Signature(int numerator, int denominator)
{
    if (numerator == 0 && denominator == 0)
        return {};
    return QJsonObject{{"numerator", numerator}, {"denominator", denominator}};
}

template <class Record, class ToJson>
QJsonArray ListOf(const std::vector<Record>& records, ToJson toJson)
{
    QJsonArray list;
    for (const Record& record : records)
        list.append(toJson(record));
    return list;
}

QJsonObject FxJson(const FxRecord& fx)
{
    const PluginIdentity plugin = IdentifyPlugin(fx);
    return {{"type", Text(fx.FxType)},
            {"name", Text(fx.Name)},
            {"pluginFile", Text(fx.Dll)},
            {"label", Text(fx.Label)},
            {"preset", Text(fx.Preset)},
            {"bypassed", fx.Bypassed},
            {"offline", fx.Offline},
            {"chainOff", fx.ChainOff},
            {"wet", Shortest(fx.Wet)},
            {"container", Text(fx.Container)},
            {"input", fx.Input},
            {"plugin", QJsonObject{{"format", Text(plugin.Format)},
                                   {"name", Text(plugin.Name)},
                                   {"vendor", Text(plugin.Vendor)}}}};
}

QJsonArray FxList(const std::vector<FxRecord>& chain)
{
    return ListOf(chain, FxJson);
}

QJsonObject TakeJson(const TakeRecord& take)
{
    return {{"name", Text(take.Name)}, {"sourceType", Text(take.SourceType)}, {"file", Text(take.File)}};
}

// Position and Length are the float copies of Start and Duration, so only
// the full-precision pair is written.
QJsonObject ItemJson(const ItemRecord& item, const ProjectModel& model)
{
    return {{"position", item.Start},
            {"length", item.Duration},
            {"name", Text(item.Name)},
            {"volume", Shortest(item.Volume)},
            {"pan", Shortest(item.Pan)},
            {"mute", item.Mute},
            {"locked", item.Locked},
            {"group", item.Group},
            {"fadeIn", item.FadeIn},
            {"fadeOut", item.FadeOut},
            {"playRate", item.PlayRate},
            {"color", Color(item.Color, model)},
            {"colorCode", static_cast<qint64>(item.Color)},
            {"notes", Text(item.Notes)},
            {"activeTake", item.ActiveTake},
            {"mediaMissing", item.MediaMissing},
            {"takes", ListOf(item.Takes, TakeJson)},
            {"takeFx", FxList(item.TakeFx)}};
}

QJsonObject RoutingJson(const ReceiveRecord& routing)
{
    return {{"kind", routing.Kind == RoutingKind::Send ? "send" : "receive"},
            {"otherTrack", routing.OtherTrack},
            {"volume", Shortest(routing.Volume)},
            {"pan", Shortest(routing.Pan)},
            {"mute", routing.Mute},
            {"mode", Named(routing.Mode, kRoutingModes)},
            {"sourceChannels", routing.SourceChannels},
            {"sourceChannelsText", Text(ChannelText(routing.SourceChannels))},
            {"destinationChannels", routing.DestChannels},
            {"destinationChannelsText", Text(ChannelText(routing.DestChannels))},
            {"midiFlags", routing.MidiFlags},
            {"midiText", Text(MidiRoutingText(routing.MidiFlags))}};
}

QJsonObject HardwareOutputJson(const HardwareOutput& output)
{
    return {{"channels", output.Channels},
            {"channelsText", Text(ChannelText(output.Channels))},
            {"mode", Named(output.Mode, kRoutingModes)}};
}

QJsonObject TrackJson(const TrackRecord& track, int number, const ProjectModel& model)
{
    const auto item = [&](const ItemRecord& record) { return ItemJson(record, model); };
    return {{"number", number},
            {"name", Text(track.Name)},
            {"volume", Shortest(track.Volume)},
            {"pan", Shortest(track.Pan)},
            {"mute", track.Mute},
            {"solo", track.Solo},
            {"opensFolder", track.IsGroup},
            {"inFolder", track.InGroup},
            {"folderDepth", track.Depth},
            {"color", Color(track.Color, model)},
            {"colorCode", static_cast<qint64>(track.Color)},
            {"mainSend", track.MainSend},
            {"armed", track.Armed},
            {"recordInput", track.RecordInput},
            {"recordInputText", Text(RecordInputText(track.RecordInput))},
            {"fxChainOn", track.FxChainOn},
            {"frozen", track.Frozen},
            {"locked", track.Locked},
            {"channels", track.Channels},
            {"envelopes", ListOf(track.Envelopes, Text)},
            {"hardwareOutputs", ListOf(track.HardwareOutputs, HardwareOutputJson)},
            {"fx", FxList(track.FxTable)},
            {"items", ListOf(track.ItemTable, item)},
            {"routing", ListOf(track.ReceiveTable, RoutingJson)}};
}

// The reader fills only these fields of the master; the rest of its record
// keeps a new track's defaults and would say nothing.
QJsonObject MasterJson(const TrackRecord& master)
{
    return {{"volume", Shortest(master.Volume)}, {"pan", Shortest(master.Pan)}, {"mute", master.Mute},
            {"solo", master.Solo},               {"channels", master.Channels}, {"fxChainOn", master.FxChainOn},
            {"fx", FxList(master.FxTable)}};
}

QJsonObject RenderJson(const ProjectInfo& info)
{
    return {{"file", Text(info.RenderFile)},
            {"pattern", Text(info.RenderPattern)},
            {"bounds", info.RenderBounds == -1 ? QJsonValue() : Named(info.RenderBounds, kRenderBounds)},
            {"start", info.RenderStart},
            {"end", info.RenderEnd},
            {"channels", info.RenderChannels},
            {"sampleRate", info.RenderSampleRate}};
}

QJsonObject HeaderJson(const ProjectModel& model)
{
    const ProjectInfo& info = model.Info;
    return {{"sourcePath", Text(info.SourcePath)},
            {"formatVersion", Text(info.VersionText)},
            {"reaperVersion", Text(info.ReaperVersion)},
            {"savedAt", info.SavedAt == 0 ? QJsonValue() : QJsonValue(static_cast<qint64>(info.SavedAt))},
            {"recordPath", Text(info.RecordPath)},
            {"notes", Text(info.Notes)},
            {"sampleRate", Text(info.SampleRateText)},
            {"tempo", Shortest(info.Tempo)},
            {"timeSignature", Signature(info.TimeSigNumerator, info.TimeSigDenominator)},
            {"length", SessionFacts(model).ProjectLength()},
            {"render", RenderJson(info)}};
}

QJsonObject MarkerJson(const MarkerRecord& marker, const ProjectModel& model)
{
    return {{"id", marker.Id},
            {"position", marker.Start},
            {"name", Text(marker.Name)},
            {"color", Color(marker.Color, model)},
            {"colorCode", static_cast<qint64>(marker.Color)}};
}

// A region whose end line never came has no end; the reader marks it by an
// end before its start.
QJsonObject RegionJson(const MarkerRecord& region, const ProjectModel& model)
{
    return {{"id", region.Id},
            {"start", region.Start},
            {"end", region.End < region.Start ? QJsonValue() : QJsonValue(region.End)},
            {"name", Text(region.Name)},
            {"color", Color(region.Color, model)},
            {"colorCode", static_cast<qint64>(region.Color)}};
}

QJsonObject TempoJson(const TempoRecord& point)
{
    return {{"position", point.Position},
            {"bpm", point.Bpm},
            {"shape", Named(point.Shape, kTempoShapes)},
            {"timeSignature", Signature(point.Numerator, point.Denominator)}};
}

// Slot 0 and the slots above TrackCount are no tracks of the file: they only
// hold mirrors of receives that name a missing track, which those receives
// already tell.
QJsonArray TracksJson(const ProjectModel& model)
{
    QJsonArray tracks;
    for (int number = 1; number <= model.Info.TrackCount; ++number)
        tracks.append(TrackJson(model.Track(number), number, model));
    return tracks;
}

}  // namespace

std::string ProjectJson(const ProjectModel& model)
{
    const auto marker = [&](const MarkerRecord& record) { return MarkerJson(record, model); };
    const auto region = [&](const MarkerRecord& record) { return RegionJson(record, model); };
    const QJsonObject root{{"schema", "sondrel-project"},
                           {"schemaVersion", ProjectJsonVersion},
                           {"generator", "Sondrel " SONDREL_VERSION},
                           {"project", HeaderJson(model)},
                           {"markers", ListOf(model.Markers, marker)},
                           {"regions", ListOf(model.Regions, region)},
                           {"tempoMap", ListOf(model.TempoMap, TempoJson)},
                           {"master", MasterJson(model.Master)},
                           {"tracks", TracksJson(model)}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented).toStdString();
}

}  // namespace sondrel
