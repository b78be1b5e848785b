#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "format/bars_beats.h"

namespace sondrel {
namespace {

constexpr auto Square = TempoShape::Square;
constexpr auto Linear = TempoShape::Linear;

struct BarCase {
    const char* name;
    TempoMap map;
    double seconds;
    const char* expected;
};

void ExpectBars(const std::vector<BarCase>& cases)
{
    for (const auto& [name, map, seconds, expected] : cases)
        EXPECT_EQ(map.BarText(seconds), expected) << name << " at " << seconds << " s";
}

const TempoMap Plain(120, 4, 4, {});
// 60 BPM from the start, ramping to 120 BPM at 10 s, then holding 120.
const TempoMap Ramp(120, 4, 4, {{0, 60, Linear}, {10, 120, Square}});

// Ramp from 60 to 120 BPM over 10 s: the tempo at 5 s is 90, so the first 5 s hold 5/60 * (60+90)/2 = 6.25 quarter
// notes and the whole ramp 10/60 * (60+120)/2 = 15; after it 120 BPM adds 2 per second. A ramp from 120 to 180 over
// 2..4 s adds 2/60 * (120+180)/2 = 5 to the 4 before it. A linear last point holds its tempo.
TEST(TempoMap, QuarterNotesFollowSquareAndLinearPoints)
{
    const struct {
        const char* name;
        TempoMap map;
        double seconds, expected;
    } cases[] = {
        {"ramp half way", Ramp, 5, 6.25},
        {"ramp end", Ramp, 10, 15},
        {"after the ramp", Ramp, 12, 19},
        {"ramp from a later point", TempoMap(120, 4, 4, {{2, 120, Linear}, {4, 180, Square}}), 4, 4 + 5},
        {"linear last point holds", TempoMap(120, 4, 4, {{0, 60, Linear}}), 10, 10},
        {"tempo 0 read as 120", TempoMap(0, 4, 4, {{1, -5, Square}}), 2, 4},
    };
    for (const auto& [name, map, seconds, expected] : cases)
        EXPECT_DOUBLE_EQ(map.QuarterNotesAt(seconds), expected) << name;
}

// At 120 BPM a quarter note lasts 0.5 s: a 4/4 bar 2 s, a 6/8 bar (six eighths) 1.5 s. Hundredths are cut, not
// rounded.
TEST(BarText, ConstantTempo)
{
    ExpectBars({
        {"start", Plain, 0, "1.1.00"},
        {"half a beat", Plain, 0.25, "1.1.50"},
        {"66.5 beats", Plain, 33.25, "17.3.50"},
        {"cut, not rounded", Plain, 0.2475, "1.1.49"},
        {"6/8 sixth eighth", TempoMap(120, 6, 8, {}), 1.25, "1.6.00"},
        {"6/8 bar 2", TempoMap(120, 6, 8, {}), 1.5, "2.1.00"},
        {"header 0/0 is 4/4", TempoMap(120, 0, 0, {}), 1, "1.3.00"},
    });
}

// A square drop to 60 BPM at 4 s (bar 3) adds one quarter note a second. A point with a signature starts a bar:
// 3/4 at 5 s (10 quarter notes, mid bar 3) cuts bar 3 short; 6/8 at 4 s lies on the bar line and starts bar 3;
// 4/4 at 2 s, two eighths into bar 2 of 6/8, starts bar 3.
TEST(BarText, TempoAndSignatureChanges)
{
    const TempoMap midBar(120, 4, 4, {{5, 120, Square, 3, 4}});
    const TempoMap onBarLine(120, 4, 4, {{4, 120, Square, 6, 8}});
    ExpectBars({
        {"after a square drop", TempoMap(120, 4, 4, {{4, 60, Square}}), 6, "3.3.00"},
        {"point at 0 replaces the header", TempoMap(120, 4, 4, {{0, 60, Square, 3, 4}}), 3, "2.1.00"},
        {"after the ramp", Ramp, 12, "5.4.00"},
        {"before a mid-bar change", midBar, 4.5, "3.2.00"},
        {"at a mid-bar change", midBar, 5, "4.1.00"},
        {"a 3/4 bar later", midBar, 6.5, "5.1.00"},
        {"at a bar-line change", onBarLine, 4, "3.1.00"},
        {"one eighth later", onBarLine, 4.25, "3.2.00"},
        {"a 6/8 bar later", onBarLine, 5.5, "4.1.00"},
        {"6/8 cut short after 8 eighths", TempoMap(120, 6, 8, {{2, 120, Square, 4, 4}}), 2, "3.1.00"},
    });
}

// In 4/4 at 120 BPM one beat before the start is "0.4.00"; bars go on down through 0 using the tempo and signature
// that start the project.
TEST(BarText, BeforeTheStart)
{
    ExpectBars({
        {"one beat", Plain, -0.5, "0.4.00"},
        {"half a beat", Plain, -0.25, "0.4.50"},
        {"one bar", Plain, -2, "0.1.00"},
        {"five beats", Plain, -2.5, "-1.4.00"},
        {"two bars", Plain, -4, "-1.1.00"},
        {"tempo of a point at 0", TempoMap(120, 4, 4, {{0, 60, Square}}), -1, "0.4.00"},
        {"signature of a point at 0", TempoMap(120, 4, 4, {{0, 120, Square, 3, 4}}), -1.5, "0.1.00"},
    });
}

// 16.2 s at 100 BPM and 2.8 s at 150 BPM work out a hair short of 27 and 7 quarter notes; 1.8 s at 100 BPM a hair
// past 3, the end of a 3/4 bar, so a signature there must not cut a bar short. A real shortfall still shows.
TEST(BarText, ExactBeatsAndBadInput)
{
    constexpr double Nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double Inf = std::numeric_limits<double>::infinity();
    const TempoMap threeFour(100, 3, 4, {{1.8, 100, Square, 2, 4}});
    ExpectBars({
        {"27 beats at 100", TempoMap(100, 4, 4, {}), 16.2, "7.4.00"},
        {"7 beats at 150", TempoMap(150, 4, 4, {}), 2.8, "2.4.00"},
        {"change on a bar line", threeFour, 1.8, "2.1.00"},
        {"one 2/4 bar on", threeFour, 3.0, "3.1.00"},
        {"a microsecond short", Plain, 2 - 1e-6, "1.4.99"},
        {"negative tempo point read as 120", TempoMap(90, 4, 4, {{0, -60, Square}}), 2, "2.1.00"},
        {"not a number", Plain, Nan, ""},
        {"infinity", Plain, Inf, ""},
        {"minus infinity", Plain, -Inf, ""},
    });
}

TEST(TempoMap, DecodesSignatureCodes)
{
    const struct {
        long long code;
        std::pair<int, int> expected;
    } cases[] = {{262148, {4, 4}}, {524293, {5, 8}}, {0, {0, 0}}, {-262148, {0, 0}}, {65536, {0, 0}}, {7, {0, 0}},
        {(1LL << 32) + 4, {0, 0}}};
    for (const auto& [code, expected] : cases)
        EXPECT_EQ(DecodeTimeSignature(code), expected) << code;
}

}  // namespace
}  // namespace sondrel
