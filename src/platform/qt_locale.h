#pragma once

#include <QLocale>

#include "format/locale.h"

namespace sondrel {

// Numbers, dates and times as a QLocale writes them; by default the system's
// (LC_ALL, LANG on Linux).
class QtLocale : public Locale {
public:
    explicit QtLocale(QLocale locale = QLocale::system());

    std::string DecimalSeparator() const override;
    std::string TimeSeparator() const override;
    std::string ShortDate(const LocalDateTime& when) const override;
    std::string LongDate(const LocalDateTime& when) const override;
    std::string LongTime(const LocalDateTime& when) const override;

private:
    QLocale locale_;
};

// The local wall clock.
class SystemClock : public Clock {
public:
    LocalDateTime Now() const override;
    LocalDateTime LocalTimeOf(long long secondsSince1970) const override;
};

}  // namespace sondrel
