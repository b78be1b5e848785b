#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader/line_fields.h"

namespace sondrel {
namespace {

std::vector<std::string> PartsOf(const LineParts& parts)
{
    std::vector<std::string> out;
    for (std::size_t n = 1; n <= parts.Count(); ++n)
        out.emplace_back(parts[n]);
    return out;
}

struct CutCase {
    const char* line;
    std::vector<std::string> parts;
};

TEST(SplitFields, CutsAtEverySingleSpace)
{
    const std::vector<CutCase> cases = {
        {"TEMPO 120 4 4", {"TEMPO", "120", "4", "4"}}, {"NAME \"Lead Vocal\"", {"NAME", "\"Lead", "Vocal\""}},
        {"A  B", {"A", "", "B"}}, {"A\tB C", {"A\tB", "C"}}, {"A ", {"A"}}, {"", {}}, {"X", {"X"}},
    };
    for (const CutCase& c : cases)
        EXPECT_EQ(PartsOf(SplitFields(c.line)), c.parts) << c.line;
}

TEST(SplitFields, KeepsTwoHundredFieldsAndMissingOnesAreEmpty)
{
    std::string line;
    for (int i = 1; i <= 250; ++i)
        line += std::to_string(i) + " ";
    const LineParts fields = SplitFields(line);
    EXPECT_EQ(fields.Count(), MaxLineFields);
    EXPECT_EQ(fields[200], "200");
    EXPECT_EQ(fields[201], "");
    EXPECT_EQ(fields[0], "");
    const LineParts volpan = SplitFields("VOLPAN 1");
    EXPECT_TRUE(volpan.Has(2));
    EXPECT_FALSE(volpan.Has(3));
    EXPECT_EQ(volpan[3], "");
}

TEST(SplitTokens, CutsTheWayReaperQuotes)
{
    const std::vector<CutCase> cases = {
        {"NAME Drums", {"NAME", "Drums"}}, {"NAME \"Lead Vocal\"", {"NAME", "Lead Vocal"}},
        {"NAME '\"'", {"NAME", "\""}}, {"NAME \"'''\"", {"NAME", "'''"}},
        {"NAME `08 Matilda '\"'`", {"NAME", "08 Matilda '\"'"}},
        {"NAME \"\"", {"NAME", ""}}, {"NAME hel\"lo", {"NAME", "hel\"lo"}}, {"NAME <>", {"NAME", "<>"}},
        {"NAME \"never closed", {"NAME", "never closed"}}, {"NAME \"a\"b c", {"NAME", "a", "b", "c"}},
        {"NAME   spaced    out", {"NAME", "spaced", "out"}}, {"NAME tab\there", {"NAME", "tab\there"}},
        {"<VST \"VST: ReaEQ (Cockos)\" reaeq.dll 0 \"\"", {"<VST", "VST: ReaEQ (Cockos)", "reaeq.dll", "0", ""}},
        {"<JS utility/volume \"\"", {"<JS", "utility/volume", ""}},
        {"NAME \xd0\xa1\xd0\xbe\xd0\xbd", {"NAME", "\xd0\xa1\xd0\xbe\xd0\xbd"}}, {"", {}},
    };
    for (const CutCase& c : cases)
        EXPECT_EQ(PartsOf(SplitTokens(c.line)), c.parts) << c.line;
}

TEST(TrimSpaces, RemovesSpacesOnly)
{
    EXPECT_EQ(TrimSpaces("   a b  "), "a b");
    EXPECT_EQ(TrimSpaces("\ta\t"), "\ta\t");
    EXPECT_EQ(TrimSpaces("    "), "");
    EXPECT_EQ(FirstField("TAKE NULL SEL"), "TAKE");
    EXPECT_EQ(FirstField(">"), ">");
}

}  // namespace
}  // namespace sondrel
