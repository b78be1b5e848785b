#include "format/html_escape.h"

namespace sondrel {

std::string EscapeHtml(std::string_view text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string EscapeHtmlKeeping(std::string_view text, std::string_view markup)
{
    if (markup.empty())
        return EscapeHtml(text);
    std::string escaped;
    for (std::size_t at = text.find(markup); at != std::string_view::npos; at = text.find(markup)) {
        escaped += EscapeHtml(text.substr(0, at));
        escaped += markup;
        text.remove_prefix(at + markup.size());
    }
    escaped += EscapeHtml(text);
    return escaped;
}

}  // namespace sondrel
