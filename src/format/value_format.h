#pragma once

#include <string>

#include "format/locale.h"
#include "format/preferences.h"

namespace sondrel {

// 6 x log2(gain) with two decimals and "db": "+6.00db", "0.00db", "-6.00db";
// "-inf" for a gain of exactly 0. The sign follows the unrounded value.
std::string FormatVolumeDb(float gain, const Locale& locale);

// "C" for exactly 0, else "L 50%" or "R 25%".
std::string FormatPan(float pan);

// Time of day "h:mm:ss" after rounding to whole seconds (a half rounds up);
// whole days are dropped. A negative value is "-" and the clock of its size.
std::string FormatSeconds(float seconds, const Locale& locale);

// The plain general number form: up to seven significant digits, no trailing
// zeros, the locale's decimal separator ("120", "99.5").
std::string FormatGeneralNumber(float value, const Locale& locale);

// The date and time for the document header, short or long as preferred.
std::string FormatCurrentDate(const Preferences& preferences, const Locale& locale, const Clock& clock);
std::string FormatCurrentTime(const Preferences& preferences, const Locale& locale, const Clock& clock);
// The same for any moment.
std::string FormatDate(const LocalDateTime& when, const Preferences& preferences, const Locale& locale);
std::string FormatTime(const LocalDateTime& when, const Preferences& preferences, const Locale& locale);

// label when flag is set (TextIfSet) or clear (TextIfClear), else "".
std::string TextIfSet(bool flag, const std::string& label);
std::string TextIfClear(bool flag, const std::string& label);

}  // namespace sondrel
