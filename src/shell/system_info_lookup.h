#pragma once

#include <functional>
#include <optional>
#include <string>

namespace sondrel {

// One value as the registry gave it. Missing covers every ordinary miss (no
// key, no value, a value too long to read); Unusable is a value that filled
// the whole read buffer, so that where its text ends cannot be told.
struct RegistryText {
    enum class Status { Found, Missing, Unusable };
    Status status = Status::Missing;
    // UTF-8. Empty unless Found, and empty for a value that is not text.
    std::string text;
};

// Reads values under one fixed root of the registry, so that the lookup can
// be tried against a fake.
class RegistryReader {
public:
    virtual ~RegistryReader() = default;
    virtual RegistryText ReadText(const std::string& keyName, const std::string& valueName) const = 0;
};

// The Windows System Information program the registry names: the MSINFO
// PATH value as it stands (it is started without looking for the file
// first), else MSINFO32.EXE in the folder the Shared Tools Location names,
// if that file exists. nullopt when there is none, and at once when the
// PATH value is unusable: the folder is only a fallback for a missing PATH.
std::optional<std::string> FindSystemInfoProgram(const RegistryReader& registry,
                                                 const std::function<bool(const std::string&)>& fileExists);

}  // namespace sondrel
