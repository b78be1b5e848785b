#pragma once

#include "model/project_model.h"

namespace sondrel {

// Marks each item whose active take's file cannot be found. A file is found
// as written (a whole path, or relative to the project's folder), or by its
// name alone in the project's folder or its recording folder, as REAPER
// looks for moved media. Only local paths are looked at: a network path
// (\\server\share, //server/share) is never touched, and counts as found.
void MarkMissingMedia(ProjectModel& model);

}  // namespace sondrel
