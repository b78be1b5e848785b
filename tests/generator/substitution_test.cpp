#include "generator/substitution.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "generator/expand_template.h"
#include "generator/marker_search.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

// Random texts and values made of placeholder pieces against the plain sequence
// of replacements, with enough of them taking the one-pass road.
TEST(SubstitutionPlan, FillsLikeReplacingInOrder)
{
    const std::vector<std::string> textPieces{"##A##", "##ab##", "##B-C##", "##a##", "##X##", "##", "#", "A",
                                              "B",     "-",      "C",       "<",     " ",     "x", "b", "<i>"};
    // The first six hold no "#": values of even rounds are made of them only, for the one-pass road.
    const std::vector<std::string> valuePieces{"", "A", "B", "AB", "x<", "-C", "##A##", "##AB##", "##B-C##", "#",
                                               "##", "AB##", "##B"};
    std::mt19937 random(4242);
    int onePass = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int n = static_cast<int>(random() % 13); n > 0; --n)
            text += textPieces[random() % textPieces.size()];
        std::vector<Substitution> values{{"##A##", ""}, {"##AB##", ""}, {"##B-C##", ""}};
        const std::size_t choices = round % 2 == 0 ? 6 : valuePieces.size();
        for (Substitution& value : values)
            for (int n = 1 + static_cast<int>(random() % 2); n > 0; --n)
                value.Value += valuePieces[random() % choices];
        const SubstitutionPlan plan(text, values);
        std::string out;
        plan.AppendFilled(out, values);
        ASSERT_EQ(out, ReplaceInOrder(text, values)) << "text: " << text << " values: " << values[0].Value << " | "
                                                     << values[1].Value << " | " << values[2].Value;
        onePass += round % 2 == 0 && plan.JoinsInOnePass() && text.find('#') != std::string::npos;
    }
    EXPECT_GT(onePass, 500);
    // The plan fills by placeholder, whatever values it was made with.
    std::string other;
    SubstitutionPlan("[##A##]", {{"##A##", ""}}).AppendFilled(other, {{"##B##", "b"}, {"##A##", "a"}});
    EXPECT_EQ(other, "[a]");
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
    model.Info = {"", "", "", "", 120.25F, 4, 4, 0};
    testing::FixedLocale locale;
    locale.decimalSeparator = ",";
    EXPECT_EQ(ExpandTemplate("##tempo##", "t.htm", "o.htm", {model, Preferences{}, locale, testing::FixedClock{}}),
              "120,25 BPM 4/4");
}

}  // namespace
}  // namespace sondrel
