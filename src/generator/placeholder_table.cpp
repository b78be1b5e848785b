#include "generator/placeholder_table.h"

#include "format/html_escape.h"
#include "format/summary_lists.h"

namespace sondrel {

std::string InsertedValue(std::string value, KeptMarkup kept, const GenerationContext& context)
{
    if (!context.EscapeHtml)
        return value;
    switch (kept) {
    case KeptMarkup::ListSeparator:
        return EscapeHtmlKeeping(value, ListSeparatorText(context.Prefs));
    case KeptMarkup::LineBreaks:
        return EscapeHtmlKeeping(value, "<br>");
    case KeptMarkup::None:
        break;
    }
    return EscapeHtml(value);
}

}  // namespace sondrel
