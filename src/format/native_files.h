#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

// The few file operations that differ between systems, for the text file
// writer. Each reports failure as an error code and leaves the wording to its
// caller. Descriptors are the C library's on every system.
namespace sondrel::native {

// The code given when the file to be replaced is held open by another
// program that does not allow it (Windows).
inline std::error_code FileInUse() { return std::make_error_code(std::errc::device_or_resource_busy); }

// A new file without a name in folder, or -1 where the system has none.
int CreateUnnamed(const std::filesystem::path& folder);
// Gives an unnamed file a name; fails if the name is taken.
std::error_code LinkUnnamed(int descriptor, const std::filesystem::path& name);
// A new file under name, created only if nothing has that name; -1 on failure.
int CreateExclusive(const std::filesystem::path& name, std::error_code& error);
// An existing file or device, opened for writing; -1 on failure.
int OpenForWriting(const std::filesystem::path& name, std::error_code& error);

std::error_code WriteAll(int descriptor, std::string_view text);
std::error_code Sync(int descriptor);
std::error_code Close(int descriptor);
std::error_code SetPermissions(int descriptor, std::filesystem::perms permissions);

// Moves from over to, replacing what is there; to keeps its name throughout.
std::error_code Replace(const std::filesystem::path& from, const std::filesystem::path& to);
// Makes a rename in folder durable where the system needs to be asked.
void SyncFolder(const std::filesystem::path& folder);
// Whether this user may write the existing file.
std::error_code CheckWritable(const std::filesystem::path& name);

unsigned long CurrentProcess();
bool ProcessIsRunning(unsigned long process);

}  // namespace sondrel::native
