#pragma once

#include <map>
#include <string>
#include <vector>

#include "support/fixed_locale.h"
#include "shell/settings.h"
#include "shell/user_interface.h"

namespace sondrel::testing {

// An in-memory settings store that remembers every write in order.
class MemorySettingsStore : public SettingsStore {
public:
    std::map<std::string, std::string> values;  // "application/section/key" -> text
    std::vector<std::string> writtenKeys;

    std::string ReadSetting(const std::string& application, const std::string& section,
                            const std::string& key, const std::string& defaultText) const override;
    void WriteSetting(const std::string& application, const std::string& section,
                      const std::string& key, const std::string& text) override;
};

// Records every call and answers messages from a queue (OK when it runs dry).
class RecordingUi : public ConversionUi {
public:
    struct Message {
        std::string text;
        MessageButtons buttons;
        std::string title;
    };
    std::vector<Message> messages;
    std::vector<MessageAnswer> answers;
    std::vector<std::string> shownPaths;
    int hideCount = 0;

    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons,
                              const std::string& title) override;
    void HideConversionDialog() override { ++hideCount; }
    void ShowInBrowser(const std::string& path) override { shownPaths.push_back(path); }
};

}  // namespace sondrel::testing
