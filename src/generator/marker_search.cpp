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
// The offset of a byte of key that has no letter case, to search for. In
// "<!-- FX-START -->" that is the "!", which HTML holds far more rarely than
// the "<" in front of it. npos when key is letters only.
std::size_t AnchorOffset(std::string_view key)
{
    std::size_t firstCaseless = std::string_view::npos;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const char lower = AsciiLower(key[i]);
        if (lower >= 'a' && lower <= 'z')
            continue;
        if (key[i] != '<' && key[i] != ' ' && key[i] != '-' && key[i] != '>')
            return i;
        if (firstCaseless == std::string_view::npos)
            firstCaseless = i;
    }
    return firstCaseless;
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
    const std::size_t anchor = AnchorOffset(key);
    if (anchor != std::string_view::npos) {
        // A byte without case is found by memchr, the rest compared around it.
        const char wanted = key[anchor];
        for (std::size_t at = text.find(wanted, from + anchor); at != std::string_view::npos && at - anchor <= last;
             at = text.find(wanted, at + 1)) {
            if (EqualsIgnoringCase(text, at - anchor, key))
                return at - anchor;
        }
        return std::string_view::npos;
    }
    for (std::size_t at = from; at <= last; ++at) {
        if (AsciiLower(text[at]) == first && EqualsIgnoringCase(text, at, key))
            return at;
    }
    return std::string_view::npos;
}

}  // namespace sondrel
