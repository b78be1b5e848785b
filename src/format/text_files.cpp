#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <utility>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "format/document_size.h"
#include "format/file_handle.h"
#include "format/file_kind.h"
#include "format/text_ops.h"
#include "model/file_error.h"

namespace fs = std::filesystem;

namespace sondrel {

namespace {

[[noreturn]] void FailWriting(const std::string& path, int error)
{
    throw FileError(path, 0, SystemReason("cannot write the file", error));
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

void WriteAll(int descriptor, std::string_view text, const std::string& path)
{
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            FailWriting(path, errno);
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

// Temporary files are named ".sondrel-<process>-<number>.tmp", so that one
// left behind by a process that no longer runs is known for what it is.
constexpr std::string_view kTemporaryPrefix = ".sondrel-";
constexpr std::string_view kTemporarySuffix = ".tmp";

std::string TemporaryName(std::mt19937_64& random)
{
    return std::string(kTemporaryPrefix) + std::to_string(::getpid()) + "-" +
           std::to_string(random() % 1000000000) + std::string(kTemporarySuffix);
}

// The process that made a temporary file of ours; 0 for any other name.
pid_t OwnerOfTemporary(std::string_view name)
{
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix))
        return 0;
    name.remove_prefix(kTemporaryPrefix.size());
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 9)
        return 0;
    pid_t owner = 0;
    for (const char c : name.substr(0, dash)) {
        if (c < '0' || c > '9')
            return 0;
        owner = owner * 10 + (c - '0');
    }
    return owner;
}

// Removes the temporary files that a killed run left in folder: those whose
// process is gone. A running conversion's file is left alone.
void RemoveStaleTemporaries(const fs::path& folder)
{
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder.empty() ? "." : folder, error)) {
        const pid_t owner = OwnerOfTemporary(entry.path().filename().native());
        if (owner > 0 && ::kill(owner, 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove(entry.path(), ignored);
        }
    }
}

void SyncFolder(const fs::path& folder)
{
    const int descriptor = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    // Some file systems cannot sync a folder; the rename has still happened.
    ::fsync(descriptor);
    ::close(descriptor);
}

// The new content, written beside the target and moved over it only once it
// is complete and on disk, so that a failure, a killed run or a power cut
// leaves either the old file or the new one. Where the system allows, the
// file has no name until that moment: a run killed while writing leaves
// nothing behind. Elsewhere it is named after this process, and the next
// write into the folder removes it.
class TemporaryFile {
public:
    TemporaryFile(const fs::path& folder, const std::string& userPath)
        : folder_(folder.empty() ? "." : folder)
    {
#ifdef O_TMPFILE
        if (::access("/proc/self/fd", X_OK) == 0)
            descriptor_ = ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#endif
        if (descriptor_ < 0)
            CreateNamed(userPath);
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    ~TemporaryFile()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
        if (!name_.empty())
            ::unlink(name_.c_str());
    }

    // durable: on disk before it may take an old file's place.
    void Write(std::string_view text, const std::string& userPath, bool durable)
    {
        WriteAll(descriptor_, text, userPath);
        if (durable && ::fsync(descriptor_) != 0)
            FailWriting(userPath, errno);
    }

    void SetPermissions(fs::perms permissions, const std::string& userPath)
    {
        if (::fchmod(descriptor_, static_cast<mode_t>(permissions)) != 0)
            throw FileError(userPath, 0, SystemReason("cannot keep the file's permissions", errno));
    }

    void MoveOver(const fs::path& target, const std::string& userPath)
    {
        if (name_.empty())
            GiveName(userPath);
        if (::rename(name_.c_str(), target.c_str()) != 0)
            FailWriting(userPath, errno);
        name_.clear();
        Close(userPath);
        SyncFolder(folder_);
    }

