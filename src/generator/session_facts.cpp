#include "generator/session_facts.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace sondrel {

namespace {
TempoMap MakeTempoMap(const ProjectModel& model)
{
    std::vector<TempoPoint> points;
    for (const TempoRecord& record : model.TempoMap)
        points.push_back({record.Position, record.Bpm, record.Shape == 0 ? TempoShape::Linear : TempoShape::Square,
                          record.Numerator, record.Denominator});
    return TempoMap(model.Info.Tempo, model.Info.TimeSigNumerator, model.Info.TimeSigDenominator, std::move(points));
}

void AddOnce(std::vector<int>& tracks, int track)
{
    if (std::find(tracks.begin(), tracks.end(), track) == tracks.end())
        tracks.push_back(track);
}

template <class Visit>
void ForEachItem(const ProjectModel& model, Visit visit)
{
    for (int t = 1; t <= model.Info.TrackCount; ++t)
        for (const ItemRecord& item : model.Track(t).ItemTable)
            visit(t, item);
}
}  // namespace

SessionFacts::SessionFacts(const ProjectModel& model) : model_(model), tempo_(MakeTempoMap(model)) {}

double SessionFacts::ProjectLength() const
{
    double end = 0;
    ForEachItem(model_, [&](int, const ItemRecord& item) { end = std::max(end, item.Start + item.Duration); });
    return end;
}

int SessionFacts::ItemCount() const
{
    int count = 0;
    for (int t = 1; t <= model_.Info.TrackCount; ++t)
        count += model_.Track(t).ItemCount();
    return count;
}

int SessionFacts::FxCount() const
{
    int count = model_.Master.FxCount();
    for (int t = 1; t <= model_.Info.TrackCount; ++t)
        count += model_.Track(t).FxCount();
    ForEachItem(model_, [&](int, const ItemRecord& item) { count += static_cast<int>(item.TakeFx.size()); });
    return count;
}

const std::vector<MediaRecord>& SessionFacts::Media() const
{
    if (media_)
        return *media_;
    media_.emplace();
    std::map<std::string, std::size_t> index;
    ForEachItem(model_, [&](int track, const ItemRecord& item) {
        const TakeRecord* take = item.Active();
        if (take == nullptr || take->File.empty())
            return;
        auto [found, added] = index.try_emplace(take->File, media_->size());
        if (added)
            media_->push_back({take->File, false, 0, {}});
        MediaRecord& media = (*media_)[found->second];
        media.Missing = media.Missing || item.MediaMissing;
        ++media.Uses;
        AddOnce(media.Tracks, track);
    });
    return *media_;
}

int SessionFacts::MissingMediaCount() const
{
    const auto& media = Media();
    return static_cast<int>(std::count_if(media.begin(), media.end(), [](const MediaRecord& m) { return m.Missing; }));
}

const std::vector<PluginRecord>& SessionFacts::Plugins() const
{
    if (plugins_)
        return *plugins_;
    std::map<std::tuple<std::string, std::string, std::string>, PluginRecord> byIdentity;
    const auto add = [&](int track, const std::vector<FxRecord>& chain) {
        for (const FxRecord& fx : chain) {
            PluginIdentity identity = IdentifyPlugin(fx);
            PluginRecord& plugin = byIdentity[{identity.Name, identity.Format, identity.Vendor}];
            plugin.Identity = std::move(identity);
            ++plugin.Count;
            AddOnce(plugin.Tracks, track);
        }
    };
    add(0, model_.Master.FxTable);
    for (int t = 1; t <= model_.Info.TrackCount; ++t)
        add(t, model_.Track(t).FxTable);
    ForEachItem(model_, [&](int track, const ItemRecord& item) { add(track, item.TakeFx); });
    plugins_.emplace();
    for (auto& [key, plugin] : byIdentity) {
        std::sort(plugin.Tracks.begin(), plugin.Tracks.end());
        plugins_->push_back(std::move(plugin));
    }
    return *plugins_;
}

std::string TrackNameFor(const ProjectModel& model, int track)
{
    return track == 0 ? "Master" : model.Track(track).Name;
}

}  // namespace sondrel
