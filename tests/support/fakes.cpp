#include "support/fakes.h"

namespace sondrel::testing {

std::string MemorySettingsStore::ReadSetting(const std::string& application, const std::string& section,
                                             const std::string& key, const std::string& defaultText) const
{
    const auto found = values.find(application + "/" + section + "/" + key);
    return found == values.end() ? defaultText : found->second;
}

void MemorySettingsStore::WriteSetting(const std::string& application, const std::string& section,
                                       const std::string& key, const std::string& text)
{
    values[application + "/" + section + "/" + key] = text;
    writtenKeys.push_back(key);
}

MessageAnswer RecordingUi::ShowMessage(const std::string& text, MessageButtons buttons, const std::string& title)
{
    messages.push_back({text, buttons, title});
    if (answers.empty())
        return MessageAnswer::Ok;
    const MessageAnswer answer = answers.front();
    answers.erase(answers.begin());
    return answer;
}

}  // namespace sondrel::testing
