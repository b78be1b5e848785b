#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace sondrel {

// Where a number was read, for the message of a failed conversion.
struct LinePlace {
    const std::string& path;
    long line;
};

// The value of a decimal number: an optional sign, digits with an optional
// fraction after ".", an optional exponent. "inf", "nan", hexadecimal and
// anything else give no value. A magnitude beyond the double range gives an
// infinity, one below it zero.
std::optional<double> ParseDecimal(std::string_view text);

// Rounds to the nearest whole number, a half to the even neighbour.
double RoundHalfEven(double value);

// Strict conversions: a field that is not a number, or a number outside the
// target's range, fails the read (FileError at place).
float ToSingle(std::string_view field, const LinePlace& place);
std::int16_t ToInteger(std::string_view field, const LinePlace& place);

// Lenient conversions: a field that is not a number gives 0; a number outside
// the target's range still fails the read.
float SingleOrZero(std::string_view field, const LinePlace& place);
std::int16_t IntOrZero(std::string_view field, const LinePlace& place);

// Lenient conversions for the facts that only describe (colours, modes,
// render settings, positions of markers): anything that is not a finite
// number, or a whole number beyond 64 bits, gives fallback; never fails.
double DecimalOr(std::string_view field, double fallback);
std::int64_t WholeOr(std::string_view field, std::int64_t fallback);

}  // namespace sondrel
