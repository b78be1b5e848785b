#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// The replace-all rule the slow, obvious way: replace the first occurrence (ASCII letters compared without case),
// then search again from the very start, or after the replacement when it is at least as long as the key.
namespace sondrel::testing_reference {

inline std::string ReplaceAllByRepeatedSearch(std::string_view text, std::string_view key, std::string_view replacement)
{
    const auto folded = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    const auto same = [&](char a, char b) { return folded(a) == folded(b); };
    std::string working(text);
    for (std::size_t at = 0; at + key.size() <= working.size();) {
        if (!std::equal(key.begin(), key.end(), working.begin() + static_cast<std::ptrdiff_t>(at), same)) {
            ++at;
            continue;
        }
        working.replace(at, key.size(), replacement);
        at = replacement.size() >= key.size() ? at + replacement.size() : 0;
    }
    return working;
}

}  // namespace sondrel::testing_reference
