#pragma once

#include <string>

namespace sondrel {

// The user's formatting choices, held as the names the preferences dialog
// offers: "<BR>", "Space", "Comma", "Tab" and "Short", "Long". Stored texts
// are kept as they are, unexpected ones included.
struct Preferences {
    std::string ListSeparator = "<BR>";
    std::string DateFormat = "Short";
    std::string TimeFormat = "Short";
};

}  // namespace sondrel
