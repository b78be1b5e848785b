#pragma once

#include <string>

#include "generator/expand_template.h"

namespace sondrel {

// The four sections a track copy can repeat per entry of the track.
enum class NestedSectionKind { Fx, Item, Send, Receive };

// Expands the first section of the kind in the track copy, markers found in
// any letter case: the body between its markers is repeated once per FX,
// item, send or receive of track number track with that entry's values, and
// the markers vanish. Without a start marker nothing changes; without an end
// marker after it the start marker is dropped and nothing is repeated.
void ExpandNestedSection(std::string& trackCopy, int track, NestedSectionKind kind,
                         const GenerationContext& context);

}  // namespace sondrel
