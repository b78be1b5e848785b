#include <gtest/gtest.h>

#include <random>
#include <string>

#include "format/text_ops.h"
#include "replace_reference.h"

namespace sondrel {
namespace {

TEST(ReplaceAll, Examples)
{
    struct Case {
        const char* text;
        const char* key;
        const char* replacement;
        const char* expected;
    };
    const Case cases[] = {
        {"", "##A##", "x", ""},
        {"no key here", "##A##", "x", "no key here"},
        {"<b>##TRACK-NAME##</b>", "##TRACK-NAME##", "Bass", "<b>Bass</b>"},
        // Any letter case of the key is an occurrence.
        {"##track-name##|##Track-Name##", "##TRACK-NAME##", "Kick", "Kick|Kick"},
        {"##TRACK-NAME##", "##track-name##", "Kick", "Kick"},
        // Only ASCII letters are folded: other bytes must match exactly.
        {"\xc3\x84 \xc3\xa4", "\xc3\xa4", "x", "\xc3\x84 x"},
        {"[{", "{[", "x", "[{"},
        // Joins formed by a removal are found again.
        {"aabb", "ab", "", ""},
        {"aaabbb", "AB", "", ""},
        {"|line1<br>|line2", "|", "", "line1<br>line2"},
        {"abb", "ab", "a", "a"},
        {"##TRACK-NAME###", "##TRACK-NAME##", "##TRACK-NAME#", "##TRACK-NAME#"},
        // A replacement holding the key ends all the same, searched no further.
        {"##A## and ##a##", "##A##", "[##A##]", "[##A##] and [##A##]"},
        {"xx", "x", "xX", "xXxX"},
        // A replacement as long as the key is not searched together with
        // its neighbours: "ab" -> "bbaa" in "aab" would grow without end.
        {"aab", "ab", "bbaa", "abbaa"},
        {"aab", "ab", "ba", "aba"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReplaceAll(c.text, c.key, c.replacement), c.expected)
            << '"' << c.text << "\" with \"" << c.key << "\" -> \"" << c.replacement << '"';
}

TEST(ReplaceAll, LongTexts)
{
    const std::string tail(200000, 'z');
    EXPECT_EQ(ReplaceAll("##K##" + tail, "##K##", "v"), "v" + tail);
    EXPECT_EQ(ReplaceAll(tail + "##K##" + tail, "##k##", ""), tail + tail);

    std::string text;
    std::string expected;
    for (int n = 0; n < 5000; ++n) {
        text += (n % 2 ? "##vol##" : "##VOL##") + std::to_string(n);
        expected += "-6.00db" + std::to_string(n);
    }
    EXPECT_EQ(ReplaceAll(text, "##VOL##", "-6.00db"), expected);

    // Each removal joins the two halves into a new occurrence.
    const std::string nested = std::string(100000, '(') + std::string(100000, ')');
    EXPECT_EQ(ReplaceAll(nested, "()", ""), "");
    EXPECT_EQ(ReplaceAll("x" + nested + "y", "()", ""), "xy");
}

// Random small texts over small alphabets against the straightforward
// repeated search, covering joins, overlaps and replacements that hold the key.
TEST(ReplaceAll, GivesTheSameTextAsTheRepeatedSearch)
{
    struct Round {
        std::string alphabet;
        std::size_t longestKey, longestText, longestReplacement;
        int count;
    };
    std::mt19937 random(20240611);
    for (const Round& round : {Round{"abAB#", 4, 14, 6, 150000}, Round{"ab", 8, 60, 10, 30000},
                               Round{"(a)", 3, 40, 2, 30000}}) {
        auto randomText = [&](std::size_t minLength, std::size_t maxLength) {
            std::string text(minLength + random() % (maxLength - minLength + 1), ' ');
            for (char& c : text)
                c = round.alphabet[random() % round.alphabet.size()];
            return text;
        };
        for (int n = 0; n < round.count; ++n) {
            const std::string key = randomText(1, round.longestKey);
            const std::string text = randomText(0, round.longestText);
            const std::string replacement = randomText(0, round.longestReplacement);
            ASSERT_EQ(ReplaceAll(text, key, replacement),
                      testing_reference::ReplaceAllByRepeatedSearch(text, key, replacement))
                << "text \"" << text << "\" key \"" << key << "\" replacement \"" << replacement << "\"";
        }
    }
}

}  // namespace
}  // namespace sondrel
