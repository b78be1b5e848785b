#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <random>

#include "format/text_ops.h"
#include "model/file_error.h"

namespace fs = std::filesystem;

namespace sondrel {

namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, CloseFile>;

std::FILE* OpenFile(const fs::path& path, const char* mode)
{
    return std::fopen(path.string().c_str(), mode);
}

std::string SystemReason(const char* what, int error)
{
    return std::string(what) + " (" + std::strerror(error) + ")";
}

std::string SystemReason(const char* what, const std::error_code& error)
{
    return std::string(what) + " (" + error.message() + ")";
}

// A symbolic link stays a link: the file it finally names is the one written.
fs::path FollowLinks(const std::string& path)
{
    constexpr int MaxLinks = 40;
    fs::path current = path;
    for (int hop = 0; hop < MaxLinks; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error)))
            return current;
        const fs::path next = fs::read_symlink(current, error);
        if (error)
            throw FileError(path, 0, SystemReason("cannot follow the link", error));
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    throw FileError(path, 0, "cannot write the file (too many symbolic links)");
}

void WriteAll(std::FILE* file, std::string_view text, const std::string& path)
{
    if (std::fwrite(text.data(), 1, text.size(), file) != text.size() || std::fflush(file) != 0)
        throw FileError(path, 0, SystemReason("cannot write the file", errno));
}

// A new file beside the target that is removed again unless it was moved
// over the target.
class TemporaryFile {
public:
    TemporaryFile(const fs::path& target, const std::string& userPath)
    {
        std::random_device seed;
        std::mt19937_64 random(seed());
        constexpr int Attempts = 100;
        for (int attempt = 0; attempt < Attempts; ++attempt) {
            // Short and fixed in length, so that a long target name still
            // leaves room for it.
            const std::string name = ".sondrel-" + std::to_string(random() % 1000000000) + ".tmp";
            path_ = target.parent_path() / name;
            // "x": fail instead of opening a file that someone else made.
            file_.reset(OpenFile(path_, "wbx"));
            if (file_ || errno != EEXIST)
                break;
        }
        if (!file_)
            throw FileError(userPath, 0, SystemReason("cannot write the file", errno));
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    ~TemporaryFile()
    {
        file_.reset();
        if (!moved_) {
            std::error_code ignored;
            fs::remove(path_, ignored);
        }
    }

    void Write(std::string_view text, const std::string& userPath)
    {
        WriteAll(file_.get(), text, userPath);
        if (std::fclose(file_.release()) != 0)
            throw FileError(userPath, 0, SystemReason("cannot write the file", errno));
    }

    void MoveOver(const fs::path& target, const std::string& userPath)
    {
        std::error_code error;
        fs::rename(path_, target, error);
        if (error)
            throw FileError(userPath, 0, SystemReason("cannot write the file", error));
        moved_ = true;
    }

    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
    FileHandle file_;
    bool moved_ = false;
};

// A device or pipe (such as /dev/stdout) has no old content to keep and must
// not be replaced by a plain file: it is written directly.
void WriteDirectly(std::string_view text, const std::string& path)
{
    FileHandle file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw FileError(path, 0, SystemReason("cannot write the file", errno));
    WriteAll(file.get(), text, path);
    if (std::fclose(file.release()) != 0)
        throw FileError(path, 0, SystemReason("cannot write the file", errno));
}

// An existing file that may not be written stays as it is, as it would if
// it were opened and emptied in place.
void CheckWritable(const fs::path& target, const std::string& userPath)
{
    FileHandle probe(OpenFile(target, "r+b"));
    if (!probe)
        throw FileError(userPath, 0, SystemReason("cannot write the file", errno));
}

}  // namespace

bool FileExists(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(fs::status(path, error));
}

std::string ReadTextFile(const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found)
        throw FileError(path, 0, "the file does not exist");
    if (fs::is_directory(status))
        throw FileError(path, 0, "this is a folder, not a file");

    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw FileError(path, 0, SystemReason("cannot open the file", errno));

    std::string content;
    if (fs::is_regular_file(status)) {
        const std::uintmax_t size = fs::file_size(path, error);
        if (!error)
            content.reserve(static_cast<std::size_t>(size));
    }
    char buffer[1 << 16];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0)
        content.append(buffer, count);
    if (std::ferror(file.get()))
        throw FileError(path, 0, SystemReason("cannot read the file", errno));
    return content;
}

void WriteTextFile(std::string_view text, const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status))
        throw FileError(path, 0, "cannot write the file: this is a folder");
    if (fs::exists(status) && !fs::is_regular_file(status)) {
        WriteDirectly(text, path);
        return;
    }

    const fs::path target = FollowLinks(path);
    const bool replacing = fs::exists(status);
    if (replacing)
        CheckWritable(target, path);

    TemporaryFile temporary(target, path);
    temporary.Write(text, path);
    if (replacing) {
        fs::permissions(temporary.Path(), status.permissions(), fs::perm_options::replace, error);
        if (error)
            throw FileError(path, 0, SystemReason("cannot keep the file's permissions", error));
    }
    temporary.MoveOver(target, path);
}

}  // namespace sondrel
