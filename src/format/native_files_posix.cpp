#ifndef _WIN32

#include <cerrno>
#include <cstdio>
#include <string>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include "format/native_files.h"

namespace fs = std::filesystem;

namespace sondrel::native {

namespace {
std::error_code LastError() { return {errno, std::generic_category()}; }

std::error_code Checked(int result) { return result == 0 ? std::error_code() : LastError(); }

// The unnamed file as a path that linkat can follow.
std::string SelfPath(int descriptor) { return "/proc/self/fd/" + std::to_string(descriptor); }
}  // namespace

int CreateUnnamed(const fs::path& folder)
{
#ifdef O_TMPFILE
    // Without /proc the file could never be given a name.
    if (::access("/proc/self/fd", X_OK) == 0)
        return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#endif
    (void)folder;
    return -1;
}

std::error_code LinkUnnamed(int descriptor, const fs::path& name)
{
    return Checked(::linkat(AT_FDCWD, SelfPath(descriptor).c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW));
}

int CreateExclusive(const fs::path& name, std::error_code& error)
{
    const int descriptor = ::open(name.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
    if (descriptor < 0)
        error = LastError();
    return descriptor;
}

int OpenForWriting(const fs::path& name, std::error_code& error)
{
    const int descriptor = ::open(name.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (descriptor < 0)
        error = LastError();
    return descriptor;
}

std::error_code WriteAll(int descriptor, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return LastError();
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code Sync(int descriptor) { return Checked(::fsync(descriptor)); }

std::error_code Close(int descriptor) { return Checked(::close(descriptor)); }

std::error_code SetPermissions(int descriptor, fs::perms permissions)
{
    return Checked(::fchmod(descriptor, static_cast<mode_t>(permissions)));
}

std::error_code Replace(const fs::path& from, const fs::path& to)
{
    return Checked(std::rename(from.c_str(), to.c_str()));
}

void SyncFolder(const fs::path& folder)
{
    const int descriptor = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    // Some file systems cannot sync a folder; the rename has still happened.
    ::fsync(descriptor);
    ::close(descriptor);
}

std::error_code CheckWritable(const fs::path& name) { return Checked(::access(name.c_str(), W_OK)); }

unsigned long CurrentProcess() { return static_cast<unsigned long>(::getpid()); }

bool ProcessIsRunning(unsigned long process)
{
    return !(::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH);
}

}  // namespace sondrel::native

#endif
