#include "generator/conditional_blocks.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "generator/expand_template.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

const std::string kNote = "##Invalid If-Then-Else format## ";

// The rules written out the plain way: find the three markers from the start,
// cut, splice, start again. The pass under test must give the same text.
std::string ExpandLiterally(std::string text, const TrackRecord& track)
{
    for (std::size_t opening; (opening = text.find("(#IF")) != std::string::npos;) {
        const std::size_t otherwise = text.find("##ELSE");
        const std::size_t closing = text.find("##END-IF#)");
        if (closing == std::string::npos || !(opening < otherwise && otherwise < closing))
            return text + kNote;
        const std::string name = text.substr(opening + 4, 9);
        const bool* flag = name == "-IS-GROUP" ? &track.IsGroup : name == "-IN-GROUP" ? &track.InGroup
                                                 : name == "-IS-MUTED" ? &track.Mute : nullptr;
        if (flag == nullptr)
            return text + kNote;
        const std::string chosen = *flag ? text.substr(opening + 13, otherwise - opening - 13)
                                         : text.substr(otherwise + 6, closing - otherwise - 6);
        text = text.substr(0, opening) + chosen + text.substr(closing + 10);
    }
    return text;
}

// A track's flags as bits, each read by one condition.
enum Flags : unsigned { None = 0, Group = 1, InGroup = 2, Muted = 4 };

void SetFlags(TrackRecord& track, unsigned flags)
{
    std::tie(track.IsGroup, track.InGroup, track.Mute) = std::tuple(flags & Group, flags & InGroup, flags & Muted);
}

struct Case { std::string text; unsigned flags; std::string expected; };

class ConditionalBlocks : public ::testing::TestWithParam<Case> {};

TEST_P(ConditionalBlocks, ResolveAsWritten)
{
    ProjectModel model;
    SetFlags(model.SlotForWriting(1), GetParam().flags);
    std::string text = GetParam().text;
    ExpandConditionals(text, 1, model);
    EXPECT_EQ(text, GetParam().expected);
    EXPECT_EQ(ExpandLiterally(GetParam().text, model.Track(1)), GetParam().expected) << "the literal rules";
}

const std::string kFiller(70000, '.');  // beyond what 16-bit positions reach

INSTANTIATE_TEST_SUITE_P(Table, ConditionalBlocks, ::testing::Values(
    Case{"a##ELSE b##END-IF#) c", Muted, "a##ELSE b##END-IF#) c"},
    Case{"(#IF-IS-MUTED a##ELSE b##ELSE c##END-IF#)", None, " b##ELSE c"},
    Case{"##END-IF#)(#IF-IS-MUTED a##ELSE b##END-IF#)", Muted, "##END-IF#)(#IF-IS-MUTED a##ELSE b##END-IF#)" + kNote},
    Case{"##ELSE(#IF-IS-MUTED a##ELSE b##END-IF#)", Muted, "##ELSE(#IF-IS-MUTED a##ELSE b##END-IF#)" + kNote},
    Case{"(#IF-IS-MUTED a##ELSE b", Muted, "(#IF-IS-MUTED a##ELSE b" + kNote},
    Case{"(#IF-IS-MUTED a##END-IF#)", Muted, "(#IF-IS-MUTED a##END-IF#)" + kNote},
    Case{"(#IF-is-muted a##ELSE b##END-IF#)", Muted, "(#IF-is-muted a##ELSE b##END-IF#)" + kNote},
    Case{"(#if-IS-MUTED a##ELSE b##END-IF#)", Muted, "(#if-IS-MUTED a##ELSE b##END-IF#)"},
    Case{"<(#IF-IS-MUTED##ELSE##END-IF#)>", Muted, "<>"},
    // Markers that only form where a block was cut out are found again.
    Case{"(#(#IF-IS-MUTED##ELSE##END-IF#)IF-IS-MUTED yes##ELSE no##END-IF#)", Muted, " yes"},
    Case{"(#IF-IS-MUTED x##ELSE(#IF-IN-GROUP P##ELSE Q##END-IF###END-IF#))", InGroup, " P"},
    Case{"(#IF-IS-MUTED ##(#IF-IS-GROUP##ELSE##END-IF#)##ELSEx##END-IF#)", Muted, " ##x"},
    Case{kFiller + "(#IF-IS-MUTED on##ELSE off##END-IF#)" + kFiller + "(#IF-IS-GROUP g##ELSE" + kFiller + "n##END-IF#)",
         Muted, kFiller + " on" + kFiller + kFiller + "n"}));

// Random texts of marker pieces, so that markers form and break at every
// join, as the track section of a template: each track's copy must resolve as
// the literal rules resolve it for that track alone, whatever tracks with the
// same or other flags came before it.
TEST(ConditionalBlocksOnRandomTemplates, AgreeWithTheLiteralRules)
{
    const std::vector<std::string> pieces{
        "(#IF-IS-GROUP", "(#IF-IN-GROUP", "(#IF-IS-MUTED", "(#IF-IS-MUTED", "##ELSE", "##ELSE", "##ELSE",
        "##END-IF#)", "##END-IF#)", "##END-IF#)", "(#IF", "-IS-MUTED", "(#", "IF-IS-MUTED", "##", "#", "ELSE",
        "END-IF#)", "#)", "x", "y", " ", "##END", "-IF#)", "(", "E", "LSE", "##END-IF#", "##ELS", ")"};
    std::mt19937 random(20210614);
    int resolved = 0;
    for (int round = 0; round < 15000; ++round) {
        std::string section;
        for (int n = static_cast<int>(random() % 25); n > 0; --n)
            section += pieces[random() % pieces.size()];
        ProjectModel model;
        std::string expected;
        for (int track = 1; track <= 6; ++track) {
            TrackRecord& record = model.SlotForWriting(track);
            SetFlags(record, static_cast<unsigned>(random() % 8));
            const std::string copy = section + "[" + std::to_string(track) + "]";
            const std::string literal = ExpandLiterally(copy, record);
            resolved += literal.size() < copy.size();
            expected += literal;
        }
        model.Info.TrackCount = 6;
        ASSERT_EQ(ExpandTemplate("<!-- TRACK-START -->" + section + "[##TRACK-NUM##]<!-- TRACK-END -->", "t.htm",
                                 "o.htm", {model, Preferences{}, testing::FixedLocale{}, testing::FixedClock{}}),
                  expected)
            << "section: " << section;
    }
    // The pieces must really exercise resolution, not only the literal copy.
    EXPECT_GT(resolved, 2500);
}

}  // namespace
}  // namespace sondrel
