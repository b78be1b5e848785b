// ReadProjectText on arbitrary bytes: it must end with a model or a FileError,
// never crash, hang or grow without bound.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/file_error.h"
#include "reader/read_project.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    sondrel::ProjectModel model;
    try {
        sondrel::ReadProjectText(model, std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.rpp");
    } catch (const sondrel::FileError&) {
    }
    return 0;
}
