#pragma once

#include "generator/placeholder_table.h"
#include "generator/session_facts.h"

namespace sondrel {

// The placeholders of the project's own sections, each in replacement order.
PlaceholderTable<MarkerRecord> MarkerPlaceholders();
PlaceholderTable<MarkerRecord> RegionPlaceholders();
PlaceholderTable<TempoRecord> TempoPlaceholders();
PlaceholderTable<MediaRecord> MediaPlaceholders();
PlaceholderTable<PluginRecord> PluginPlaceholders();

}  // namespace sondrel
