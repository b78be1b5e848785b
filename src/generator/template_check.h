#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sondrel {

// A likely mistake in a template, at a 1-based line and column (in bytes).
struct TemplateDiagnostic {
    int Line;
    int Column;
    std::string Message;
};

// What a template holds that the language will not do as its writer meant:
// unknown placeholders, sections and conditions (with the nearest known
// name), sections that never close, repeat, or stand where they are not
// repeated, and conditional blocks without their markers. In text order.
// The document made from the template is the same with or without them.
std::vector<TemplateDiagnostic> CheckTemplate(std::string_view text);

}  // namespace sondrel
