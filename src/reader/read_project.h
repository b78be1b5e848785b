#pragma once

#include <string>
#include <string_view>

#include "model/project_model.h"

namespace sondrel {

// Clears the model and fills it from the REAPER project file at path, which
// is kept verbatim in SourcePath. Streams the file: memory holds the model and
// the longest line, never the whole file. Throws FileError naming the path,
// the line and the reason; the model then holds what was read up to there.
void ReadProject(ProjectModel& model, const std::string& path);

// The same for a project already in memory; path only names it in messages.
void ReadProjectText(ProjectModel& model, std::string_view text, const std::string& path);

}  // namespace sondrel
