#pragma once

#include <string>

#include "model/project_model.h"

namespace sondrel {

// The "schemaVersion" the JSON carries. Fields may be added within a version;
// renaming, removing or retyping one raises it (docs/project-json.md).
inline constexpr int ProjectJsonVersion = 1;

// The whole model as indented UTF-8 JSON, laid out as
// docs/project-json.schema.json describes: for programs that want the
// project's facts rather than a document made from a template.
std::string ProjectJson(const ProjectModel& model);

}  // namespace sondrel
