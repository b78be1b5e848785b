#include "generator/conditional_blocks.h"

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace sondrel {
namespace {

const std::string kNote = "##Invalid If-Then-Else format## ";

struct Flags {
    bool isGroup = false;
    bool inGroup = false;
    bool muted = false;
};

ProjectModel ModelWithTrack(Flags flags)
{
    ProjectModel model;
    TrackRecord& track = model.SlotForWriting(1);
    track.IsGroup = flags.isGroup;
    track.InGroup = flags.inGroup;
    track.Mute = flags.muted;
    model.Info.TrackCount = 1;
    return model;
}

std::string Expand(std::string text, Flags flags)
{
    const ProjectModel model = ModelWithTrack(flags);
    ExpandConditionals(text, 1, model);
    return text;
}

// The rules written out the plain way: find the three markers from the start,
// cut, splice, start again. The pass under test must give the same text.
std::string ExpandLiterally(std::string text, Flags flags)
{
    while (true) {
        const std::size_t opening = text.find("(#IF");
        if (opening == std::string::npos)
            return text;
        const std::size_t otherwise = text.find("##ELSE");
        const std::size_t closing = text.find("##END-IF#)");
        if (otherwise == std::string::npos || closing == std::string::npos || !(opening < otherwise) ||
            !(otherwise < closing))
            return text + kNote;
        const std::string inner = text.substr(opening + 4, closing - opening - 4);
        const std::string name = inner.substr(0, 9);
        bool condition = false;
        if (name == "-IS-GROUP")
            condition = flags.isGroup;
        else if (name == "-IN-GROUP")
            condition = flags.inGroup;
        else if (name == "-IS-MUTED")
            condition = flags.muted;
        else
            return text + kNote;
        const std::string rest = inner.substr(9);
        const std::size_t split = rest.find("##ELSE");
        const std::string chosen = condition ? rest.substr(0, split) : rest.substr(split + 6);
        text = text.substr(0, opening) + chosen + text.substr(closing + 10);
    }
}

struct ConditionalCase {
    const char* what;
    std::string text;
    Flags flags;
    std::string expected;
};

void PrintTo(const ConditionalCase& c, std::ostream* out)
{
    *out << c.what;
}

class ConditionalCases : public ::testing::TestWithParam<ConditionalCase> {};

TEST_P(ConditionalCases, ResolveAsWritten)
{
    const ConditionalCase& c = GetParam();
    EXPECT_EQ(Expand(c.text, c.flags), c.expected) << c.what;
    EXPECT_EQ(ExpandLiterally(c.text, c.flags), c.expected) << c.what << " (literal rules)";
}

const Flags kMuted{false, false, true};
const Flags kGroup{true, false, false};
const Flags kMember{false, true, false};
const Flags kPlain{};

INSTANTIATE_TEST_SUITE_P(
    Blocks, ConditionalCases,
    ::testing::Values(
        ConditionalCase{"no opening marker leaves even stray markers alone", "a##ELSE b##END-IF#) c", kMuted,
                        "a##ELSE b##END-IF#) c"},
        ConditionalCase{"bold then text, muted", "x(#IF-IS-MUTED<b>muted</b>##ELSE##END-IF#)y", kMuted,
                        "x<b>muted</b>y"},
        ConditionalCase{"bold then text, not muted", "x(#IF-IS-MUTED<b>muted</b>##ELSE##END-IF#)y", kPlain, "xy"},
        ConditionalCase{"blank after the name belongs to the then text", "[(#IF-IS-GROUP G##ELSE N##END-IF#)]",
                        kGroup, "[ G]"},
        ConditionalCase{"else text keeps its blanks", "[(#IF-IS-GROUP G##ELSE N\n##END-IF#)]", kPlain, "[ N\n]"},
        ConditionalCase{"in-group reads its own flag", "(#IF-IN-GROUP member##ELSEalone##END-IF#)", kMember,
                        " member"},
        ConditionalCase{"in-group false for a group track", "(#IF-IN-GROUP member##ELSEalone##END-IF#)", kGroup,
                        "alone"},
        ConditionalCase{"two blocks, first first",
                        "(#IF-IS-MUTED M##ELSE m##END-IF#)|(#IF-IS-GROUP G##ELSE g##END-IF#)", kMuted, " M| g"},
        ConditionalCase{"second ##ELSE stays in the else text", "(#IF-IS-MUTED a##ELSE b##ELSE c##END-IF#)", kPlain,
                        " b##ELSE c"},
        ConditionalCase{"stray end marker before the block", "##END-IF#)(#IF-IS-MUTED a##ELSE b##END-IF#)", kMuted,
                        "##END-IF#)(#IF-IS-MUTED a##ELSE b##END-IF#)" + kNote},
        ConditionalCase{"else marker before the block", "##ELSE(#IF-IS-MUTED a##ELSE b##END-IF#)", kMuted,
                        "##ELSE(#IF-IS-MUTED a##ELSE b##END-IF#)" + kNote},
        ConditionalCase{"missing end marker", "(#IF-IS-MUTED a##ELSE b", kMuted, "(#IF-IS-MUTED a##ELSE b" + kNote},
        ConditionalCase{"missing else marker", "(#IF-IS-MUTED a##END-IF#)", kMuted,
                        "(#IF-IS-MUTED a##END-IF#)" + kNote},
        ConditionalCase{"unknown name", "(#IF-IS-SOLO a##ELSE b##END-IF#)", kMuted,
                        "(#IF-IS-SOLO a##ELSE b##END-IF#)" + kNote},
        ConditionalCase{"name in lower case is unknown", "(#IF-is-muted a##ELSE b##END-IF#)", kMuted,
                        "(#IF-is-muted a##ELSE b##END-IF#)" + kNote},
        ConditionalCase{"opening marker in lower case is plain text", "(#if-IS-MUTED a##ELSE b##END-IF#)", kMuted,
                        "(#if-IS-MUTED a##ELSE b##END-IF#)"},
        ConditionalCase{"blank between opening marker and name", "(#IF -IS-MUTED a##ELSE b##END-IF#)", kMuted,
                        "(#IF -IS-MUTED a##ELSE b##END-IF#)" + kNote},
        ConditionalCase{"inner text shorter than a name", "(#IF##ELSE##END-IF#)", kMuted,
                        "(#IF##ELSE##END-IF#)" + kNote},
        ConditionalCase{"empty branches", "<(#IF-IS-MUTED##ELSE##END-IF#)>", kMuted, "<>"},
        ConditionalCase{"blocks before an unresolved one are resolved, later ones are not",
                        "(#IF-IS-MUTED A##ELSE a##END-IF#)(#IF-BAD-NAME b##ELSE c##END-IF#)(#IF-IS-MUTED D##ELSE "
                        "d##END-IF#)",
                        kMuted,
                        " A(#IF-BAD-NAME b##ELSE c##END-IF#)(#IF-IS-MUTED D##ELSE d##END-IF#)" + kNote},
        ConditionalCase{"nested block, muted group track",
                        "(#IF-IS-MUTED A(#IF-IS-GROUP B##ELSE C##END-IF#) D##ELSE E##END-IF#)",
                        Flags{true, false, true}, " A B D"},
        ConditionalCase{"nested block, muted plain track",
                        "(#IF-IS-MUTED A(#IF-IS-GROUP B##ELSE C##END-IF#) D##ELSE E##END-IF#)", kMuted, " A E"},
        ConditionalCase{"nested block, unmuted track leaves the outer end literal",
                        "(#IF-IS-MUTED A(#IF-IS-GROUP B##ELSE C##END-IF#) D##ELSE E##END-IF#)", kPlain,
                        " C D##ELSE E##END-IF#)"},
        ConditionalCase{"a marker formed where a block was cut out is found again",
                        "(#(#IF-IS-MUTED##ELSE##END-IF#)IF-IS-MUTED yes##ELSE no##END-IF#)", kMuted, " yes"},
        ConditionalCase{"an end marker formed from its first nine characters and the text after the block",
                        "(#IF-IS-MUTED x##ELSE(#IF-IN-GROUP P##ELSE Q##END-IF###END-IF#))", kMember, " P"},
        ConditionalCase{"the then text of one block pairs with the markers after it",
                        "(#IF-IS-MUTED ##(#IF-IS-GROUP##ELSE##END-IF#)##ELSEx##END-IF#)", kMuted, " ##x"}));

TEST(ConditionalBlocks, MarkersFarBeyondSixteenBitPositionsStillWork)
{
    const std::string filler(70000, '.');
    const std::string text = filler + "(#IF-IS-MUTED on##ELSE off##END-IF#)" + filler + "(#IF-IS-GROUP g##ELSE" +
                             filler + "n##END-IF#)";
    EXPECT_EQ(Expand(text, kMuted), filler + " on" + filler + filler + "n");
}

TEST(ConditionalBlocks, TheNoteIsAppendedOnceEvenWithManyBadBlocks)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text += "(#IF-WHATEVER a##ELSE b##END-IF#)";
    const std::string result = Expand(text, kMuted);
    EXPECT_EQ(result, text + kNote);
}

TEST(ConditionalBlocks, ManyBlocksInOneCopyAreAllResolved)
{
    std::string text;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        text += "<(#IF-IS-MUTED m" + std::to_string(i) + "##ELSE u##END-IF#)>";
        expected += "< m" + std::to_string(i) + ">";
    }
    EXPECT_EQ(Expand(text, kMuted), expected);
}

