#include "model/file_error.h"

#include <cstring>

namespace sondrel {

namespace {
std::string ComposeMessage(const std::string& path, long line, const std::string& reason)
{
    const std::string shownPath = EscapeControlCharacters(path);
    const std::string shownReason = EscapeControlCharacters(reason);
    if (line > 0)
        return shownPath + ", line " + std::to_string(line) + ": " + shownReason;
    return shownPath + ": " + shownReason;
}

bool IsControl(unsigned char c)
{
    return c < 0x20 || c == 0x7F;
}
}  // namespace

std::string SystemReason(const char* what, int error)
{
    return std::string(what) + " (" + std::strerror(error) + ")";
}

std::string SystemReason(const char* what, const std::error_code& error)
{
    return std::string(what) + " (" + error.message() + ")";
}

std::string EscapeControlCharacters(std::string_view text)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (!IsControl(byte)) {
            shown += c;
            continue;
        }
        shown += "\\x";
        shown += kHex[byte >> 4];
        shown += kHex[byte & 0xF];
    }
    return shown;
}

FileError::FileError(std::string path, long line, std::string reason)
    : std::runtime_error(ComposeMessage(path, line, reason)),
      path_(std::move(path)),
      line_(line),
      reason_(std::move(reason))
{
}

}  // namespace sondrel
