#pragma once

#include "shell/settings.h"

namespace sondrel {

// The user's settings through QSettings: on Linux an INI file in the user's
// config folder (~/.config/Sondrel/Sondrel.conf), on Windows the user's
// registry. The application name doubles as the organisation name.
class QtSettingsStore : public SettingsStore {
public:
    std::string ReadSetting(const std::string& application, const std::string& section, const std::string& key,
                            const std::string& defaultText) const override;
    void WriteSetting(const std::string& application, const std::string& section, const std::string& key,
                      const std::string& text) override;
};

}  // namespace sondrel
