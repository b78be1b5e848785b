#pragma once

#include <string>

#include "model/project_model.h"

namespace sondrel {

// Turns a conversion's result into the bytes of the output file when the
// output is not the HTML document itself: a PDF printed from it, or the
// project's model as data. Failures are thrown as FileError.
class DocumentRenderer {
public:
    virtual ~DocumentRenderer() = default;
    // Whether Render needs the expanded template; when not, no template is read.
    virtual bool UsesTemplate() const = 0;
    // html is the expanded template (empty when not used), outputPath the
    // file the bytes will be written to.
    virtual std::string Render(const std::string& html, const ProjectModel& model,
                               const std::string& outputPath) const = 0;
};

}  // namespace sondrel