// Random texts built from pieces of the markers, so that markers form and
// break at every join, against the literal rules.
TEST(ConditionalBlocks, AgreesWithTheLiteralRulesOnRandomTexts)
{
    // Whole markers come up often enough for blocks to resolve; the
    // fragments make markers that only form once a block is cut out.
    const std::vector<std::string> pieces{
        "(#IF-IS-GROUP", "(#IF-IN-GROUP", "(#IF-IS-MUTED", "(#IF-IS-MUTED", "##ELSE", "##ELSE", "##ELSE",
        "##END-IF#)",    "##END-IF#)",    "##END-IF#)",    "(#IF",          "-IS-MUTED", "(#", "IF-IS-MUTED",
        "##",            "#",             "ELSE",          "END-IF#)",      "#)",     "x",      "y",
        " ",             "##END",         "-IF#)",         "(",             "E",      "LSE",
        "##END-IF#",     "##ELS",         ")"};
    std::mt19937 random(20210614);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    std::uniform_int_distribution<int> flagBits(0, 7);
    int resolvedSomething = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += pieces[pick(random)];
        const int bits = flagBits(random);
        const Flags flags{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0};
        const std::string expected = ExpandLiterally(text, flags);
        ASSERT_EQ(Expand(text, flags), expected) << "text: " << text << " flags: " << bits;
        if (expected.size() < text.size())
            ++resolvedSomething;
    }
    // The pieces must really exercise resolution, not only the literal copy.
    EXPECT_GT(resolvedSomething, 1000);
}

}  // namespace
}  // namespace sondrel
