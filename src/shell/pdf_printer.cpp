#include "shell/pdf_printer.h"

#include <algorithm>
#include <cctype>

namespace sondrel {

std::optional<PaperSize> PaperSizeNamed(std::string_view name)
{
    const auto is = [name](std::string_view wanted) {
        return std::ranges::equal(name, wanted, [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
        });
    };
    if (is("a4"))
        return PaperSize::A4;
    if (is("letter"))
        return PaperSize::Letter;
    return std::nullopt;
}

}  // namespace sondrel
