#pragma once

#include <span>
#include <string_view>

#include "model/project_model.h"

namespace sondrel {

// A condition of the "(#IF" blocks: the name written right after "(#IF",
// matched exactly, and when it holds for a track. No name is the start of
// another, so a block's name is found without a delimiter.
struct Condition {
    std::string_view Name;
    bool (*Holds)(const TrackRecord&);
};

std::span<const Condition> Conditions();

}  // namespace sondrel
