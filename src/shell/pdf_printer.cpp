#include "shell/pdf_printer.h"

#include "format/text_ops.h"

namespace sondrel {

std::optional<PaperSize> PaperSizeNamed(std::string_view name)
{
    if (SameIgnoringCase(name, "a4"))
        return PaperSize::A4;
    if (SameIgnoringCase(name, "letter"))
        return PaperSize::Letter;
    return std::nullopt;
}

}  // namespace sondrel
