#include "shell/system_info_lookup.h"

namespace sondrel {

std::optional<std::string> FindSystemInfoProgram(const RegistryReader& registry,
                                                 const std::function<bool(const std::string&)>& fileExists)
{
    using Status = RegistryText::Status;
    const RegistryText named = registry.ReadText("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH");
    if (named.status == Status::Found)
        return named.text;
    if (named.status == Status::Unusable)
        return std::nullopt;
    const RegistryText folder = registry.ReadText("SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO");
    if (folder.status != Status::Found)
        return std::nullopt;
    std::string program = folder.text + "\\MSINFO32.EXE";
    if (!fileExists(program))
        return std::nullopt;
    return program;
}

}  // namespace sondrel
