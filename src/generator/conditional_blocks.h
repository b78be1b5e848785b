#pragma once

#include <string>

#include "model/project_model.h"

namespace sondrel {

// Resolves the conditional blocks "(#IF" name then "##ELSE" else "##END-IF#)"
// of one track copy against track number track, left to right. Each round
// pairs the first "(#IF" with the first "##ELSE" and the first "##END-IF#)" of
// the whole copy, so blocks do not nest. A block that cannot be resolved stays
// as written, "##Invalid If-Then-Else format## " is appended once and the
// blocks after it are left alone. Markers and names are matched exactly.
void ExpandConditionals(std::string& trackCopy, int track, const ProjectModel& model);

}  // namespace sondrel
