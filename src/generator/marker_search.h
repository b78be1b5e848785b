#pragma once

#include <cstddef>
#include <string_view>

namespace sondrel {

// Position of the first occurrence of key in text at or after from, comparing
// ASCII letters without regard to case (section markers are found that way);
// npos when there is none. Other bytes must match exactly.
std::size_t FindIgnoringCase(std::string_view text, std::string_view key, std::size_t from);

}  // namespace sondrel
