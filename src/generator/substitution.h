#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace sondrel {

// One placeholder and the text that replaces it.
struct Substitution {
    std::string_view Placeholder;
    std::string Value;
};

// Replaces each placeholder at every occurrence (any letter case), one after
// another in the order given, each working on the result of those before it:
// a value holding a later placeholder has that one replaced too.
std::string ReplaceInOrder(std::string_view text, const std::vector<Substitution>& substitutions);

}  // namespace sondrel
