#include "generator/substitution.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>
#include <string>
#include <vector>

#include "generator/expand_template.h"
#include "generator/marker_search.h"
#include "format/text_ops.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

// Random texts and values made of placeholder pieces against the plain sequence of replacements, with enough of
// them taking the one-pass road. Values are made only for placeholders that the text holds at their turn.
TEST(SubstitutionPlan, FillsLikeReplacingInOrderMakingOnlyTheValuesUsed)
{
    const std::vector<std::string> textPieces{"##A##", "##ab##", "##B-C##", "##a##", "##X##", "##", "#", "A",
                                              "B",     "-",      "C",       "<",     " ",     "x", "b", "<i>"};
    // The first six hold no "#": values of even rounds are made of them only, for the one-pass road.
    const std::vector<std::string> valuePieces{"", "A", "B", "AB", "x<", "-C", "##A##", "##AB##", "##B-C##", "#",
                                               "##", "AB##", "##B"};
    const std::vector<std::string_view> names{"##A##", "##AB##", "##B-C##"};
    std::mt19937 random(4242);
    int onePass = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int n = static_cast<int>(random() % 13); n > 0; --n)
            text += textPieces[random() % textPieces.size()];
        std::vector<std::string> values(3);
        const std::size_t choices = round % 2 == 0 ? 6 : valuePieces.size();
        for (std::string& value : values)
            for (int n = 1 + static_cast<int>(random() % 2); n > 0; --n)
                value += valuePieces[random() % choices];
        std::string expected = text;
        for (std::size_t n = 0; n < names.size(); ++n)
            expected = ReplaceAll(expected, names[n], values[n]);
        std::string made;
        const auto valueOf = [&](std::size_t n) { return made += names[n], values[n]; };
        const SubstitutionPlan plan(text, names);
        std::string out;
        plan.AppendFilled(out, valueOf);
        ASSERT_EQ(out, expected) << "text: " << text << " values: " << values[0] << " | " << values[1] << " | "
                                 << values[2];
        for (std::size_t n = 0; n < names.size() && round % 2 == 0 && plan.JoinsInOnePass(); ++n)
            EXPECT_TRUE(made.find(names[n]) == std::string::npos || FindIgnoringCase(text, names[n], 0) != std::string::npos)
                << names[n] << " made for " << text;
        ASSERT_EQ(ReplaceInOrder(text, names, valueOf), expected);
        onePass += round % 2 == 0 && plan.JoinsInOnePass() && text.find('#') != std::string::npos;
    }
    EXPECT_GT(onePass, 500);
}

TEST(FindIgnoringCase, LettersFoldOtherBytesDoNot)
{
    constexpr auto none = std::string_view::npos;
    EXPECT_EQ(FindIgnoringCase("xx<!-- fx-START -->", "<!-- FX-START -->", 0), 2U);
    EXPECT_EQ(FindIgnoringCase("abAB", "ab", 1), 2U);
    EXPECT_EQ(FindIgnoringCase("a\xC4" "b", "a\xE4" "b", 0), none);
    EXPECT_EQ(FindIgnoringCase("[", "{", 0), none);
    EXPECT_EQ(FindIgnoringCase("a", "abc", 0), none);
    EXPECT_EQ(FindIgnoringCase("abc", "c", 9), none);
    EXPECT_EQ(FindIgnoringCase("!<!<!-- a -->", "<!-- A -->", 0), 3U);
    EXPECT_EQ(FindIgnoringCase("<!-- a --", "<!-- a -->", 0), none);
    // Both ends of the alphabet fold, and a key's exact-match anchor may stand anywhere in it.
    EXPECT_EQ(FindIgnoringCase("xxZZ", "zz", 0), 2U);
    EXPECT_EQ(FindIgnoringCase("zAz", "Z", 1), 2U);
    EXPECT_EQ(FindIgnoringCase("ab! AB!C", "ab!c", 0), 4U);
}

TEST(DocumentPlaceholders, TempoUsesTheLocaleDecimalSeparator)
{
    ProjectModel model;
    std::tie(model.Info.Tempo, model.Info.TimeSigNumerator, model.Info.TimeSigDenominator) = std::tuple(120.25F, 4, 4);
    testing::FixedLocale locale;
    locale.decimalSeparator = ",";
    EXPECT_EQ(ExpandTemplate("##tempo##", "t.htm", "o.htm", {model, Preferences{}, locale, testing::FixedClock{}}),
              "120,25 BPM 4/4");
}

}  // namespace
}  // namespace sondrel
