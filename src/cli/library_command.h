#pragma once

#include <string>
#include <vector>

#include "cli/console_ui.h"
#include "cli/converter_command.h"
#include "shell/document_renderer.h"

namespace sondrel {

struct LibraryRequest {
    std::vector<std::string> Paths;  // projects, and folders to search through
    std::string OutputFolder;
    std::string TemplatePath;
    std::string Extension;                       // of the documents: ".htm", ".pdf", ".json"
    const DocumentRenderer* Renderer = nullptr;  // none: HTML
    unsigned Workers = 1;
};

// Converts every project the paths name into the output folder, Workers at
// a time, then writes the folder's index.htm. A project that fails is
// reported and the others go on. Messages come in the projects' order
// whichever finishes first. Returns the exit status: 1 when any project or
// the index failed, else 3 when any existing file was kept, else 0.
int ConvertLibrary(const LibraryRequest& request, const Preferences& preferences,
                   const ConverterEnvironment& environment, ConverterStreams& streams, OverwritePolicy policy);

}  // namespace sondrel
