#pragma once

#include <string>

namespace sondrel {

// The folder that holds the running program, with the platform's separators
// and no trailing one ("" for the root folder, so that appending a separator
// and a name gives the right path). Needs a QCoreApplication.
std::string ApplicationDirectory();

// The default template installed beside the program.
std::string InstalledDefaultTemplatePath();

}  // namespace sondrel
