#pragma once

// Windows only: the registry behind RegistryReader.
#include <windows.h>

#include "shell/system_info_lookup.h"

namespace sondrel {

// Reads values under one root key through the ANSI entry points, asking for
// read access only: a standard user under UAC is refused any write right on
// HKEY_LOCAL_MACHINE, and would find nothing at all if we asked for one.
// Text comes back converted from the ANSI code page to UTF-8.
class WindowsRegistry : public RegistryReader {
public:
    explicit WindowsRegistry(HKEY root = HKEY_LOCAL_MACHINE);

    // A value is read into a 1024-byte buffer and ends at its first zero
    // byte; one that fills the buffer without any is Unusable. Values that
    // are not REG_SZ are Found with empty text.
    RegistryText ReadText(const std::string& keyName, const std::string& valueName) const override;

private:
    HKEY root_;
};

}  // namespace sondrel
