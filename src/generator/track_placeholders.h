#pragma once

#include <string>

#include "generator/expand_template.h"

namespace sondrel {

// Fills one track copy with the values of track number track: number, name,
// volume, pan, mute, solo, the four summary lists and the group flags, in
// that order. Placeholders inside nested section bodies are filled too, so
// they repeat the track's value in every entry.
void ReplaceTrackPlaceholders(std::string& trackCopy, int track, const GenerationContext& context);

}  // namespace sondrel
