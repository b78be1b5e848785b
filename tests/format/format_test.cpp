#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "format/summary_lists.h"
#include "format/text_ops.h"
#include "format/value_format.h"
#include "replace_reference.h"
#include "support/fixed_locale.h"

namespace sondrel {
namespace {

using Limits = std::numeric_limits<float>;

// Both ends of the alphabet fold, nothing else; each removal in the long text joins a new occurrence. Random small
// texts over small alphabets, against the repeated search, bring joins, overlaps and replacements holding the key.
TEST(ReplaceAll, GivesTheSameTextAsTheRepeatedSearch)
{
    const std::string nested = std::string(100000, '(') + std::string(100000, ')');
    const std::string cases[][4] = {{"Za|zA|aZ", "zA", "-", "-|-|aZ"}, {"[{@`", "{[`@", "x", "[{@`"},
        {"\xc3\x84\xc3\xa4", "\xc3\xa4", "x", "\xc3\x84x"}, {"x" + nested + "y", "()", "", "xy"}};
    for (const auto& [text, key, replacement, expected] : cases)
        EXPECT_EQ(ReplaceAll(text, key, replacement), expected) << key;
    std::mt19937 random(20240611);
    for (const std::string alphabet : {"abAB#", "ab", "(a)"}) {
        const auto randomText = [&](unsigned shortest, unsigned longest) {
            std::string text(shortest + random() % (longest - shortest + 1), ' ');
            for (char& c : text)
                c = alphabet[random() % alphabet.size()];
            return text;
        };
        for (int n = 0; n < 70000; ++n) {
            const std::string key = randomText(1, 6), text = randomText(0, 40), by = randomText(0, 8);
            ASSERT_EQ(ReplaceAll(text, key, by), testing_reference::ReplaceAllByRepeatedSearch(text, key, by))
                << "text \"" << text << "\" key \"" << key << "\" replacement \"" << by << '"';
        }
    }
}

// Each value through format against its text; a failure shows the value exactly.
void ExpectFormats(const std::vector<std::pair<float, const char*>>& cases, std::string (*format)(float, const Locale&))
{
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(format(value, testing::FixedLocale()), expected) << std::hexfloat << value;
}

// Decibels: the sign follows the unrounded value, a negative gain (inverted polarity) shows its size. Pan and seconds
// round a half away from zero; days are dropped. Short dates and times only for the exact choice "Short".
TEST(ValueFormat, NumbersDatesAndTimes)
{
    ExpectFormats({{1.0f, "0.00db"}, {1.5f, "+3.51db"}, {1.01f, "+0.09db"}, {0.9438743f, "-0.50db"}, {0.0f, "-inf"},
                   {-0.0f, "-inf"}, {std::nextafter(1.0f, 2.0f), "+0.00db"}, {std::nextafter(1.0f, 0.0f), "-0.00db"},
                   {-0.5f, "-6.00db"}, {Limits::denorm_min(), "-894.00db"}, {Limits::max(), "+768.00db"},
                   {Limits::infinity(), "+inf"}, {Limits::quiet_NaN(), "nan"}}, FormatVolumeDb);
    ExpectFormats({{0.0f, "C"}, {-0.0f, "C"}, {0.5f, "R 50%"}, {-0.333f, "L 33%"}, {0.126f, "R 13%"}, {0.004f, "R 0%"},
                   {0.125f, "R 13%"}, {-0.125f, "L 13%"}, {123456.0f, "R 12345600%"}},
                  [](float pan, const Locale&) { return FormatPan(pan); });
    ExpectFormats({{0.0f, "0:00:00"}, {59.6f, "0:01:00"}, {7325.2f, "2:02:05"}, {86399.0f, "23:59:59"},
                   {90061.0f, "1:01:01"}, {0.5f, "0:00:01"}, {0.49999997f, "0:00:00"}, {86399.5f, "0:00:00"},
                   {-61.0f, "-0:01:01"}, {-0.0f, "0:00:00"}, {1099511627776.0f, "0:36:16"}, {Limits::max(), "6:24:00"},
                   {-Limits::max(), "-6:24:00"}, {Limits::infinity(), "0:00:00"}}, FormatSeconds);
    ExpectFormats({{120.0f, "120"}, {99.5f, "99.5"}, {123.456789f, "123.4568"}, {-0.0f, "0"}, {-5.25f, "-5.25"},
                   {1234567.0f, "1234567"}, {12345678.0f, "1.234568E+07"}, {0.00001f, "1E-05"}}, FormatGeneralNumber);
    testing::FixedLocale comma;  // "," before the decimals, "." between hours, minutes and seconds
    comma.decimalSeparator = ",";
    comma.timeSeparator = ".";
    EXPECT_EQ(FormatVolumeDb(0.1f, comma) + " " + FormatGeneralNumber(12345678.0f, comma) + " " +
                  FormatSeconds(7325.2f, comma), "-19,93db 1,234568E+07 2.02.05");
    testing::FixedClock clock;  // read at each call
    clock.now = {2000, 1, 1, 21, 5, 59};
    const auto both = [&](const Preferences& preferences) {
        return FormatCurrentDate(preferences, comma, clock) + " " + FormatCurrentTime(preferences, comma, clock);
    };
    EXPECT_EQ(both({"", "Short", "short"}) + " | " + both({"", "SHORT", "Short"}),
              "1/1/2000 9.05.59 PM | Saturday, January 1, 2000 21.05");
}

// Any separator not offered, letter case included, is ", ". Entries name the other track even where it has none.
TEST(SummaryLists, NamesJoinedByTheChosenSeparator)
{
    ProjectModel model;
    TrackRecord& track = model.SlotForWriting(2);
    track.Name = "Sub";
    for (const char* name : {"Verse", "", "Chorus"})
        track.FxTable.emplace_back().Name = name;
    for (const int other : {2, 32767})  // the second has no slot
        track.ReceiveTable.push_back(ReceiveRecord{.Kind = RoutingKind::Send, .OtherTrack = other});
    track.ReceiveTable.push_back(ReceiveRecord{.Kind = RoutingKind::Receive, .OtherTrack = 2});
    const std::pair<const char*, std::string> choices[] = {{"Space", " "}, {"Tab", "\t"}, {"comma", ", "}, {"", ", "}};
    for (const auto& [choice, separator] : choices)
        EXPECT_EQ(FxListText(model, 2, {choice}), "Verse" + separator + separator + "Chorus") << choice;
    EXPECT_EQ(SendListText(model, 2, {"Comma"}) + "|" + ReceiveListText(model, 2, {"Comma"}),
              "Trk 2:Sub,Trk 32767:|Trk 2:Sub");
}

}  // namespace
}  // namespace sondrel
