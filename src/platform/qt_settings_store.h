#pragma once

#include <map>
#include <memory>

#include "shell/settings.h"

class QSettings;

namespace sondrel {

// The user's settings through QSettings: on Linux an INI file in the user's
// config folder (~/.config/Sondrel/Sondrel.conf), on Windows the user's
// registry. The application name doubles as the organisation name. Each
// application's settings are opened once and kept for the store's life.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;

    std::string ReadSetting(const std::string& application, const std::string& section, const std::string& key,
                            const std::string& defaultText) const override;
    void WriteSetting(const std::string& application, const std::string& section, const std::string& key,
                      const std::string& text) override;
    void Flush() override;

private:
    QSettings& SettingsOf(const std::string& application) const;

    mutable std::map<std::string, std::unique_ptr<QSettings>> opened_;
};

}  // namespace sondrel
