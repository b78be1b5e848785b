#include "reader/line_source.h"

#include <cerrno>
#include <cstring>

#include "model/file_error.h"

namespace sondrel {

LineSource::LineSource(std::string_view text, std::string path)
    : path_(std::move(path)), pos_(text.data()), end_(text.data() + text.size()), atEnd_(true)
{
    Rescan(pos_);
}

LineSource::LineSource(std::FILE* file, std::string path, std::size_t chunkSize)
    : file_(file), path_(std::move(path)), buffer_(new char[chunkSize]), bufferSize_(chunkSize), chunkSize_(chunkSize)
{
    pos_ = end_ = buffer_.get();
    Rescan(pos_);
}

void LineSource::Rescan(const char* from)
{
    const auto rest = static_cast<std::size_t>(end_ - from);
    const void* lf = std::memchr(from, '\n', rest);
    const void* cr = std::memchr(from, '\r', rest);
    nextLf_ = lf ? static_cast<const char*>(lf) : end_;
    nextCr_ = cr ? static_cast<const char*>(cr) : end_;
}

const char* LineSource::FindLineEnd()
{
    const auto rest = [this](const char* from) { return static_cast<std::size_t>(end_ - from); };
    if (nextLf_ < pos_) {
        const void* lf = std::memchr(pos_, '\n', rest(pos_));
        nextLf_ = lf ? static_cast<const char*>(lf) : end_;
    }
    if (nextCr_ < pos_) {
        const void* cr = std::memchr(pos_, '\r', rest(pos_));
        nextCr_ = cr ? static_cast<const char*>(cr) : end_;
    }
    return nextLf_ < nextCr_ ? nextLf_ : nextCr_;
}

void LineSource::FailLineTooLong() const
{
    throw FileError(path_, lineNumber_ + 1, "the line is longer than 16 MiB, more than a project line can be");
}

bool LineSource::Next(std::string_view& line)
{
    for (;;) {
        if (skipLf_ && pos_ != end_) {
            skipLf_ = false;
            if (*pos_ == '\n')
                ++pos_;
        }
        const char* stop = FindLineEnd();
        if (static_cast<std::size_t>(stop - pos_) > MaxLineLength)
            FailLineTooLong();
        if (stop != end_) {
            line = std::string_view(pos_, static_cast<std::size_t>(stop - pos_));
            pos_ = stop + 1;
            if (*stop == '\r') {
                if (pos_ != end_ && *pos_ == '\n')
                    ++pos_;
                else if (pos_ == end_)
                    skipLf_ = true;
            }
            ++lineNumber_;
            return true;
        }
        if (!Refill()) {
            if (pos_ == end_)
                return false;
            line = std::string_view(pos_, static_cast<std::size_t>(end_ - pos_));
            pos_ = end_;
            ++lineNumber_;
            return true;
        }
    }
}

// Keeps the unfinished line at the front of the buffer and reads the next
// chunk after it; the buffer grows only when one line fills it.
bool LineSource::Refill()
{
    if (atEnd_)
        return false;
    const auto kept = static_cast<std::size_t>(end_ - pos_);
    if (kept > MaxLineLength)
        FailLineTooLong();
    if (bufferSize_ - kept < (chunkSize_ + 1) / 2) {
        std::unique_ptr<char[]> larger(new char[bufferSize_ * 2]);
        std::memcpy(larger.get(), pos_, kept);
        buffer_ = std::move(larger);
        bufferSize_ *= 2;
    } else if (kept != 0 && pos_ != buffer_.get()) {
        std::memmove(buffer_.get(), pos_, kept);
    }
    char* fresh = buffer_.get() + kept;
    const std::size_t got = std::fread(fresh, 1, bufferSize_ - kept, file_);
    if (got < bufferSize_ - kept) {
        if (std::ferror(file_)) {
            const int error = errno;
            throw FileError(path_, lineNumber_ + 1, SystemReason("cannot read the file", error));
        }
        atEnd_ = true;
    }
    pos_ = buffer_.get();
    end_ = fresh + got;
    // The kept bytes hold no line end, so only the fresh ones are searched.
    Rescan(fresh);
    return got != 0;
}

}  // namespace sondrel
