#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace sondrel {

// A failure tied to a file: which file, which line (0 when no line applies)
// and the reason in a user's words. what() gives the whole message, for example
//   song.rpp, line 212: "abc" is not a number
// Control characters from a file or a path are shown escaped in what(), so
// that a hostile file cannot drive the terminal that prints the message.
class FileError : public std::runtime_error {
public:
    FileError(std::string path, long line, std::string reason);

    const std::string& path() const { return path_; }
    long line() const { return line_; }
    const std::string& reason() const { return reason_; }

private:
    std::string path_;
    long line_;
    std::string reason_;
};

// "what (the system's reason)": a reason built from an errno value.
std::string SystemReason(const char* what, int error);
std::string SystemReason(const char* what, const std::error_code& error);

// The text with every control byte (below 0x20, and 0x7F) written as \xHH,
// so that every byte of the message is printable.
std::string EscapeControlCharacters(std::string_view text);

}  // namespace sondrel
