#pragma once

#include <cstddef>
#include <stdexcept>

namespace sondrel {

// The largest document, template or output, that a conversion handles. A
// larger one would take the memory of the whole machine before it was done.
inline constexpr std::size_t MaxDocumentSize = std::size_t{1} << 30;

// Thrown while a document grows past MaxDocumentSize. The code that builds
// text does not know which file it is for; the conversion names it.
class DocumentTooLarge : public std::length_error {
public:
    DocumentTooLarge() : std::length_error("the document would be larger than 1 GiB") {}
};

inline void CheckDocumentSize(std::size_t size)
{
    if (size > MaxDocumentSize)
        throw DocumentTooLarge();
}

}  // namespace sondrel
