#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "model/file_error.h"
#include "reader/numbers.h"

namespace sondrel {
namespace {

const std::string kPath = "song.rpp";

TEST(ParseDecimal, AcceptsTheDecimalGrammarOnly)
{
    struct Case {
        const char* text;
        std::optional<double> value;
    };
    const std::vector<Case> cases = {
        {"0", 0.0}, {"120", 120.0}, {"-0.25", -0.25}, {"+3", 3.0}, {"1.5e2", 150.0}, {"1E-2", 0.01}, {"2.", 2.0},
        {".5", 0.5}, {"120.00000000000000", 120.0}, {"-1.00000000000000", -1.0},
        {"", std::nullopt}, {"abc", std::nullopt}, {"inf", std::nullopt}, {"-inf", std::nullopt},
        {"nan", std::nullopt}, {"infinity", std::nullopt}, {"0x10", std::nullopt}, {"1e", std::nullopt},
        {"1e+", std::nullopt}, {".", std::nullopt}, {"-", std::nullopt}, {"+-1", std::nullopt},
        {"1.2.3", std::nullopt}, {"1,5", std::nullopt}, {" 1", std::nullopt}, {"1 ", std::nullopt},
        {"\"1\"", std::nullopt}, {"{C08076D2}", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseDecimal(c.text), c.value) << c.text;
}

TEST(ParseDecimal, BeyondDoubleGivesInfinityOrZero)
{
    EXPECT_EQ(ParseDecimal("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDecimal("-1e400"), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(ParseDecimal("1e-400"), 0.0);
    EXPECT_EQ(ParseDecimal("0.0000001e-400"), 0.0);
    EXPECT_EQ(ParseDecimal("1e99999999999999999999"), std::numeric_limits<double>::infinity());
}

TEST(RoundHalfEven, RoundsHalvesToTheEvenNeighbour)
{
    const std::vector<std::pair<double, double>> cases = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2},
        {2.4, 2}, {2.6, 3}, {-2.6, -3}, {7, 7}, {32767.4, 32767},
    };
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(RoundHalfEven(value), rounded) << value;
}

// The message of the failure that converting field gives, or "" when it converts.
template <typename Convert>
std::string FailureOf(Convert convert, const char* field)
{
    try {
        convert(field, LinePlace{kPath, 7});
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), kPath);
        EXPECT_EQ(error.line(), 7);
        return error.what();
    }
    return "";
}

TEST(NumberConversion, IntegersAreSixteenBit)
{
    const LinePlace place{kPath, 1};
    EXPECT_EQ(ToInteger("4", place), 4);
    EXPECT_EQ(ToInteger("2.5", place), 2);
    EXPECT_EQ(ToInteger("3.5", place), 4);
    EXPECT_EQ(ToInteger("32767", place), 32767);
    EXPECT_EQ(ToInteger("-32768", place), -32768);
    EXPECT_EQ(ToInteger("-32768.5", place), -32768);
    EXPECT_EQ(IntOrZero("x", place), 0);
    EXPECT_EQ(IntOrZero("", place), 0);
    EXPECT_EQ(IntOrZero("-1", place), -1);
    const std::string outOfRange =
        "song.rpp, line 7: \"32767.5\" is outside the range of whole numbers here, -32768 to 32767";
    EXPECT_EQ(FailureOf(ToInteger, "32767.5"), outOfRange);
    EXPECT_NE(FailureOf(ToInteger, "-32769"), "");
    EXPECT_NE(FailureOf(IntOrZero, "40000"), "") << "the lenient conversion checks the range too";
    EXPECT_EQ(FailureOf(ToInteger, "abc"), "song.rpp, line 7: \"abc\" is not a number");
    EXPECT_EQ(FailureOf(ToInteger, ""), "song.rpp, line 7: \"\" is not a number");
}

TEST(NumberConversion, SinglesStayWithinTheFloatRange)
{
    const LinePlace place{kPath, 1};
    EXPECT_FLOAT_EQ(ToSingle("0.5", place), 0.5f);
    EXPECT_FLOAT_EQ(ToSingle("-1e38", place), -1e38f);
    EXPECT_EQ(ToSingle("1e-50", place), 0.0f);
    EXPECT_FLOAT_EQ(SingleOrZero("1.25", place), 1.25f);
    EXPECT_EQ(SingleOrZero("abc", place), 0.0f);
    EXPECT_EQ(FailureOf(ToSingle, "1e39"), "song.rpp, line 7: \"1e39\" is too large a number");
    EXPECT_NE(FailureOf(ToSingle, "-1e39"), "");
    EXPECT_NE(FailureOf(SingleOrZero, "1e400"), "") << "the lenient conversion checks the range too";
    EXPECT_EQ(FailureOf(ToSingle, "nan"), "song.rpp, line 7: \"nan\" is not a number");
}

}  // namespace
}  // namespace sondrel
