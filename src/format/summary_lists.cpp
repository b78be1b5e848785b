#include "format/summary_lists.h"

namespace sondrel {

namespace {

// The track's routing entries of one kind, separated only between the
// entries listed.
std::string RoutingListText(const ProjectModel& model, int track, const Preferences& preferences, RoutingKind kind)
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
        text += "Trk " + std::to_string(entry.OtherTrack) + ":" + model.Track(entry.OtherTrack).Name;
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
    return std::string(ListSeparatorOf(preferences.ListSeparator));
}

std::string FxNamesText(const std::vector<FxRecord>& chain, const Preferences& preferences)
{
    return NameListText(chain, preferences);
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
    return RoutingListText(model, track, preferences, RoutingKind::Send);
}

std::string ReceiveListText(const ProjectModel& model, int track, const Preferences& preferences)
{
    return RoutingListText(model, track, preferences, RoutingKind::Receive);
}

std::string JoinedList(const std::vector<std::string>& texts, const Preferences& preferences)
{
    const std::string separator = ListSeparatorText(preferences);
    std::string text;
    for (std::size_t n = 0; n < texts.size(); ++n)
        text += (n > 0 ? separator : "") + texts[n];
    return text;
}

}  // namespace sondrel
