#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace sondrel {

// A line cut into parts, numbered from 1; a part the line does not have reads
// as the empty text.
class LineParts {
public:
    explicit LineParts(std::vector<std::string_view> parts) : parts_(std::move(parts)) {}

    std::size_t Count() const { return parts_.size(); }
    bool Has(std::size_t n) const { return n >= 1 && n <= parts_.size(); }
    std::string_view operator[](std::size_t n) const { return Has(n) ? parts_[n - 1] : std::string_view(); }

private:
    std::vector<std::string_view> parts_;
};

// Numeric fields are cut at every single space: two spaces in a row give an
// empty field between them, and quotes mean nothing. Fields after the 200th
// are dropped.
inline constexpr std::size_t MaxLineFields = 200;
LineParts SplitFields(std::string_view line);

// Field n (from 1) as SplitFields would give it, without cutting the rest.
std::string_view NthField(std::string_view line, std::size_t n);

// Names are cut the way REAPER writes them: runs of spaces separate tokens
// (a tab belongs to its token); a token that begins with a double quote, a
// single quote or a backtick runs to the next occurrence of that character,
// without the quotes (to the end of the line when it is never closed), and
// text right after the closing quote starts the next token.
LineParts SplitTokens(std::string_view line);

// The line without its leading and trailing spaces (tabs are kept).
std::string_view TrimSpaces(std::string_view line);

// The text up to the first space: the keyword of a line.
std::string_view FirstField(std::string_view line);

}  // namespace sondrel
