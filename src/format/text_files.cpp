#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <random>
#include <utility>

#include "format/document_size.h"
#include "format/file_kind.h"
#include "format/file_paths.h"
#include "format/native_files.h"
#include "format/text_ops.h"
#include "model/file_error.h"

namespace fs = std::filesystem;

namespace sondrel {

namespace {

[[noreturn]] void FailWriting(const std::string& path, const std::error_code& error)
{
    if (error == native::FileInUse())
        throw FileError(path, 0, "cannot write the file: another program has it open (the old file is kept)");
    throw FileError(path, 0, SystemReason("cannot write the file", error));
}

void Require(const std::error_code& error, const std::string& path)
{
    if (error)
        FailWriting(path, error);
}

// A symbolic link stays a link: the file it finally names is the one written.
fs::path FollowLinks(const fs::path& path, const std::string& userPath)
{
    constexpr int MaxLinks = 40;
    fs::path current = path;
    for (int hop = 0; hop < MaxLinks; ++hop) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(current, error)))
            return current;
        const fs::path next = fs::read_symlink(current, error);
        if (error)
            throw FileError(userPath, 0, SystemReason("cannot follow the link", error));
        current = next.is_absolute() ? next : current.parent_path() / next;
    }
    throw FileError(userPath, 0, "cannot write the file (too many symbolic links)");
}

// Temporary files are named ".sondrel-<process>-<number>.tmp", so that one
// left behind by a process that no longer runs is known for what it is.
constexpr std::string_view kTemporaryPrefix = ".sondrel-";
constexpr std::string_view kTemporarySuffix = ".tmp";

std::string TemporaryName(std::mt19937_64& random)
{
    return std::string(kTemporaryPrefix) + std::to_string(native::CurrentProcess()) + "-" +
           std::to_string(random() % 1000000000) + std::string(kTemporarySuffix);
}

// The process that made a temporary file of ours; 0 for any other name.
unsigned long OwnerOfTemporary(std::string_view name)
{
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix))
        return 0;
    name.remove_prefix(kTemporaryPrefix.size());
    const std::size_t dash = name.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 9)
        return 0;
    unsigned long owner = 0;
    for (const char c : name.substr(0, dash)) {
        if (c < '0' || c > '9')
            return 0;
        owner = owner * 10 + static_cast<unsigned long>(c - '0');
    }
    return owner;
}

// Removes the temporary files that a killed run left in folder: those whose
// process is gone. A running conversion's file is left alone.
void RemoveStaleTemporaries(const fs::path& folder)
{
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const unsigned long owner = OwnerOfTemporary(Utf8Path(entry.path().filename()));
        if (owner > 0 && !native::ProcessIsRunning(owner)) {
            std::error_code ignored;
            fs::remove(entry.path(), ignored);
        }
    }
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
        : folder_(folder.empty() ? "." : folder), userPath_(userPath)
    {
        descriptor_ = native::CreateUnnamed(folder_);
        if (descriptor_ < 0)
            CreateNamed();
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    ~TemporaryFile()
    {
        if (descriptor_ >= 0)
            native::Close(descriptor_);
        if (!name_.empty()) {
            std::error_code ignored;
            fs::remove(name_, ignored);
        }
    }

    // durable: on disk before it may take an old file's place.
    void Write(std::string_view text, bool durable)
    {
        Require(native::WriteAll(descriptor_, text), userPath_);
        if (durable)
            Require(native::Sync(descriptor_), userPath_);
    }

    void SetPermissions(fs::perms permissions)
    {
        if (const std::error_code error = native::SetPermissions(descriptor_, permissions))
            throw FileError(userPath_, 0, SystemReason("cannot keep the file's permissions", error));
    }

    void MoveOver(const fs::path& target)
    {
        if (name_.empty())
            GiveName();
        MoveNamed(target);
        native::SyncFolder(folder_);
    }

    // Where nothing is replaced: a file without a name is linked in under the
    // target's, so that no name of ours ever shows in the folder.
    void PlaceNew(const fs::path& target)
    {
        if (name_.empty()) {
            const std::error_code error = native::LinkUnnamed(descriptor_, target);
            if (!error)
                return Close();
            if (error != std::errc::file_exists)  // made meanwhile: it is replaced as any other would be
                FailWriting(userPath_, error);
            GiveName();
        }
        MoveNamed(target);
    }

private:
    std::mt19937_64& Random()
    {
        if (!random_)
            random_.emplace(std::random_device{}());
        return *random_;
    }

    void Close() { Require(native::Close(std::exchange(descriptor_, -1)), userPath_); }

    // Closed first: Windows renames no file that is still open.
    void MoveNamed(const fs::path& target)
    {
        Close();
        Require(native::Replace(name_, target), userPath_);
        name_.clear();
    }

    void CreateNamed()
    {
        constexpr int Attempts = 100;
        std::error_code error;
        for (int attempt = 0; attempt < Attempts && descriptor_ < 0; ++attempt) {
            const fs::path candidate = folder_ / TemporaryName(Random());
            error.clear();
            descriptor_ = native::CreateExclusive(candidate, error);
            if (descriptor_ >= 0)
                name_ = candidate;
            else if (error != std::errc::file_exists)
                break;
        }
        if (descriptor_ < 0)
            FailWriting(userPath_, error);
    }

    // Links the unnamed file into the folder, under a name of our own that
    // the rename then moves over the target.
    void GiveName()
    {
        constexpr int Attempts = 100;
        std::error_code error;
        for (int attempt = 0; attempt < Attempts; ++attempt) {
            const fs::path candidate = folder_ / TemporaryName(Random());
            error = native::LinkUnnamed(descriptor_, candidate);
            if (!error) {
                name_ = candidate;
                return;
            }
            if (error != std::errc::file_exists)
                break;
        }
        FailWriting(userPath_, error);
    }

    fs::path folder_;
    std::string userPath_;
    std::optional<std::mt19937_64> random_;  // seeded only when a name is needed: seeding costs a system call
    int descriptor_ = -1;
    fs::path name_;  // the file's name in the folder while it has one and is ours
};

