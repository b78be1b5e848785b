#include "generator/substitution.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace sondrel {
namespace {

std::string Filled(std::string_view text, const std::vector<Substitution>& values)
{
    std::string out = "<";
    SubstitutionPlan(text, values).AppendFilled(out, values);
    return out;
}

TEST(SubstitutionPlan, FillsLikeReplacingInOrder)
{
    const std::vector<Substitution> values{{"##A##", "1"}, {"##B##", "two"}, {"##C##", ""}};
    const std::string text = "<p>##A##</p><i>##b##</i>##C##|##OTHER##|#|";
    EXPECT_TRUE(SubstitutionPlan(text, values).JoinsInOnePass());
    EXPECT_EQ(Filled(text, values), "<<p>1</p><i>two</i>|##OTHER##|#|");
    // Where placeholders could form across a join, or values hold them, the slow way is taken.
    const std::vector<Substitution> joining{{"##A##", ""}, {"##B##", "x"}};
    for (const std::string joined : {"##B-##A####", "##A##B##", "###A##", "## ##A##", "##A####B##"})
        EXPECT_FALSE(SubstitutionPlan(joined, joining).JoinsInOnePass()) << joined;
    EXPECT_EQ(Filled("####A##B##", joining), "<x");
    EXPECT_EQ(Filled("(##A##)", {{"##A##", "##B##!"}, {"##B##", "b"}}), "<(b!)");
    // The plan fills by placeholder, whatever values it was made with.
    std::string out;
    SubstitutionPlan("[##A##]", {{"##A##", ""}}).AppendFilled(out, {{"##B##", "b"}, {"##A##", "a"}});
    EXPECT_EQ(out, "[a]");
}

// Random texts and values made of placeholder pieces, against the plain
// sequence of replacements, with enough of them taking the one-pass road.
TEST(SubstitutionPlan, AgreesWithReplacingInOrderOnRandomTexts)
{
    const std::vector<std::string> textPieces{"##A##", "##ab##", "##B-C##", "##a##", "##X##", "##", "#", "A",
                                              "B",     "-",      "C",       "<",     " ",     "x", "b", "<i>"};
    // Values of even rounds hold no "#", so that the one-pass road is taken.
    const std::vector<std::string> valuePieces{"", "A", "B", "AB", "x<", "-C", "##A##", "##AB##", "##B-C##", "#", "##",
                                               "AB##", "##B"};
    const std::size_t plainValuePieces = 6;
    std::mt19937 random(4242);
    std::uniform_int_distribution<std::size_t> textPiece(0, textPieces.size() - 1);
    std::uniform_int_distribution<std::size_t> anyValuePiece(0, valuePieces.size() - 1);
    std::uniform_int_distribution<std::size_t> plainValuePiece(0, plainValuePieces - 1);
    std::uniform_int_distribution<int> length(0, 12);
    int onePass = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int n = length(random); n > 0; --n)
            text += textPieces[textPiece(random)];
        std::vector<Substitution> values{{"##A##", ""}, {"##AB##", ""}, {"##B-C##", ""}};
        auto& valuePiece = round % 2 == 0 ? plainValuePiece : anyValuePiece;
        for (Substitution& value : values) {
            value.Value = valuePieces[valuePiece(random)];
            if (random() % 2 == 0)
                value.Value += valuePieces[valuePiece(random)];
        }
        const SubstitutionPlan plan(text, values);
        std::string out;
        plan.AppendFilled(out, values);
        ASSERT_EQ(out, ReplaceInOrder(text, values)) << "text: " << text << " values: " << values[0].Value << " | "
                                                     << values[1].Value << " | " << values[2].Value;
        const bool plainValues = std::none_of(values.begin(), values.end(), [](const Substitution& s) {
            return s.Value.find('#') != std::string::npos;
        });
        if (plan.JoinsInOnePass() && plainValues && text.find('#') != std::string::npos)
            ++onePass;
    }
    EXPECT_GT(onePass, 500);
}

}  // namespace
}  // namespace sondrel
