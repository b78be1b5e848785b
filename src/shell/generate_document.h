#pragma once

#include <string>

#include "generator/expand_template.h"
#include "shell/document_renderer.h"
#include "shell/user_interface.h"

namespace sondrel {

// Asks before replacing an existing output, reads the template, expands it,
// writes the output and shows it. With a renderer, what is written is the
// renderer's result (and the template is read only if it uses one). Returns
// false when the user declined the overwrite: then nothing was read, written
// or shown. Failures are thrown.
bool GenerateDocument(const std::string& outputPath, const std::string& templatePath,
                      const GenerationContext& context, ConversionUi& ui,
                      const DocumentRenderer* renderer = nullptr);

}  // namespace sondrel
