#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace sondrel {

// Cuts bytes into lines. A line ends at a line feed, a carriage return, or a
// carriage return followed by a line feed; the ending is not part of the line.
// The last line needs no ending. A line longer than MaxLineLength fails the
// read: no project holds one, and a file that is one endless line (a device,
// a binary file) must not be held whole in memory.
//
// A file is read in chunks, so memory holds one chunk and the line being cut,
// never the whole file. Text already in memory is cut in place, without copies.
class LineSource {
public:
    static constexpr std::size_t DefaultChunkSize = std::size_t{1} << 20;
    static constexpr std::size_t MaxLineLength = std::size_t{16} << 20;

    // Lines of text in memory; the text must outlive the source. path only
    // names the text in the message of a failed read.
    explicit LineSource(std::string_view text, std::string path = {});
    // Lines of an open file, which stays the caller's to close. path only
    // names the file in the message of a failed read.
    LineSource(std::FILE* file, std::string path, std::size_t chunkSize = DefaultChunkSize);

    // The next line, valid until the following call; false after the last one.
    // Throws FileError when the file cannot be read.
    bool Next(std::string_view& line);

    // The number of the line that Next gave last (1-based).
    long LineNumber() const { return lineNumber_; }

private:
    const char* FindLineEnd();
    [[noreturn]] void FailLineTooLong() const;
    bool Refill();
    void Rescan(const char* from);

    std::FILE* file_ = nullptr;
    std::string path_;
    std::unique_ptr<char[]> buffer_;  // not zeroed: only what was read is ever looked at
    std::size_t bufferSize_ = 0;
    std::size_t chunkSize_ = 0;
    const char* pos_ = nullptr;
    const char* end_ = nullptr;
    // Cached positions of the next line feed and carriage return at or after
    // pos_ (end_ when there is none), so that a file with only one kind of
    // line end is scanned once, not once per line.
    const char* nextLf_ = nullptr;
    const char* nextCr_ = nullptr;
    bool skipLf_ = false;  // the last line ended with a carriage return at the chunk's end
    bool atEnd_ = false;
    long lineNumber_ = 0;
};

}  // namespace sondrel
