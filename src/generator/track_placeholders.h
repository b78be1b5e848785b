#pragma once

#include <string>

#include "generator/placeholder_table.h"

namespace sondrel {

// A track's placeholders, in replacement order.
PlaceholderTable<TrackRecord> TrackPlaceholders();

// Fills one track copy with the values of track number track. Placeholders
// inside nested section bodies are filled too, so they repeat the track's
// value in every entry.
void ReplaceTrackPlaceholders(std::string& trackCopy, int track, const GenerationContext& context);

}  // namespace sondrel
