// The registry as Windows keeps it; built for Windows only.
#ifdef _WIN32

#include "platform/windows_registry.h"

#include <algorithm>
#include <array>

namespace sondrel {

namespace {

constexpr DWORD bufferSize = 1024;

// A key opened for reading, closed again when it goes; a key that failed to
// open is never closed.
class ReadOnlyKey {
public:
    ReadOnlyKey(HKEY root, const std::string& name)
    {
        if (RegOpenKeyExA(root, name.c_str(), 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~ReadOnlyKey()
    {
        if (key_ != nullptr)
            RegCloseKey(key_);
    }
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

    HKEY Handle() const { return key_; }

private:
    HKEY key_ = nullptr;
};

std::string AnsiToUtf8(const std::string& ansi)
{
    if (ansi.empty())
        return {};
    const int ansiLength = static_cast<int>(ansi.size());
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, ansi.data(), ansiLength, nullptr, 0);
    if (wideLength <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), ansiLength, wide.data(), wideLength);
    const int utf8Length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, nullptr, 0, nullptr, nullptr);
    if (utf8Length <= 0)
        return {};
    std::string utf8(static_cast<std::size_t>(utf8Length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), wideLength, utf8.data(), utf8Length, nullptr, nullptr);
    return utf8;
}

}  // namespace

WindowsRegistry::WindowsRegistry(HKEY root) : root_(root) {}

RegistryText WindowsRegistry::ReadText(const std::string& keyName, const std::string& valueName) const
{
    using Status = RegistryText::Status;
    const ReadOnlyKey key(root_, keyName);
    if (key.Handle() == nullptr)
        return {Status::Missing, {}};
    // Zero-filled, so that whatever the value leaves unused ends its text.
    std::array<char, bufferSize> buffer{};
    DWORD size = bufferSize;
    DWORD type = REG_NONE;
    if (RegQueryValueExA(key.Handle(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS)
        return {Status::Missing, {}};
    const auto end = std::find(buffer.begin(), buffer.end(), '\0');
    if (end == buffer.end())
        return {Status::Unusable, {}};
    if (type != REG_SZ)
        return {Status::Found, {}};
    return {Status::Found, AnsiToUtf8(std::string(buffer.begin(), end))};
}

}  // namespace sondrel

#endif  // _WIN32
