#pragma once

#include <string>

#include "format/locale.h"

// The locale and clock that tests, benchmarks and fuzzers share: fixed, so
// that what they produce does not depend on the machine.
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
    // On UTC, so that what a test expects does not depend on where it runs.
    LocalDateTime LocalTimeOf(long long secondsSince1970) const override;
};

}  // namespace sondrel::testing
