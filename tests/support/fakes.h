#pragma once

#include <map>
#include <string>
#include <vector>

#include "format/locale.h"
#include "shell/settings.h"
#include "shell/user_interface.h"

namespace sondrel::testing {

// US English written plainly: "6/14/2021", "Monday, June 14, 2021", "5:42:07 PM".
// The decimal and time separators can be changed to try other locales.
class FixedLocale : public Locale {
public:
    std::string decimalSeparator = ".";
    std::string timeSeparator = ":";

    std::string DecimalSeparator() const override { return decimalSeparator; }
    std::string TimeSeparator() const override { return timeSeparator; }
    std::string ShortDate(const LocalDateTime& when) const override;
    std::string LongDate(const LocalDateTime& when) const override;
    std::string LongTime(const LocalDateTime& when) const override;
};

class FixedClock : public Clock {
public:
    LocalDateTime now{2021, 6, 14, 17, 42, 7};
    LocalDateTime Now() const override { return now; }
};

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
