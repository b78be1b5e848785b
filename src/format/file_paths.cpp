#include "format/file_paths.h"

#include <cerrno>
#include <cstdio>
#include <cwctype>
#include <utility>

#include "model/file_error.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace sondrel {

namespace {
#ifdef _WIN32
constexpr std::string_view kSeparators = "/\\";
constexpr char kPreferredSeparator = '\\';
#else
constexpr std::string_view kSeparators = "/";
constexpr char kPreferredSeparator = '/';
#endif

#ifdef _WIN32
// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF.
bool IsUtf8(std::string_view text)
{
    std::size_t n = 0;
    while (n < text.size()) {
        const auto lead = static_cast<unsigned char>(text[n]);
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
        if (lead < 0x80)
            length = 1;
        else if (lead >= 0xC2 && lead <= 0xDF)
            length = 2;
        else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else
            return false;
        if (n + length > text.size())
            return false;
        for (int k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[n + k]);
            if (byte < (k == 1 ? low : 0x80) || byte > (k == 1 ? high : 0xBF))
                return false;
        }
        n += length;
    }
    return true;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 name devices in every folder, with
// any extension.
bool IsReservedDeviceName(const fs::path& path)
{
    std::wstring stem = path.filename().wstring();
    stem = stem.substr(0, stem.find(L'.'));
    while (!stem.empty() && (stem.back() == L' ' || stem.back() == L':'))
        stem.pop_back();
    for (wchar_t& c : stem)
        c = static_cast<wchar_t>(std::towupper(c));
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL" || stem == L"CONIN$" ||
        stem == L"CONOUT$")
        return true;
    return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) && stem[3] >= L'1' &&
           stem[3] <= L'9';
}

// Whether the system opens the name as a device rather than a file on disk.
bool IsDevice(const fs::path& path)
{
    if (path.native().starts_with(L"\\\\.\\"))
        return true;
    if (!IsReservedDeviceName(path))
        return false;
    const HANDLE handle = CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return true;  // a console without a console: still no file on disk
    const bool device = GetFileType(handle) != FILE_TYPE_DISK;
    CloseHandle(handle);
    return device;
}
#endif
}  // namespace

std::optional<fs::path> NativePathIfValid(const std::string& path)
{
#ifdef _WIN32
    if (!IsUtf8(path))
        return std::nullopt;
    return fs::path(std::u8string(path.begin(), path.end()));
#else
    return fs::path(path);
#endif
}

fs::path NativePath(const std::string& path)
{
    std::optional<fs::path> native = NativePathIfValid(path);
    if (!native)
        throw FileError(path, 0, "the file name is not valid UTF-8 text");
    return std::move(*native);
}

std::string Utf8Path(const fs::path& path)
{
#ifdef _WIN32
    // Not path.u8string(), which throws on a name with a lone surrogate:
    // such a name comes out with U+FFFD in its place.
    const std::wstring& wide = path.native();
    if (wide.empty())
        return {};
    const int wideLength = static_cast<int>(wide.size());
    std::string text(static_cast<std::size_t>(
                         WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, text.data(), static_cast<int>(text.size()), nullptr,
                        nullptr);
    return text;
#else
    return path.native();
#endif
}

fs::file_status StatusOf(const std::string& path)
{
    const std::optional<fs::path> native = NativePathIfValid(path);
    return native ? StatusOfNative(*native) : fs::file_status(fs::file_type::not_found);
}

fs::file_status StatusOfNative(const fs::path& native)
{
#ifdef _WIN32
    if (IsDevice(native))
        return fs::file_status(fs::file_type::character);
#endif
    std::error_code error;
    return fs::status(native, error);
}

FileHandle OpenForReading(const std::string& path)
{
#ifdef _WIN32
    return FileHandle(_wfopen(NativePath(path).c_str(), L"rb"));
#else
    return FileHandle(std::fopen(path.c_str(), "rb"));
#endif
}

std::string FileNameOf(std::string_view path)
{
    const std::size_t separator = path.find_last_of(kSeparators);
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string StemOf(std::string_view path)
{
    const std::string name = FileNameOf(path);
    const std::size_t dot = name.rfind('.');
    // ".hidden" is a name without an extension, as are "." and "..".
    if (dot == 0 || dot == std::string::npos || name == "..")
        return name;
    return name.substr(0, dot);
}

std::string FolderOf(std::string_view path)
{
    const std::size_t separator = path.find_last_of(kSeparators);
    if (separator == std::string_view::npos)
        return "";
    const std::size_t end = path.find_last_not_of(kSeparators, separator);
    return std::string(path.substr(0, end == std::string_view::npos ? 1 : end + 1));  // "/" stays the root
}

std::string JoinPath(std::string_view folder, std::string_view name)
{
    if (folder.empty())
        return std::string(name);
    std::string joined(folder);
    if (kSeparators.find(joined.back()) == std::string_view::npos)
        joined += kPreferredSeparator;
    return joined.append(name);
}

}  // namespace sondrel