    // Where nothing is replaced: a file without a name is linked in under the
    // target's, so that no name of ours ever shows in the folder.
    void PlaceNew(const fs::path& target, const std::string& userPath)
    {
        if (name_.empty()) {
            const std::string self = "/proc/self/fd/" + std::to_string(descriptor_);
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0)
                return Close(userPath);
            if (errno != EEXIST)  // made meanwhile: it is replaced as any other would be
                FailWriting(userPath, errno);
        }
        if (::rename(name_.c_str(), target.c_str()) != 0)
            FailWriting(userPath, errno);
        name_.clear();
        Close(userPath);
    }

private:
    std::mt19937_64& Random()
    {
        if (!random_)
            random_.emplace(std::random_device{}());
        return *random_;
    }

    void Close(const std::string& userPath)
    {
        if (::close(std::exchange(descriptor_, -1)) != 0)
            FailWriting(userPath, errno);
    }

    void CreateNamed(const std::string& userPath)
    {
        constexpr int Attempts = 100;
        for (int attempt = 0; attempt < Attempts && descriptor_ < 0; ++attempt) {
            const fs::path candidate = folder_ / TemporaryName(Random());
            // O_EXCL: fail instead of opening a file that someone else made.
            descriptor_ = ::open(candidate.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
            if (descriptor_ >= 0)
                name_ = candidate;
            else if (errno != EEXIST)
                break;
        }
        if (descriptor_ < 0)
            FailWriting(userPath, errno);
    }

    // Links the unnamed file into the folder, under a name of our own that
    // the rename then moves over the target.
    void GiveName(const std::string& userPath)
    {
        const std::string self = "/proc/self/fd/" + std::to_string(descriptor_);
        constexpr int Attempts = 100;
        for (int attempt = 0; attempt < Attempts; ++attempt) {
            const fs::path candidate = folder_ / TemporaryName(Random());
            if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                name_ = candidate;
                return;
            }
            if (errno != EEXIST)
                break;
        }
        FailWriting(userPath, errno);
    }

    fs::path folder_;
    std::optional<std::mt19937_64> random_;  // seeded only when a name is needed: seeding costs a system call
    int descriptor_ = -1;
    fs::path name_;  // the file's name in the folder while it has one and is ours
};

// A device or pipe (such as /dev/stdout) has no old content to keep and must
// not be replaced by a plain file: it is written directly.
void WriteDirectly(std::string_view text, const std::string& path)
{
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (descriptor < 0)
        FailWriting(path, errno);
    try {
        WriteAll(descriptor, text, path);
    } catch (...) {
        ::close(descriptor);
        throw;
    }
    if (::close(descriptor) != 0)
        FailWriting(path, errno);
}

// An existing file that may not be written stays as it is, as it would if
// it were opened and emptied in place.
void CheckWritable(const fs::path& target, const std::string& userPath)
{
    if (::access(target.c_str(), W_OK) != 0)
        FailWriting(userPath, errno);
}

[[noreturn]] void FailTooLarge(const std::string& path)
{
    throw FileError(path, 0, "the file is larger than 1 GiB, more than a template can be");
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
    RequireOrdinaryFile(path);

    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file)
        throw FileError(path, 0, SystemReason("cannot open the file", errno));

    std::string content;
    const std::uintmax_t size = fs::file_size(path, error);
    if (!error) {
        if (size > MaxDocumentSize)
            FailTooLarge(path);
        content.reserve(static_cast<std::size_t>(size));
    }
    char buffer[1 << 16];
    std::size_t count = 0;
    while ((count = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        // The file may grow while it is read.
        if (content.size() + count > MaxDocumentSize)
            FailTooLarge(path);
        content.append(buffer, count);
    }
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
    if (!fs::exists(status)) {
        // Nothing of the user's is at stake, so the new file is not waited
        // for on disk: a library of new documents is written at the speed
        // of the disk's cache.
        TemporaryFile temporary(target.parent_path(), path);
        temporary.Write(text, path, false);
        temporary.PlaceNew(target, path);
        return;
    }
    CheckWritable(target, path);
    RemoveStaleTemporaries(target.parent_path());
    TemporaryFile temporary(target.parent_path(), path);
    temporary.Write(text, path, true);
    temporary.SetPermissions(status.permissions(), path);
    temporary.MoveOver(target, path);
}

}  // namespace sondrel
