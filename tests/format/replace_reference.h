#pragma once

#include <string>
#include <string_view>

// The replace-all rule written the slow, obvious way: replace the first
// occurrence (ASCII letters compared without case), then search again from
// the very start; after a replacement at least as long as the key, search on
// after it instead. Quadratic, for comparing on small texts only.

namespace sondrel::testing_reference {

inline char Folded(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::size_t FindFolded(const std::string& text, std::string_view key, std::size_t from)
{
    for (std::size_t start = from; start + key.size() <= text.size(); ++start) {
        std::size_t n = 0;
        while (n < key.size() && Folded(text[start + n]) == Folded(key[n]))
            ++n;
        if (n == key.size())
            return start;
    }
    return std::string::npos;
}

inline std::string ReplaceAllByRepeatedSearch(std::string_view text, std::string_view key, std::string_view replacement)
{
    std::string working(text);
    std::size_t from = 0;
    const bool searchOnAfter = replacement.size() >= key.size();
    for (std::size_t at = FindFolded(working, key, from); at != std::string::npos;
         at = FindFolded(working, key, from)) {
        working = working.substr(0, at) + std::string(replacement) + working.substr(at + key.size());
        from = searchOnAfter ? at + replacement.size() : 0;
    }
    return working;
}

}  // namespace sondrel::testing_reference
