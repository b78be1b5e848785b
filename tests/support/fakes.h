#pragma once

#include <map>
#include <string>
#include <vector>

#include "model/file_error.h"
#include "support/fixed_locale.h"
#include "shell/settings.h"
#include "shell/user_interface.h"

namespace sondrel::testing {

// An in-memory settings store that remembers every write in order.
class MemorySettingsStore : public SettingsStore {
public:
    std::map<std::string, std::string> values;  // "application/section/key" -> text
    std::vector<std::string> writtenKeys;

    std::string ReadSetting(const std::string& application, const std::string& section, const std::string& key,
                            const std::string& defaultText) const override
    {
        const auto found = values.find(application + "/" + section + "/" + key);
        return found == values.end() ? defaultText : found->second;
    }
    void WriteSetting(const std::string& application, const std::string& section, const std::string& key,
                      const std::string& text) override
    {
        values[application + "/" + section + "/" + key] = text;
        writtenKeys.push_back(key);
    }
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

    MessageAnswer ShowMessage(const std::string& text, MessageButtons buttons, const std::string& title) override
    {
        messages.push_back({text, buttons, title});
        const MessageAnswer answer = answers.empty() ? MessageAnswer::Ok : answers.front();
        if (!answers.empty())
            answers.erase(answers.begin());
        return answer;
    }
    void HideConversionDialog() override { ++hideCount; }
    void ShowInBrowser(const std::string& path) override { shownPaths.push_back(path); }
};

// The message of the FileError that calling operation throws, "" when it throws none.
template <typename Operation>
std::string FailureOf(Operation operation)
{
    try {
        operation();
    } catch (const FileError& error) {
        return error.what();
    }
    return "";
}

}  // namespace sondrel::testing
