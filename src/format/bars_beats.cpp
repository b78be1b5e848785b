#include "format/bars_beats.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace sondrel {

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();

// A time that lands exactly on a beat can come out of the tempo sums a hair
// short of it; this much of a beat is added before truncating, so that it
// shows as that beat and not as the end of the one before.
constexpr double BeatEpsilon = 1e-9;

double UsableBpm(double bpm)
{
    return std::isfinite(bpm) && bpm > 0 ? bpm : 120.0;
}

// One beat is one 1/denominator note.
double QuarterNotesPerBeat(int denominator)
{
    return 4.0 / denominator;
}

// Quarter notes in the first `elapsed` seconds of a stretch of `length`
// seconds over which the tempo goes linearly from startBpm to endBpm: the
// mean of the tempi at both ends of the elapsed part, times its minutes.
double QuarterNotesInto(double startBpm, double endBpm, double length, double elapsed)
{
    if (!(elapsed > 0))
        return 0;
    double bpmThere = startBpm;
    if (endBpm != startBpm && length > 0)
        bpmThere = startBpm + (endBpm - startBpm) * std::min(elapsed / length, 1.0);
    return elapsed / 60.0 * (startBpm + bpmThere) / 2.0;
}

std::string TwoDigits(int value)
{
    return (value < 10 ? "0" : "") + std::to_string(value);
}

// Every digit of a whole number however large, with no sign for zero.
std::string WholeNumberText(double value)
{
    char buffer[400];  // fixed notation of the largest double needs 309 digits
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value + 0.0, std::chars_format::fixed, 0);
    return std::string(buffer, result.ptr);
}

}  // namespace

TempoMap::TempoMap(double baseBpm, int numerator, int denominator, std::vector<TempoPoint> points)
{
    std::erase_if(points, [](const TempoPoint& point) { return !std::isfinite(point.Position); });
    // REAPER writes no point before the start; one that claims to be there
    // can only mean the tempo the project starts with.
    for (TempoPoint& point : points)
        point.Position = std::max(point.Position, 0.0);
    std::stable_sort(points.begin(), points.end(),
        [](const TempoPoint& a, const TempoPoint& b) { return a.Position < b.Position; });

    const double baseTempo = UsableBpm(baseBpm);
    if (numerator <= 0 || denominator <= 0)
        numerator = denominator = 4;
    segments_.push_back({0.0, Infinity, 0.0, baseTempo, baseTempo});
    meters_.push_back({0.0, 0.0, 1.0, numerator, denominator});

    for (std::size_t i = 0; i < points.size(); ++i) {
        const TempoPoint& point = points[i];
        Segment& previous = segments_.back();
        previous.End = point.Position;
        const double length = previous.End - previous.Start;
        const double quarterNotes =
            previous.QuarterNotes + QuarterNotesInto(previous.StartBpm, previous.EndBpm, length, length);

        const double bpm = UsableBpm(point.Bpm);
        // A ramp needs a point to ramp to: the last point just holds its tempo.
        const bool ramps = point.Shape == TempoShape::Linear && i + 1 < points.size();
        segments_.push_back({point.Position, Infinity, quarterNotes, bpm, ramps ? UsableBpm(points[i + 1].Bpm) : bpm});

        if (point.Numerator <= 0)
            continue;
        // The new signature starts a bar of its own. On a bar line that is
        // simply the next bar; inside one, the bar in progress ends early.
        const Meter& current = meters_.back();
        const double beats = (quarterNotes - current.QuarterNotes) / QuarterNotesPerBeat(current.Denominator);
        const double wholeBars = std::floor((beats + BeatEpsilon) / current.Numerator);
        const bool cutShort = beats - wholeBars * current.Numerator > BeatEpsilon;
        meters_.push_back({point.Position, quarterNotes, current.FirstBar + wholeBars + (cutShort ? 1 : 0),
            point.Numerator, point.Denominator > 0 ? point.Denominator : 4});
    }
}

double TempoMap::QuarterNotesAt(double seconds) const
{
    if (std::isnan(seconds))
        return seconds;
    // Before the start the tempo the project starts with runs backwards.
    const double lookup = std::max(seconds, 0.0);
    const auto after = std::upper_bound(segments_.begin(), segments_.end(), lookup,
        [](double time, const Segment& segment) { return time < segment.Start; });
    const Segment& segment = *std::prev(after);
    if (seconds < 0)
        return seconds / 60.0 * segment.StartBpm;
    return segment.QuarterNotes +
           QuarterNotesInto(segment.StartBpm, segment.EndBpm, segment.End - segment.Start, seconds - segment.Start);
}

std::string TempoMap::BarText(double seconds) const
{
    // Covers a time that is not finite, and one so far out that its count is not.
    const double quarterNotes = QuarterNotesAt(seconds);
    if (!std::isfinite(quarterNotes))
        return "";
    const auto after = std::upper_bound(meters_.begin(), meters_.end(), std::max(seconds, 0.0),
        [](double time, const Meter& meter) { return time < meter.Start; });
    const Meter& meter = *std::prev(after);

    const double beats =
        (quarterNotes - meter.QuarterNotes) / QuarterNotesPerBeat(meter.Denominator) + BeatEpsilon;
    // floor, not truncation: before the start the bars count down through 0.
    const double wholeBars = std::floor(beats / meter.Numerator);
    const double bar = meter.FirstBar + wholeBars;
    if (!std::isfinite(bar))
        return "";
    // Far from the start the doubles lose the beat; keep the parts in range.
    const double intoBar = std::clamp(beats - wholeBars * meter.Numerator, 0.0, static_cast<double>(meter.Numerator));
    const double beat = std::min(std::floor(intoBar), static_cast<double>(meter.Numerator - 1));
    const int hundredths = std::clamp(static_cast<int>(std::floor((intoBar - beat) * 100.0)), 0, 99);
    return WholeNumberText(bar) + "." + std::to_string(static_cast<long long>(beat) + 1) + "." + TwoDigits(hundredths);
}

std::pair<int, int> DecodeTimeSignature(long long code)
{
    if (code <= 0)
        return {0, 0};
    const long long numerator = code & 0xFFFF;
    const long long denominator = code >> 16;
    if (numerator == 0 || denominator == 0 || denominator > 0xFFFF)
        return {0, 0};
    return {static_cast<int>(numerator), static_cast<int>(denominator)};
}

}  // namespace sondrel
