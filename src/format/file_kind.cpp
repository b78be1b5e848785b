#include "format/file_kind.h"

#include <filesystem>

#include "format/file_paths.h"
#include "model/file_error.h"

namespace fs = std::filesystem;

namespace sondrel {

namespace {
const char* KindName(fs::file_type type)
{
    switch (type) {
    case fs::file_type::directory:
        return "a folder";
    case fs::file_type::fifo:
        return "a pipe";
    case fs::file_type::character:
    case fs::file_type::block:
        return "a device";
    case fs::file_type::socket:
        return "a socket";
    default:
        return "not a file";
    }
}
}  // namespace

void RequireOrdinaryFile(const std::string& path)
{
    const fs::file_status status = StatusOf(path);
    if (!fs::exists(status) || fs::is_regular_file(status))
        return;
    throw FileError(path, 0, std::string("this is ") + KindName(status.type()) + ", not an ordinary file");
}

bool SameFile(const std::string& first, const std::string& second)
{
    const std::optional<fs::path> one = NativePathIfValid(first), other = NativePathIfValid(second);
    std::error_code error;
    return one && other && fs::equivalent(*one, *other, error) && !error;
}

}  // namespace sondrel
