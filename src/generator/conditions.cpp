#include "generator/conditions.h"

namespace sondrel {

namespace {
const Condition kConditions[] = {
    {"-IS-GROUP", [](const TrackRecord& track) { return track.IsGroup; }},
    {"-IN-GROUP", [](const TrackRecord& track) { return track.InGroup; }},
    {"-IS-MUTED", [](const TrackRecord& track) { return track.Mute; }},
    {"-IS-SOLOED", [](const TrackRecord& track) { return track.Solo; }},
    {"-IS-ARMED", [](const TrackRecord& track) { return track.Armed; }},
    {"-IS-FROZEN", [](const TrackRecord& track) { return track.Frozen; }},
    {"-IS-LOCKED", [](const TrackRecord& track) { return track.Locked; }},
    {"-IS-NESTED", [](const TrackRecord& track) { return track.Depth >= 2; }},
    {"-HAS-ITEMS", [](const TrackRecord& track) { return !track.ItemTable.empty(); }},
    {"-HAS-FX", [](const TrackRecord& track) { return !track.FxTable.empty(); }},
    {"-HAS-ROUTING", [](const TrackRecord& track) {
         return !track.ReceiveTable.empty() || !track.HardwareOutputs.empty() || !track.MainSend; }},
};
}  // namespace

std::span<const Condition> Conditions() { return kConditions; }

}  // namespace sondrel
