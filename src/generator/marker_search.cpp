#include "generator/marker_search.h"

namespace sondrel {

namespace {
char AsciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view text, std::size_t at, std::string_view key)
{
    for (std::size_t i = 0; i < key.size(); ++i) {
        if (AsciiLower(text[at + i]) != AsciiLower(key[i]))
            return false;
    }
    return true;
}
}  // namespace

std::size_t FindIgnoringCase(std::string_view text, std::string_view key, std::size_t from)
{
    if (key.empty())
        return from <= text.size() ? from : std::string_view::npos;
    if (from > text.size() || text.size() - from < key.size())
        return std::string_view::npos;
    const char first = AsciiLower(key.front());
    const std::size_t last = text.size() - key.size();
    for (std::size_t at = from; at <= last; ++at) {
        if (AsciiLower(text[at]) == first && EqualsIgnoringCase(text, at, key))
            return at;
    }
    return std::string_view::npos;
}

}  // namespace sondrel
