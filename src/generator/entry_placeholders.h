#pragma once

#include "generator/placeholder_table.h"

namespace sondrel {

// The placeholders of a track's FX, items, sends and receives, each table in
// replacement order.
PlaceholderTable<FxRecord> FxPlaceholders();
PlaceholderTable<ItemRecord> ItemPlaceholders();
PlaceholderTable<ReceiveRecord> SendPlaceholders();
PlaceholderTable<ReceiveRecord> ReceivePlaceholders();

}  // namespace sondrel
