#pragma once

#include <string>

namespace sondrel {

// A moment on the user's local clock.
struct LocalDateTime {
    int Year = 2000;
    int Month = 1;   // 1..12
    int Day = 1;     // 1..31
    int Hour = 0;    // 0..23
    int Minute = 0;
    int Second = 0;
};

// What the user's locale says about writing numbers, dates and times. The
// desktop program and the converter supply the system's; tests a fixed one.
class Locale {
public:
    virtual ~Locale() = default;
    virtual std::string DecimalSeparator() const = 0;
    virtual std::string TimeSeparator() const = 0;
    virtual std::string ShortDate(const LocalDateTime& when) const = 0;  // 6/14/2021
    virtual std::string LongDate(const LocalDateTime& when) const = 0;   // Monday, June 14, 2021
    virtual std::string LongTime(const LocalDateTime& when) const = 0;   // 5:42:07 PM
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime Now() const = 0;
    // A moment given in seconds since 1970 (UTC), on the user's local clock.
    virtual LocalDateTime LocalTimeOf(long long secondsSince1970) const = 0;
};

}  // namespace sondrel
