#include "generator/conditional_blocks.h"

#include "format/text_ops.h"
#include "generator_fixture.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace sondrel {
namespace {

const std::string kNote = "##Invalid If-Then-Else format## ";

// Track flags as letters: g = is a group, i = in a group, m = muted.
std::string Expand(std::string text, const std::string& flags)
{
    ProjectModel model;
    TrackRecord& track = model.SlotForWriting(1);
    track.IsGroup = flags.find('g') != std::string::npos;
    track.InGroup = flags.find('i') != std::string::npos;
    track.Mute = flags.find('m') != std::string::npos;
    model.Info.TrackCount = 1;
    ExpandConditionals(text, 1, model);
    return text;
}

// The rules written out the plain way: find the three markers from the start,
// cut, splice, start again. The pass under test must give the same text.
std::string ExpandLiterally(std::string text, const std::string& flags)
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
        char flag = 0;
        if (name == "-IS-GROUP")
            flag = 'g';
        else if (name == "-IN-GROUP")
            flag = 'i';
        else if (name == "-IS-MUTED")
            flag = 'm';
        else
            return text + kNote;
        const std::string rest = inner.substr(9);
        const std::size_t split = rest.find("##ELSE");
        const bool condition = flags.find(flag) != std::string::npos;
        const std::string chosen = condition ? rest.substr(0, split) : rest.substr(split + 6);
        text = text.substr(0, opening) + chosen + text.substr(closing + 10);
    }
}

