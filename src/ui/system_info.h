#pragma once

#include <QString>

namespace sondrel {

// The operating system's system-information program: on Windows the one the
// registry names (MSINFO, see shell/system_info_lookup.h), elsewhere the first
// of a few well-known tools found on the PATH. Empty when there is none.
QString FindSystemInfoProgram();

// Starts the program detached; false when there is none or it fails to start.
bool StartSystemInfoProgram();

}  // namespace sondrel
