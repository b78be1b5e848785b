#pragma once

#include <string>
#include <string_view>

namespace sondrel {

// The text with HTML's special characters written as entities (&amp; &lt;
// &gt; &quot; &apos;), so that it shows as the very text it is and can
// never open a tag, end an attribute or start a script. No "#" is written,
// so an escaped value never forms a placeholder.
std::string EscapeHtml(std::string_view text);

// The same, except that each occurrence of markup is kept as it is: the
// "<br>" that joins the lines of the notes, the chosen list separator.
std::string EscapeHtmlKeeping(std::string_view text, std::string_view markup);

}  // namespace sondrel
