#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <sstream>
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

// What converting field gives: the value, or the message of the failure.
template <typename Convert>
std::string Outcome(Convert convert, const char* field)
{
    try {
        std::ostringstream value;
        value << convert(field, LinePlace{kPath, 7});
        return value.str();
    } catch (const FileError& error) {
        EXPECT_EQ(error.path(), kPath);
        EXPECT_EQ(error.line(), 7);
        return error.what();
    }
}

TEST(NumberConversion, IntegersAreSixteenBitWithHalvesToTheEvenNeighbour)
{
    const std::string range = "\" is outside the range of whole numbers here, -32768 to 32767";
    const std::pair<const char*, std::string> strict[] = {
        {"4", "4"}, {"2.5", "2"}, {"3.5", "4"}, {"-2.5", "-2"}, {"-3.5", "-4"}, {"2.6", "3"}, {"32767", "32767"},
        {"-32768", "-32768"}, {"-32768.5", "-32768"},
        {"32767.5", "song.rpp, line 7: \"32767.5" + range}, {"-32769", "song.rpp, line 7: \"-32769" + range},
        {"abc", "song.rpp, line 7: \"abc\" is not a number"}, {"", "song.rpp, line 7: \"\" is not a number"},
    };
    for (const auto& [field, outcome] : strict)
        EXPECT_EQ(Outcome(ToInteger, field), outcome) << field;
    // The lenient conversion reads what is not a number as 0, and checks the range too.
    const std::pair<const char*, std::string> lenient[] = {
        {"x", "0"}, {"", "0"}, {"-1", "-1"}, {"40000", "song.rpp, line 7: \"40000" + range}};
    for (const auto& [field, outcome] : lenient)
        EXPECT_EQ(Outcome(IntOrZero, field), outcome) << field;
}

TEST(NumberConversion, SinglesStayWithinTheFloatRange)
{
    const std::pair<const char*, std::string> strict[] = {
        {"0.5", "0.5"}, {"-1e38", "-1e+38"}, {"1e-50", "0"},
        {"1e39", "song.rpp, line 7: \"1e39\" is too large a number"},
        {"-1e39", "song.rpp, line 7: \"-1e39\" is too large a number"},
        {"nan", "song.rpp, line 7: \"nan\" is not a number"},
    };
    for (const auto& [field, outcome] : strict)
        EXPECT_EQ(Outcome(ToSingle, field), outcome) << field;
    const std::pair<const char*, std::string> lenient[] = {
        {"1.25", "1.25"}, {"abc", "0"}, {"1e400", "song.rpp, line 7: \"1e400\" is too large a number"}};
    for (const auto& [field, outcome] : lenient)
        EXPECT_EQ(Outcome(SingleOrZero, field), outcome) << field;
}

}  // namespace
}  // namespace sondrel