// A device or pipe (such as /dev/stdout) has no old content to keep and must
// not be replaced by a plain file: it is written directly.
void WriteDirectly(std::string_view text, const fs::path& name, const std::string& path)
{
    std::error_code error;
    const int descriptor = native::OpenForWriting(name, error);
    if (descriptor < 0)
        FailWriting(path, error);
    error = native::WriteAll(descriptor, text);
    const std::error_code closing = native::Close(descriptor);
    Require(error ? error : closing, path);
}

[[noreturn]] void FailTooLarge(const std::string& path)
{
    throw FileError(path, 0, "the file is larger than 1 GiB, more than a template can be");
}

}  // namespace

bool FileExists(const std::string& path)
{
    return fs::is_regular_file(StatusOf(path));
}

std::string ReadTextFile(const std::string& path)
{
    const fs::path name = NativePath(path);
    const fs::file_status status = StatusOfNative(name);
    if (status.type() == fs::file_type::not_found)
        throw FileError(path, 0, "the file does not exist");
    if (fs::is_directory(status))
        throw FileError(path, 0, "this is a folder, not a file");
    RequireOrdinaryFile(path);

    FileHandle file = OpenForReading(path);
    if (!file)
        throw FileError(path, 0, SystemReason("cannot open the file", errno));

    std::string content;
    std::error_code error;
    const std::uintmax_t size = fs::file_size(name, error);
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
    const fs::path name = NativePath(path);
    const fs::file_status status = StatusOfNative(name);
    if (fs::is_directory(status))
        throw FileError(path, 0, "cannot write the file: this is a folder");
    if (fs::exists(status) && !fs::is_regular_file(status))
        return WriteDirectly(text, name, path);

    const fs::path target = FollowLinks(name, path);
    if (!fs::exists(status)) {
        // Nothing of the user's is at stake, so the new file is not waited
        // for on disk: a library of new documents is written at the speed
        // of the disk's cache.
        TemporaryFile temporary(target.parent_path(), path);
        temporary.Write(text, false);
        temporary.PlaceNew(target);
        return;
    }
    // An existing file that may not be written stays as it is, as it would
    // if it were opened and emptied in place.
    Require(native::CheckWritable(target), path);
    RemoveStaleTemporaries(target.parent_path().empty() ? "." : target.parent_path());
    TemporaryFile temporary(target.parent_path(), path);
    temporary.Write(text, true);
    temporary.SetPermissions(status.permissions());
    temporary.MoveOver(target);
}

}  // namespace sondrel
