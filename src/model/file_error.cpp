#include "model/file_error.h"

namespace sondrel {

namespace {
std::string ComposeMessage(const std::string& path, long line, const std::string& reason)
{
    if (line > 0)
        return path + ", line " + std::to_string(line) + ": " + reason;
    return path + ": " + reason;
}
}  // namespace

FileError::FileError(std::string path, long line, std::string reason)
    : std::runtime_error(ComposeMessage(path, line, reason)),
      path_(std::move(path)),
      line_(line),
      reason_(std::move(reason))
{
}

}  // namespace sondrel
