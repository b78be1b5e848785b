#include "reader/line_fields.h"

namespace sondrel {

LineParts SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != ' ')
            continue;
        if (fields.size() < MaxLineFields)
            fields.push_back(line.substr(start, i - start));
        start = i + 1;
    }
    if (start < line.size() && fields.size() < MaxLineFields)
        fields.push_back(line.substr(start));
    return LineParts(std::move(fields));
}

std::string_view NthField(std::string_view line, std::size_t n)
{
    std::size_t start = 0;
    for (std::size_t field = 1; field <= MaxLineFields; ++field) {
        const std::size_t end = line.find(' ', start);
        if (end == std::string_view::npos)
            return field == n && start < line.size() ? line.substr(start) : std::string_view();
        if (field == n)
            return line.substr(start, end - start);
        start = end + 1;
    }
    return {};
}

namespace {
bool IsQuote(char c)
{
    return c == '"' || c == '\'' || c == '`';
}
}  // namespace

LineParts SplitTokens(std::string_view line)
{
    std::vector<std::string_view> tokens;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ') {
            ++i;
            continue;
        }
        if (IsQuote(line[i])) {
            const std::size_t close = line.find(line[i], i + 1);
            const std::size_t stop = close == std::string_view::npos ? line.size() : close;
            tokens.push_back(line.substr(i + 1, stop - i - 1));
            i = stop + 1;
            continue;
        }
        const std::size_t space = line.find(' ', i);
        const std::size_t stop = space == std::string_view::npos ? line.size() : space;
        tokens.push_back(line.substr(i, stop - i));
        i = stop;
    }
    return LineParts(std::move(tokens));
}

std::string_view TrimSpaces(std::string_view line)
{
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = line.find_last_not_of(' ');
    return line.substr(first, last - first + 1);
}

std::string_view FirstField(std::string_view line)
{
    return line.substr(0, line.find(' '));
}

}  // namespace sondrel
