#include "generator/conditions.h"

namespace sondrel {

namespace {
const Condition kConditions[] = {
    {"-IS-GROUP", [](const TrackRecord& track) { return track.IsGroup; }},
    {"-IN-GROUP", [](const TrackRecord& track) { return track.InGroup; }},
    {"-IS-MUTED", [](const TrackRecord& track) { return track.Mute; }},
};
}  // namespace

std::span<const Condition> Conditions() { return kConditions; }

}  // namespace sondrel
