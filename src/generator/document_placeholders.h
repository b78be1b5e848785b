#pragma once

#include <string>
#include <string_view>

#include "generator/placeholder_table.h"

namespace sondrel {

// The files a conversion names: the record of the document level.
struct DocumentPaths {
    const std::string& TemplatePath;
    const std::string& OutputPath;
};

// The placeholders that hold one value for the whole document, in
// replacement order.
PlaceholderTable<DocumentPaths> DocumentPlaceholders();

// Replaces the document placeholders in the whole text, before it is cut
// into head, track section and tail.
std::string ReplaceDocumentPlaceholders(std::string_view templateText, const std::string& templatePath,
                                        const std::string& outputPath, const GenerationContext& context);

}  // namespace sondrel
