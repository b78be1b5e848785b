#include "generator/track_placeholders.h"

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
