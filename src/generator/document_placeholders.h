#pragma once

#include <string>
#include <string_view>

#include "generator/expand_template.h"

namespace sondrel {

// Replaces the placeholders that hold one value for the whole document (file
// names, version, tempo, sample rate, notes, date, time) in the whole text,
// before it is cut into head, track section and tail.
std::string ReplaceDocumentPlaceholders(std::string_view templateText, const std::string& templatePath,
                                        const std::string& outputPath, const GenerationContext& context);

}  // namespace sondrel
