#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "format/file_handle.h"

namespace sondrel {

// Paths are UTF-8 text everywhere in the program. Only here do they become
// the system's own: on Windows a wide path, so that any name opens whatever
// the code page; elsewhere the bytes are the name, as they always were.

// Throws FileError when the system cannot take the name: on Windows, text
// that is not UTF-8.
std::filesystem::path NativePath(const std::string& path);

// The same, or nothing for a name that no file can have there.
std::optional<std::filesystem::path> NativePathIfValid(const std::string& path);

// The path as UTF-8 text again. Never throws: on Windows a name that is not
// valid UTF-16 has U+FFFD in place of what cannot be converted.
std::string Utf8Path(const std::filesystem::path& path);

// The file's status; on Windows the reserved device names (NUL, CON, COM1,
// ...) are devices, as /dev/null is elsewhere. Never throws: a name the
// system cannot take is reported as not found.
std::filesystem::file_status StatusOf(const std::string& path);
std::filesystem::file_status StatusOfNative(const std::filesystem::path& native);

// Opens an existing file for reading bytes; null with errno set when the
// system refuses, FileError when it cannot take the name.
FileHandle OpenForReading(const std::string& path);

// Text operations on UTF-8 paths, which work on any bytes, a name the system
// would refuse included. Separators are "/" and, on Windows, "\\" too.
std::string FileNameOf(std::string_view path);  // the last part: "b.rpp" of "a/b.rpp"
std::string StemOf(std::string_view path);      // the last part without its extension: "b"
std::string FolderOf(std::string_view path);    // all before the last part: "a"; "" for "b.rpp"
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace sondrel
