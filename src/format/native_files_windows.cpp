#ifdef _WIN32

#include <algorithm>
#include <cerrno>

#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#include <windows.h>

#include "format/native_files.h"

namespace fs = std::filesystem;

namespace sondrel::native {

namespace {
std::error_code LastCError() { return {errno, std::generic_category()}; }

std::error_code CheckedC(int result) { return result == 0 ? std::error_code() : LastCError(); }

// Another program holds the file open without allowing it to be replaced.
// Windows reports this as a sharing violation, or as a plain refusal of
// access that only a second look tells apart from missing rights.
bool HeldByAnotherProgram(DWORD error, const fs::path& name)
{
    if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION)
        return true;
    if (error != ERROR_ACCESS_DENIED)
        return false;
    const HANDLE handle = CreateFileW(name.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        CloseHandle(handle);
        return false;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION;
}
}  // namespace

int CreateUnnamed(const fs::path&) { return -1; }

std::error_code LinkUnnamed(int, const fs::path&) { return std::make_error_code(std::errc::function_not_supported); }

int CreateExclusive(const fs::path& name, std::error_code& error)
{
    // _O_EXCL makes the C library ask for CREATE_NEW: an existing file is
    // never opened, let alone emptied.
    const int descriptor =
        _wopen(name.c_str(), _O_CREAT | _O_EXCL | _O_WRONLY | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (descriptor < 0)
        error = LastCError();
    return descriptor;
}

int OpenForWriting(const fs::path& name, std::error_code& error)
{
    const int descriptor = _wopen(name.c_str(), _O_WRONLY | _O_BINARY | _O_NOINHERIT);
    if (descriptor < 0)
        error = LastCError();
    return descriptor;
}

std::error_code WriteAll(int descriptor, std::string_view text)
{
    constexpr std::size_t Chunk = std::size_t{1} << 30;  // _write takes an unsigned int
    while (!text.empty()) {
        const int written = _write(descriptor, text.data(), static_cast<unsigned>(std::min(text.size(), Chunk)));
        if (written < 0)
            return LastCError();
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

std::error_code Sync(int descriptor) { return CheckedC(_commit(descriptor)); }

std::error_code Close(int descriptor) { return CheckedC(_close(descriptor)); }

// The one permission Windows keeps in the file is "read-only", and a file
// that has it is refused before it is replaced.
std::error_code SetPermissions(int, fs::perms) { return {}; }

std::error_code Replace(const fs::path& from, const fs::path& to)
{
    if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return {};
    const DWORD error = GetLastError();
    if (HeldByAnotherProgram(error, to))
        return FileInUse();
    return {static_cast<int>(error), std::system_category()};
}

// MOVEFILE_WRITE_THROUGH has already waited for the rename.
void SyncFolder(const fs::path&) {}

std::error_code CheckWritable(const fs::path& name) { return CheckedC(_waccess(name.c_str(), 2)); }

unsigned long CurrentProcess() { return GetCurrentProcessId(); }

bool ProcessIsRunning(unsigned long process)
{
    const HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process));
    if (handle == nullptr)
        return GetLastError() != ERROR_INVALID_PARAMETER;  // not there at all, rather than not ours to ask
    DWORD exitCode = 0;
    const bool running = GetExitCodeProcess(handle, &exitCode) && exitCode == STILL_ACTIVE;
    CloseHandle(handle);
    return running;
}

}  // namespace sondrel::native

#endif
