#pragma once

#include <stdexcept>
#include <string>

namespace sondrel {

// A failure tied to a file: which file, which line (0 when no line applies)
// and the reason in a user's words. what() gives the whole message, for example
//   song.rpp, line 212: "abc" is not a number
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

}  // namespace sondrel
