#include "reader/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "model/file_error.h"

namespace sondrel {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t i)
{
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i;
}

// Whether text follows the decimal grammar, all of it.
bool IsDecimal(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t whole = i;
    i = SkipDigits(text, i);
    bool digits = i > whole;
    if (i < text.size() && text[i] == '.') {
        const std::size_t fraction = ++i;
        i = SkipDigits(text, i);
        digits = digits || i > fraction;
    }
    if (!digits)
        return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            ++i;
        const std::size_t exponent = i;
        i = SkipDigits(text, i);
        if (i == exponent)
            return false;
    }
    return i == text.size();
}

// The decimal exponent of the leading digit (for "0.05" it is -2), used to
// tell an overflow from an underflow. The text follows the decimal grammar.
long LeadingExponent(std::string_view text)
{
    std::size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
    long position = 0;  // of the leading nonzero digit, relative to the point
    long integerDigits = 0;
    bool seenNonzero = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        seenNonzero = seenNonzero || text[i] != '0';
        if (seenNonzero)
            ++integerDigits;
    }
    position = integerDigits - 1;
    if (!seenNonzero && i < text.size() && text[i] == '.') {
        long zeros = 0;
        for (++i; i < text.size() && text[i] == '0'; ++i)
            ++zeros;
        position = -zeros - 1;
    }
    const std::size_t e = text.find_first_of("eE");
    long exponent = 0;
    if (e != std::string_view::npos) {
        std::size_t j = e + 1;
        const bool negative = text[j] == '-';
        if (text[j] == '+' || text[j] == '-')
            ++j;
        for (; j < text.size() && exponent < 1000000000L; ++j)
            exponent = exponent * 10 + (text[j] - '0');
        if (negative)
            exponent = -exponent;
    }
    return position + exponent;
}

[[noreturn]] void NotANumber(std::string_view field, const LinePlace& place)
{
    throw FileError(place.path, place.line, "\"" + std::string(field) + "\" is not a number");
}

std::int16_t ToShort(double value, std::string_view field, const LinePlace& place)
{
    const double rounded = RoundHalfEven(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        throw FileError(place.path, place.line,
                        "\"" + std::string(field) + "\" is outside the range of whole numbers here, -32768 to 32767");
    return static_cast<std::int16_t>(rounded);
}

float ToFloat(double value, std::string_view field, const LinePlace& place)
{
    if (!(std::fabs(value) <= static_cast<double>(std::numeric_limits<float>::max())))
        throw FileError(place.path, place.line, "\"" + std::string(field) + "\" is too large a number");
    return static_cast<float>(value);
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text)
{
    if (!IsDecimal(text))
        return std::nullopt;
    const bool negative = text[0] == '-';
    const std::string_view unsigned_text = (text[0] == '+' || text[0] == '-') ? text.substr(1) : text;
    double value = 0;
    const auto [end, error] = std::from_chars(unsigned_text.data(), unsigned_text.data() + unsigned_text.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range)
        value = LeadingExponent(text) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (error != std::errc())
        return std::nullopt;
    return negative ? -value : value;
}

double RoundHalfEven(double value)
{
    const double down = std::floor(value);
    const double rest = value - down;
    if (rest < 0.5)
        return down;
    if (rest > 0.5)
        return down + 1;
    return std::fmod(down, 2.0) == 0 ? down : down + 1;
}

float ToSingle(std::string_view field, const LinePlace& place)
{
    const auto value = ParseDecimal(field);
    if (!value)
        NotANumber(field, place);
    return ToFloat(*value, field, place);
}

std::int16_t ToInteger(std::string_view field, const LinePlace& place)
{
    const auto value = ParseDecimal(field);
    if (!value)
        NotANumber(field, place);
    return ToShort(*value, field, place);
}

float SingleOrZero(std::string_view field, const LinePlace& place)
{
    const auto value = ParseDecimal(field);
    return value ? ToFloat(*value, field, place) : 0.0f;
}

std::int16_t IntOrZero(std::string_view field, const LinePlace& place)
{
    const auto value = ParseDecimal(field);
    return value ? ToShort(*value, field, place) : std::int16_t{0};
}

double DecimalOr(std::string_view field, double fallback)
{
    const auto value = ParseDecimal(field);
    return value && std::isfinite(*value) ? *value : fallback;
}

std::int64_t WholeOr(std::string_view field, std::int64_t fallback)
{
    const double value = RoundHalfEven(DecimalOr(field, static_cast<double>(fallback)));
    return std::fabs(value) < 9e18 ? static_cast<std::int64_t>(value) : fallback;
}

}  // namespace sondrel
