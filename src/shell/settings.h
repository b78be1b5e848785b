#pragma once

#include <string>

#include "format/preferences.h"

namespace sondrel {

// Per-user persistent store addressed by application, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or defaultText when nothing is stored under the key
    // (a stored empty text is returned as it is).
    virtual std::string ReadSetting(const std::string& application, const std::string& section,
                                    const std::string& key, const std::string& defaultText) const = 0;
    virtual void WriteSetting(const std::string& application, const std::string& section,
                              const std::string& key, const std::string& text) = 0;
    // Puts what was written where the next run, or another program, reads it.
    virtual void Flush() {}
};

// The paths of the last accepted conversion.
struct RememberedPaths {
    std::string LastReaperFile;
    std::string LastHTMLFile;
    std::string LastTemplateFile;
};

// The main window's outer bounds in twips (1/1440 inch).
struct WindowPlacement {
    float Left = 1000;
    float Top = 1000;
    float Width = 6500;
    float Height = 6500;
};

inline constexpr const char* SettingsSection = "Settings";

// applicationDirectory has no trailing separator; separator is the platform's
// directory separator, used to build the default template path.
std::string DefaultTemplatePath(const std::string& applicationDirectory, char separator = '/');

// Reads the ten keys in their fixed order. A stored placement that is not a
// number falls back to its key's default.
void LoadSettings(const SettingsStore& store, const std::string& defaultTemplatePath,
                  WindowPlacement& placement, RememberedPaths& paths, Preferences& preferences);

// Writes the ten keys in their fixed order, or nothing at all when the main
// window is minimised.
void SaveSettings(SettingsStore& store, bool mainWindowMinimised, const WindowPlacement& placement,
                  const RememberedPaths& paths, const Preferences& preferences);

}  // namespace sondrel
