#include "model/project_model.h"

namespace sondrel {

void ProjectModel::Clear()
{
    Info = ProjectInfo{};
    Tracks.assign(1, TrackRecord{});
    Master = TrackRecord{};
    Markers.clear();
    Regions.clear();
    TempoMap.clear();
}

const TrackRecord& ProjectModel::Track(int number) const
{
    static const TrackRecord none;
    if (number < 0 || number >= static_cast<int>(Tracks.size()))
        return none;
    return Tracks[static_cast<std::size_t>(number)];
}

TrackRecord& ProjectModel::SlotForWriting(int number)
{
    if (number >= static_cast<int>(Tracks.size()))
        Tracks.resize(static_cast<std::size_t>(number) + 1);
    return Tracks[static_cast<std::size_t>(number)];
}

}  // namespace sondrel
