#include "generator/entry_placeholders.h"

#include "format/plugin_names.h"
#include "format/session_values.h"
#include "format/summary_lists.h"
#include "format/value_format.h"
#include "generator/session_facts.h"

namespace sondrel {

namespace {
using Fx = Entry<FxRecord>;
using Item = Entry<ItemRecord>;
using Routing = Entry<ReceiveRecord>;


const Locale& LocaleOf(const auto& entry) { return entry.Context.UserLocale; }
const std::string& SavedBy(const auto& entry) { return entry.Context.Model.Info.ReaperVersion; }
std::string Time(double seconds, const auto& entry) { return FormatPreciseTime(seconds, LocaleOf(entry)); }
std::string Bar(double seconds, const auto& entry) { return entry.Context.Facts->Tempo().BarText(seconds); }

// The first state that applies: the chain switched off, the FX offline, bypassed.
std::string FxState(const Fx& fx)
{
    if (fx.Of.ChainOff)
        return "Chain off";
    if (fx.Of.Offline)
        return "Offline";
    return fx.Of.Bypassed ? "Bypassed" : "Active";
}

std::string TakeNames(const Item& item)
{
    std::vector<std::string> names;
    for (const TakeRecord& take : item.Of.Takes)
        names.push_back(take.SourceType.empty() && take.Name.empty() ? "(empty)" : take.Name);
    return JoinedList(names, item.Context.Prefs);
}

// The active take's source kind; a subproject and an empty take in words.
std::string SourceKind(const Item& item)
{
    const TakeRecord* take = item.Of.Active();
    if (take == nullptr || take->SourceType.empty())
        return "empty";
    return take->SourceType == "RPP_PROJECT" ? "subproject" : take->SourceType;
}

std::string ItemNotes(const Item& item)
{
    std::string shown = item.Of.Notes;
    std::erase(shown, '|');
    return shown;
}

const Placeholder<FxRecord> kFxPlaceholders[] = {
    {"##FX-NUM##", EntryNumber},
    {"##FX-NAME##", [](const Fx& fx) { return fx.Of.Name; }},
    {"##FX-DLL##", [](const Fx& fx) { return fx.Of.Dll; }},
    {"##FX-TYPE##", [](const Fx& fx) { return fx.Of.FxType; }},
    {"##FX-ACTIVE##", [](const Fx& fx) { return TextIfClear(fx.Of.Bypassed, "Active"); }},
    {"##FX-STATE##", FxState},
    {"##FX-PRESET##", [](const Fx& fx) { return fx.Of.Preset; }},
    {"##FX-FORMAT##", [](const Fx& fx) { return IdentifyPlugin(fx.Of).Format; }},
    {"##FX-PLUGIN##", [](const Fx& fx) { return IdentifyPlugin(fx.Of).Name; }},
    {"##FX-VENDOR##", [](const Fx& fx) { return IdentifyPlugin(fx.Of).Vendor; }},
    {"##FX-LABEL##", [](const Fx& fx) { return fx.Of.Label; }},
    {"##FX-WET##", [](const Fx& fx) { return FormatDecimal(fx.Of.Wet * 100.0, 1, LocaleOf(fx)) + "%"; }},
    {"##FX-CONTAINER##", [](const Fx& fx) { return fx.Of.Container; }},
};

const Placeholder<ItemRecord> kItemPlaceholders[] = {
    {"##ITEM-NUM##", EntryNumber},
    {"##ITEM-NAME##", [](const Item& item) { return item.Of.Name; }},
    {"##ITEM-POS##", [](const Item& item) { return FormatSeconds(item.Of.Position, item.Context.UserLocale); }},
    {"##ITEM-LEN##", [](const Item& item) { return FormatSeconds(item.Of.Length, item.Context.UserLocale); }},
    {"##ITEM-GROUP##", [](const Item& item) { return std::to_string(item.Of.Group); }},
    {"##ITEM-MUTE##", [](const Item& item) { return TextIfSet(item.Of.Mute, "Mute"); }},
    {"##ITEM-VOLUME##", [](const Item& item) { return FormatVolumeDb(item.Of.Volume, item.Context.UserLocale); }},
    {"##ITEM-PAN##", [](const Item& item) { return FormatPan(item.Of.Pan); }},
    {"##ITEM-START##", [](const Item& item) { return Time(item.Of.Start, item); }},
    {"##ITEM-END##", [](const Item& item) { return Time(item.Of.Start + item.Of.Duration, item); }},
    {"##ITEM-BAR##", [](const Item& item) { return Bar(item.Of.Start, item); }},
    {"##ITEM-FILE##", [](const Item& item) { return item.Of.Active() ? item.Of.Active()->File : ""; }},
    {"##ITEM-SOURCE##", SourceKind},
    {"##ITEM-MEDIA##", [](const Item& item) { return TextIfSet(item.Of.MediaMissing, "Missing"); }},
    {"##ITEM-TAKES##", TakeNames, KeptMarkup::ListSeparator},
    {"##ITEM-RATE##", [](const Item& item) { return FormatDecimal(item.Of.PlayRate, 4, LocaleOf(item)); }},
    {"##ITEM-FADE-IN##", [](const Item& item) { return Time(item.Of.FadeIn, item); }},
    {"##ITEM-FADE-OUT##", [](const Item& item) { return Time(item.Of.FadeOut, item); }},
    {"##ITEM-NOTES##", ItemNotes, KeptMarkup::LineBreaks},
    {"##ITEM-COLOR##", [](const Item& item) { return FormatColor(item.Of.Color, SavedBy(item)); }},
    {"##ITEM-LOCKED##", [](const Item& item) { return TextIfSet(item.Of.Locked, "Locked"); }},
    {"##ITEM-FX-LIST##", [](const Item& item) { return FxNamesText(item.Of.TakeFx, item.Context.Prefs); },
     KeptMarkup::ListSeparator},
};

// Sends and receives share their values; only the names' prefix differs.
std::string OtherTrackNumber(const Routing& r) { return std::to_string(r.Of.OtherTrack); }
std::string OtherTrackName(const Routing& r) { return r.Context.Model.Track(r.Of.OtherTrack).Name; }
std::string RoutingMute(const Routing& r) { return TextIfSet(r.Of.Mute, "Mute"); }
std::string RoutingVolume(const Routing& r) { return FormatVolumeDb(r.Of.Volume, r.Context.UserLocale); }
std::string RoutingPan(const Routing& r) { return FormatPan(r.Of.Pan); }
std::string RoutingMode(const Routing& r) { return RoutingModeText(r.Of.Mode); }
std::string RoutingMidi(const Routing& r) { return MidiRoutingText(r.Of.MidiFlags); }
std::string RoutingChannels(const Routing& r)
{
    const std::string source = ChannelText(r.Of.SourceChannels);
    return source.empty() ? "" : source + " \u2192 " + ChannelText(r.Of.DestChannels);
}

const Placeholder<ReceiveRecord> kSendPlaceholders[] = {
    {"##SEND-NUM##", EntryNumber},
    {"##SEND-TRACK-NUM##", OtherTrackNumber},
    {"##SEND-TRACK-NAME##", OtherTrackName},
    {"##SEND-MUTE##", RoutingMute},
    {"##SEND-VOLUME##", RoutingVolume},
    {"##SEND-PAN##", RoutingPan},
    {"##SEND-MODE##", RoutingMode},
    {"##SEND-CHANNELS##", RoutingChannels},
    {"##SEND-MIDI##", RoutingMidi},
};

const Placeholder<ReceiveRecord> kReceivePlaceholders[] = {
    {"##RCV-NUM##", EntryNumber},
    {"##RCV-TRACK-NUM##", OtherTrackNumber},
    {"##RCV-TRACK-NAME##", OtherTrackName},
    {"##RCV-MUTE##", RoutingMute},
    {"##RCV-VOLUME##", RoutingVolume},
    {"##RCV-PAN##", RoutingPan},
    {"##RCV-MODE##", RoutingMode},
    {"##RCV-CHANNELS##", RoutingChannels},
    {"##RCV-MIDI##", RoutingMidi},
};
}  // namespace

PlaceholderTable<FxRecord> FxPlaceholders() { return kFxPlaceholders; }
PlaceholderTable<ItemRecord> ItemPlaceholders() { return kItemPlaceholders; }
PlaceholderTable<ReceiveRecord> SendPlaceholders() { return kSendPlaceholders; }
PlaceholderTable<ReceiveRecord> ReceivePlaceholders() { return kReceivePlaceholders; }

}  // namespace sondrel
