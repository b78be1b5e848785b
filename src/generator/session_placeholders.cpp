#include "generator/session_placeholders.h"

#include "format/session_values.h"
#include "format/summary_lists.h"
#include "format/value_format.h"

namespace sondrel {

namespace {
using Marker = Entry<MarkerRecord>;
using Tempo = Entry<TempoRecord>;
using Media = Entry<MediaRecord>;
using Plugin = Entry<PluginRecord>;

std::string Time(double seconds, const auto& entry) { return FormatPreciseTime(seconds, entry.Context.UserLocale); }
std::string Bar(double seconds, const auto& entry) { return entry.Context.Facts->Tempo().BarText(seconds); }
std::string Color(const Marker& m) { return FormatColor(m.Of.Color, m.Context.Model.Info.ReaperVersion); }
std::string Id(const Marker& m) { return std::to_string(m.Of.Id); }
std::string Name(const Marker& m) { return m.Of.Name; }

// A region whose end line never came has no end and no length.
std::string RegionEnd(const Marker& r) { return r.Of.End < r.Of.Start ? "" : Time(r.Of.End, r); }
std::string RegionLength(const Marker& r) { return r.Of.End < r.Of.Start ? "" : Time(r.Of.End - r.Of.Start, r); }

std::string TempoSignature(const Tempo& t)
{
    return t.Of.Numerator > 0 ? std::to_string(t.Of.Numerator) + "/" + std::to_string(t.Of.Denominator) : "";
}

std::string TrackNames(const std::vector<int>& tracks, const auto& entry)
{
    std::vector<std::string> names;
    for (const int track : tracks)
        names.push_back(TrackNameFor(entry.Context.Model, track));
    return JoinedList(names, entry.Context.Prefs);
}

const Placeholder<MarkerRecord> kMarkerPlaceholders[] = {
    {"##MARKER-NUM##", EntryNumber},
    {"##MARKER-ID##", Id},
    {"##MARKER-NAME##", Name},
    {"##MARKER-POS##", [](const Marker& m) { return Time(m.Of.Start, m); }},
    {"##MARKER-BAR##", [](const Marker& m) { return Bar(m.Of.Start, m); }},
    {"##MARKER-COLOR##", Color},
};

const Placeholder<MarkerRecord> kRegionPlaceholders[] = {
    {"##REGION-NUM##", EntryNumber},
    {"##REGION-ID##", Id},
    {"##REGION-NAME##", Name},
    {"##REGION-START##", [](const Marker& r) { return Time(r.Of.Start, r); }},
    {"##REGION-END##", RegionEnd},
    {"##REGION-LEN##", RegionLength},
    {"##REGION-BAR##", [](const Marker& r) { return Bar(r.Of.Start, r); }},
    {"##REGION-COLOR##", Color},
};

const Placeholder<TempoRecord> kTempoPlaceholders[] = {
    {"##TEMPO-NUM##", EntryNumber},
    {"##TEMPO-POS##", [](const Tempo& t) { return Time(t.Of.Position, t); }},
    {"##TEMPO-BAR##", [](const Tempo& t) { return Bar(t.Of.Position, t); }},
    {"##TEMPO-BPM##", [](const Tempo& t) { return FormatDecimal(t.Of.Bpm, 3, t.Context.UserLocale); }},
    {"##TEMPO-SIG##", TempoSignature},
    {"##TEMPO-SHAPE##", [](const Tempo& t) { return std::string(t.Of.Shape == 0 ? "Linear" : "Square"); }},
};

const Placeholder<MediaRecord> kMediaPlaceholders[] = {
    {"##MEDIA-NUM##", EntryNumber},
    {"##MEDIA-FILE##", [](const Media& m) { return m.Of.File; }},
    {"##MEDIA-STATUS##", [](const Media& m) { return TextIfSet(m.Of.Missing, "Missing"); }},
    {"##MEDIA-USES##", [](const Media& m) { return std::to_string(m.Of.Uses); }},
    {"##MEDIA-TRACKS##", [](const Media& m) { return TrackNames(m.Of.Tracks, m); }, KeptMarkup::ListSeparator},
};

const Placeholder<PluginRecord> kPluginPlaceholders[] = {
    {"##PLUGIN-NUM##", EntryNumber},
    {"##PLUGIN-NAME##", [](const Plugin& p) { return p.Of.Identity.Name; }},
    {"##PLUGIN-FORMAT##", [](const Plugin& p) { return p.Of.Identity.Format; }},
    {"##PLUGIN-VENDOR##", [](const Plugin& p) { return p.Of.Identity.Vendor; }},
    {"##PLUGIN-COUNT##", [](const Plugin& p) { return std::to_string(p.Of.Count); }},
    {"##PLUGIN-TRACKS##", [](const Plugin& p) { return TrackNames(p.Of.Tracks, p); }, KeptMarkup::ListSeparator},
};
}  // namespace

PlaceholderTable<MarkerRecord> MarkerPlaceholders() { return kMarkerPlaceholders; }
PlaceholderTable<MarkerRecord> RegionPlaceholders() { return kRegionPlaceholders; }
PlaceholderTable<TempoRecord> TempoPlaceholders() { return kTempoPlaceholders; }
PlaceholderTable<MediaRecord> MediaPlaceholders() { return kMediaPlaceholders; }
PlaceholderTable<PluginRecord> PluginPlaceholders() { return kPluginPlaceholders; }

}  // namespace sondrel
