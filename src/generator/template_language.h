#pragma once

#include <string_view>
#include <vector>

namespace sondrel {

// Every name of the template language, from the tables that fill them: the
// placeholders of every level ("##TRACK-NAME##"), the sections ("TRACK",
// "FX", ...) and the conditions ("-IS-MUTED"), those of a library's index
// included. The help page documents
// exactly these, and templates are checked against them.
std::vector<std::string_view> PlaceholderNames();
std::vector<std::string_view> SectionNames();
std::vector<std::string_view> ConditionNames();

}  // namespace sondrel