TEST(ConditionalBlocks, ResolveAsWritten)
{
    const std::string nested = "(#IF-IS-MUTED A(#IF-IS-GROUP B##ELSE C##END-IF#) D##ELSE E##END-IF#)";
    const struct {
        std::string text, flags, expected;
    } cases[] = {
        {"a##ELSE b##END-IF#) c", "m", "a##ELSE b##END-IF#) c"},
        {"x(#IF-IS-MUTED<b>muted</b>##ELSE##END-IF#)y", "m", "x<b>muted</b>y"},
        {"x(#IF-IS-MUTED<b>muted</b>##ELSE##END-IF#)y", "", "xy"},
        {"[(#IF-IS-GROUP G##ELSE N\n##END-IF#)]", "g", "[ G]"},
        {"[(#IF-IS-GROUP G##ELSE N\n##END-IF#)]", "", "[ N\n]"},
        {"(#IF-IN-GROUP member##ELSEalone##END-IF#)", "i", " member"},
        {"(#IF-IN-GROUP member##ELSEalone##END-IF#)", "g", "alone"},
        {"(#IF-IS-MUTED M##ELSE m##END-IF#)|(#IF-IS-GROUP G##ELSE g##END-IF#)", "m", " M| g"},
        {"(#IF-IS-MUTED a##ELSE b##ELSE c##END-IF#)", "", " b##ELSE c"},
        {"##END-IF#)(#IF-IS-MUTED a##ELSE b##END-IF#)", "m", "##END-IF#)(#IF-IS-MUTED a##ELSE b##END-IF#)" + kNote},
        {"##ELSE(#IF-IS-MUTED a##ELSE b##END-IF#)", "m", "##ELSE(#IF-IS-MUTED a##ELSE b##END-IF#)" + kNote},
        {"(#IF-IS-MUTED a##ELSE b", "m", "(#IF-IS-MUTED a##ELSE b" + kNote},
        {"(#IF-IS-MUTED a##END-IF#)", "m", "(#IF-IS-MUTED a##END-IF#)" + kNote},
        {"(#IF-is-muted a##ELSE b##END-IF#)", "m", "(#IF-is-muted a##ELSE b##END-IF#)" + kNote},
        {"(#if-IS-MUTED a##ELSE b##END-IF#)", "m", "(#if-IS-MUTED a##ELSE b##END-IF#)"},
        {"(#IF -IS-MUTED a##ELSE b##END-IF#)", "m", "(#IF -IS-MUTED a##ELSE b##END-IF#)" + kNote},
        {"(#IF##ELSE##END-IF#)", "m", "(#IF##ELSE##END-IF#)" + kNote},
        {"<(#IF-IS-MUTED##ELSE##END-IF#)>", "m", "<>"},
        // Blocks before an unresolved one are resolved, later ones are not; one note only.
        {"(#IF-IS-MUTED A##ELSE a##END-IF#)(#IF-BAD b##ELSE c##END-IF#)(#IF-IS-MUTED D##ELSE d##END-IF#)", "m",
         " A(#IF-BAD b##ELSE c##END-IF#)(#IF-IS-MUTED D##ELSE d##END-IF#)" + kNote},
        {nested, "mg", " A B D"},
        {nested, "m", " A E"},
        {nested, "", " C D##ELSE E##END-IF#)"},
        // Markers that only form where a block was cut out are found again.
        {"(#(#IF-IS-MUTED##ELSE##END-IF#)IF-IS-MUTED yes##ELSE no##END-IF#)", "m", " yes"},
        {"(#IF-IS-MUTED x##ELSE(#IF-IN-GROUP P##ELSE Q##END-IF###END-IF#))", "i", " P"},
        {"(#IF-IS-MUTED ##(#IF-IS-GROUP##ELSE##END-IF#)##ELSEx##END-IF#)", "m", " ##x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Expand(c.text, c.flags), c.expected) << c.text << " [" << c.flags << "]";
        EXPECT_EQ(ExpandLiterally(c.text, c.flags), c.expected) << "literal rules: " << c.text;
    }
}

TEST(ConditionalBlocks, MarkersFarBeyondSixteenBitPositionsStillWork)
{
    const std::string filler(70000, '.');
    const std::string text = filler + "(#IF-IS-MUTED on##ELSE off##END-IF#)" + filler + "(#IF-IS-GROUP g##ELSE" +
                             filler + "n##END-IF#)";
    EXPECT_EQ(Expand(text, "m"), filler + " on" + filler + filler + "n");
}

const std::vector<std::string> kPieces{
        "(#IF-IS-GROUP", "(#IF-IN-GROUP", "(#IF-IS-MUTED", "(#IF-IS-MUTED", "##ELSE", "##ELSE", "##ELSE",
        "##END-IF#)", "##END-IF#)", "##END-IF#)", "(#IF", "-IS-MUTED", "(#", "IF-IS-MUTED", "##", "#", "ELSE",
        "END-IF#)", "#)", "x", "y", " ", "##END", "-IF#)", "(", "E", "LSE", "##END-IF#", "##ELS", ")"};
const std::string kFlagSets[] = {"", "g", "i", "m", "gi", "gm", "im", "gim"};

// A text of up to 24 pieces of the markers, so that markers form and break
// at every join.
std::string RandomText(std::mt19937& random)
{
    std::uniform_int_distribution<std::size_t> pick(0, kPieces.size() - 1);
    std::uniform_int_distribution<int> length(0, 24);
    std::string text;
    for (int n = length(random); n > 0; --n)
        text += kPieces[pick(random)];
    return text;
}

// Random texts against the literal rules.
TEST(ConditionalBlocks, AgreesWithTheLiteralRulesOnRandomTexts)
{
    std::mt19937 random(20210614);
    int resolvedSomething = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::string text = RandomText(random);
        const std::string& flags = kFlagSets[random() % 8];
        const std::string expected = ExpandLiterally(text, flags);
        ASSERT_EQ(Expand(text, flags), expected) << "text: " << text << " flags: " << flags;
        if (expected.size() < text.size())
            ++resolvedSomething;
    }
    // The pieces must really exercise resolution, not only the literal copy.
    EXPECT_GT(resolvedSomething, 1000);
}

// A whole template resolves each track's copy as the literal rules would for
// that track alone, whatever tracks came before with the same or other flags.
TEST(ConditionalBlocks, EveryTrackOfATemplateGetsItsOwnResolution)
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 300; ++round) {
        testing::GeneratorFixture project;
        std::vector<std::string> flags;
        for (int track = 1; track <= 12; ++track) {
            flags.push_back(kFlagSets[random() % 8]);
            TrackRecord& record = project.AddTrack("t");
            record.IsGroup = flags.back().find('g') != std::string::npos;
            record.InGroup = flags.back().find('i') != std::string::npos;
            record.Mute = flags.back().find('m') != std::string::npos;
        }
        const std::string section = RandomText(random) + "[##TRACK-NUM##]";
        std::string expected;
        for (int track = 1; track <= 12; ++track)
            expected += ReplaceAll(ExpandLiterally(section, flags[static_cast<std::size_t>(track - 1)]),
                                   "##TRACK-NUM##", std::to_string(track));
        const std::string text = "<!-- TRACK-START -->" + section + "<!-- TRACK-END -->";
        ASSERT_EQ(ExpandTemplate(text, "t.htm", "o.htm", project.Context()), expected) << "section: " << section;
    }
}

}  // namespace
}  // namespace sondrel
