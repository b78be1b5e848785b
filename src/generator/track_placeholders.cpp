#include "generator/track_placeholders.h"

#include "format/session_values.h"
#include "format/summary_lists.h"
#include "format/value_format.h"

namespace sondrel {

namespace {
using Track = Entry<TrackRecord>;

template <std::string (*List)(const ProjectModel&, int, const Preferences&)>
std::string ListOf(const Track& t)
{
    return List(t.Context.Model, t.Number, t.Context.Prefs);
}

std::string HardwareOutputs(const Track& t)
{
    std::vector<std::string> outputs;
    for (const HardwareOutput& output : t.Of.HardwareOutputs)
        outputs.push_back("Out " + ChannelText(output.Channels));
    return JoinedList(outputs, t.Context.Prefs);
}

const Placeholder<TrackRecord> kTrackPlaceholders[] = {
    {"##TRACK-NUM##", [](const Track& t) { return std::to_string(t.Number); }},
    {"##TRACK-NAME##", [](const Track& t) { return t.Of.Name; }},
    {"##VOLUME##", [](const Track& t) { return FormatVolumeDb(t.Of.Volume, t.Context.UserLocale); }},
    {"##PAN##", [](const Track& t) { return FormatPan(t.Of.Pan); }},
    {"##MUTE##", [](const Track& t) { return TextIfSet(t.Of.Mute, "Mute"); }},
    {"##SOLO##", [](const Track& t) { return TextIfSet(t.Of.Solo, "Solo"); }},
    {"##FX-LIST##", ListOf<FxListText>, KeptMarkup::ListSeparator},
    {"##ITEM-LIST##", ListOf<ItemListText>, KeptMarkup::ListSeparator},
    {"##SEND-LIST##", ListOf<SendListText>, KeptMarkup::ListSeparator},
    {"##RCV-LIST##", ListOf<ReceiveListText>, KeptMarkup::ListSeparator},
    {"##IS-GROUP##", [](const Track& t) { return TextIfSet(t.Of.IsGroup, "Is Group"); }},
    {"##IN-GROUP##", [](const Track& t) { return TextIfSet(t.Of.InGroup, "In Group"); }},
    {"##TRACK-COLOR##", [](const Track& t) { return FormatColor(t.Of.Color, t.Context.Model.Info.ReaperVersion); }},
    {"##TRACK-DEPTH##", [](const Track& t) { return std::to_string(t.Of.Depth); }},
    {"##TRACK-PARENT-SEND##", [](const Track& t) { return TextIfClear(t.Of.MainSend, "Off"); }},
    {"##TRACK-ARMED##", [](const Track& t) { return TextIfSet(t.Of.Armed, "Armed"); }},
    {"##TRACK-INPUT##", [](const Track& t) { return RecordInputText(t.Of.RecordInput); }},
    {"##TRACK-HWOUT-LIST##", HardwareOutputs, KeptMarkup::ListSeparator},
    {"##TRACK-FX-CHAIN##", [](const Track& t) { return TextIfClear(t.Of.FxChainOn, "Off"); }},
    {"##TRACK-ENVELOPES##", [](const Track& t) { return JoinedList(t.Of.Envelopes, t.Context.Prefs); },
     KeptMarkup::ListSeparator},
    {"##TRACK-FROZEN##", [](const Track& t) { return TextIfSet(t.Of.Frozen, "Frozen"); }},
    {"##TRACK-LOCKED##", [](const Track& t) { return TextIfSet(t.Of.Locked, "Locked"); }},
    {"##TRACK-CHANNELS##", [](const Track& t) { return std::to_string(t.Of.Channels); }},
};
}  // namespace

PlaceholderTable<TrackRecord> TrackPlaceholders() { return kTrackPlaceholders; }

void ReplaceTrackPlaceholders(std::string& trackCopy, int track, const GenerationContext& context)
{
    std::string filled;
    filled.reserve(trackCopy.size());
    TableFiller<TrackRecord>(trackCopy, TrackPlaceholders()).Append(filled, {context, track, context.Model.Track(track)});
    trackCopy = std::move(filled);
}

}  // namespace sondrel
