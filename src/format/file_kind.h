#pragma once

#include <string>

namespace sondrel {

// Throws FileError when something other than an ordinary file stands at path
// (a folder, a pipe, a device, a socket): reading one could block for ever or
// never end. A path where nothing exists passes, so that opening it reports
// that in its own words. Symbolic links are followed.
void RequireOrdinaryFile(const std::string& path);

// True when both paths name one existing file, however they are spelled:
// "./", "..", symbolic links and hard links all lead to the same file.
bool SameFile(const std::string& first, const std::string& second);

}  // namespace sondrel
