#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "format/locale.h"

namespace sondrel {

// "h:mm:ss.mmm" with the locale's decimal separator before the
// milliseconds: "1:02:03.250"; hours do not wrap; "-" before a negative
// time; "" for a value that is no time.
std::string FormatPreciseTime(double seconds, const Locale& locale);

// "#rrggbb" for a colour REAPER marks as set, "" otherwise. The platform
// that saved the file (its program version, "7.14/win64") decides the byte
// order: Windows keeps blue in the high byte, macOS and Linux red.
std::string FormatColor(std::uint32_t stored, std::string_view reaperVersion);

// A channel code of sends, receives and hardware outputs: the first channel
// in the low ten bits, 1024 for mono, higher codes for more channels:
// "1/2", "3", "1-4"; "" for -1, no channels.
std::string ChannelText(int code);

// A track's record input: "In 1", "In 1/2", "In 1-4", "MIDI all",
// "MIDI ch 3", "" for none.
std::string RecordInputText(int code);

// A send's or receive's MIDI: "All", "Ch 3 → Ch 1", "" when it sends none.
std::string MidiRoutingText(int flags);

// Where a send taps the track: "Post-fader", "Pre-FX" or "Pre-fader".
std::string RoutingModeText(int mode);

// A number with at most the given decimals, trailing zeros dropped, the
// locale's separator: "0.5", "48000".
std::string FormatDecimal(double value, int decimals, const Locale& locale);

}  // namespace sondrel
