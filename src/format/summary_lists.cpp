#include "format/summary_lists.h"

#include <charconv>

namespace sondrel {

namespace {

// The track a routing entry names; an unreadable number names no track,
// whose empty name leaves the entry ending in ":".
const TrackRecord& OtherTrack(const ProjectModel& model, const std::string& trackNumText)
{
    int number = -1;
    const char* end = trackNumText.data() + trackNumText.size();
    const auto result = std::from_chars(trackNumText.data(), end, number);
    if (result.ec != std::errc() || result.ptr != end)
        number = -1;
    return model.Track(number);
}

// The track's routing entries of one kind ("S" or "R"), separated only
// between the entries listed.
std::string RoutingListText(const ProjectModel& model, int track, const Preferences& preferences, const char* kind)
{
    const std::string separator = ListSeparatorText(preferences);
    std::string text;
    bool first = true;
    for (const ReceiveRecord& entry : model.Track(track).ReceiveTable) {
        if (entry.Kind != kind)
            continue;
        if (!first)
            text += separator;
        first = false;
        text += "Trk " + entry.TrackNumText + ":" + OtherTrack(model, entry.TrackNumText).Name;
    }
    return text;
}

template <typename Record>
std::string NameListText(const std::vector<Record>& records, const Preferences& preferences)
{
    const std::string separator = ListSeparatorText(preferences);
    std::string text;
    for (std::size_t n = 0; n < records.size(); ++n) {
        if (n > 0)
            text += separator;
        text += records[n].Name;
    }
    return text;
}

}  // namespace

std::string ListSeparatorText(const Preferences& preferences)
{
    const std::string& choice = preferences.ListSeparator;
    if (choice == "<BR>")
        return "<BR>";
    if (choice == "Space")
        return " ";
    if (choice == "Tab")
        return "\t";
    if (choice == "Comma")
        return ",";
    return ", ";
}

std::string FxListText(const ProjectModel& model, int track, const Preferences& preferences)
{
    return NameListText(model.Track(track).FxTable, preferences);
}

std::string ItemListText(const ProjectModel& model, int track, const Preferences& preferences)
{
    return NameListText(model.Track(track).ItemTable, preferences);
}

std::string SendListText(const ProjectModel& model, int track, const Preferences& preferences)
{
    return RoutingListText(model, track, preferences, "S");
}

std::string ReceiveListText(const ProjectModel& model, int track, const Preferences& preferences)
{
    return RoutingListText(model, track, preferences, "R");
}

}  // namespace sondrel
