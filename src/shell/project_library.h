#pragma once

#include <string>
#include <vector>

namespace sondrel {

// The project files that a list of paths names: a file as it is (whatever
// its name, so that a wrong one is reported rather than skipped), a folder
// searched through for files ending in ".rpp" in any letter case. REAPER's
// backups (".rpp-bak", and the "Backups" folders of timestamped copies) are
// left out. Each folder's files come in name order; a file named twice is
// taken once.
std::vector<std::string> FindProjects(const std::vector<std::string>& paths);

// One document name per project in outputFolder: the project's name without
// its extension and with extension, "-2", "-3", ... where two would clash.
std::vector<std::string> DocumentPaths(const std::vector<std::string>& projects, const std::string& outputFolder,
                                       const std::string& extension);

}  // namespace sondrel
