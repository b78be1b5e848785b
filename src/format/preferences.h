#pragma once

#include <span>
#include <string>
#include <string_view>

namespace sondrel {

// The user's formatting choices, held as the texts the settings store: what
// the preferences dialog offers ("<BR>", "Space", "Comma", "Tab"; "Short",
// "Long"), or any other text a user wrote there, kept as it is.
struct Preferences {
    std::string ListSeparator = "<BR>";
    std::string DateFormat = "Short";
    std::string TimeFormat = "Short";
};

// One choice a preference offers: the text stored (also the label the
// dialog shows) and what it means.
template <class Meaning>
struct PreferenceChoice {
    std::string_view Stored;
    Meaning Means;
};

enum class DateTimeForm { Short, Long };

// The separator between a summary list's entries; any other stored text
// means ", ".
std::span<const PreferenceChoice<std::string_view>> ListSeparatorChoices();
inline constexpr std::string_view OtherListSeparator = ", ";

// The date and time forms; any other stored text means the long form.
std::span<const PreferenceChoice<DateTimeForm>> DateTimeFormChoices();

// What a stored text means, by exact comparison with each choice's text.
std::string_view ListSeparatorOf(std::string_view stored);
DateTimeForm DateTimeFormOf(std::string_view stored);

}  // namespace sondrel
