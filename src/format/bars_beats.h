#pragma once

#include <string>
#include <utility>
#include <vector>

namespace sondrel {

// How the tempo moves from one point to the next.
// REAPER's envelope shape 1 is square (jumps at the point), 0 linear (a
// gradual ramp to the next point); any other shape number is read as Square
// by the caller.
enum class TempoShape { Square, Linear };

// One point of the project's tempo map (the <TEMPOENVEX> block's "PT" lines).
struct TempoPoint {
    double Position = 0;  // seconds from the project start
    double Bpm = 120;     // quarter notes per minute
    TempoShape Shape = TempoShape::Square;
    int Numerator = 0;  // time signature that starts here; 0 when the point does not change it
    int Denominator = 0;
};

// The project's tempo map: the base tempo and time signature of the project
// header (its "TEMPO bpm num den" line) and the points, in time order.
//
// A tempo that is not a positive finite number is read as 120, a header
// signature with a part that is not positive as 4/4, a point's denominator
// that is not positive as 4. Points at non-finite times are dropped, points
// before the start are taken as at the start; of points at the same time the
// later one rules.
class TempoMap {
public:
    TempoMap(double baseBpm, int numerator, int denominator, std::vector<TempoPoint> points);

    // Quarter notes from the project start to the time (negative before it).
    double QuarterNotesAt(double seconds) const;

    // "bar.beat.hundredths" as REAPER shows a position: "1.1.00" at the
    // start, "17.3.50" half way through the third beat of bar 17. A beat is
    // one 1/denominator note. A point with a time signature starts a new bar.
    // Before the start bars count back from bar 1 ("0.4.00", "-1.1.00").
    // "" for a time that is not finite.
    std::string BarText(double seconds) const;

private:
    // The stretch from one point to the next, where one tempo or one ramp holds.
    struct Segment {
        double Start;
        double End;            // the next segment's start, infinity for the last
        double QuarterNotes;   // at Start
        double StartBpm;
        double EndBpm;         // at End; the same as StartBpm unless a ramp
    };
    // The stretch where one time signature holds, from a point that sets it.
    struct Meter {
        double Start;
        double QuarterNotes;  // at Start
        double FirstBar;      // the number of the bar that begins at Start
        int Numerator;
        int Denominator;
    };

    std::vector<Segment> segments_;
    std::vector<Meter> meters_;
};

// The time signature a "PT" line's fourth number holds: numerator + 65536 *
// denominator (262148 is 4/4). {0, 0} for 0 or a code holding no valid
// signature.
std::pair<int, int> DecodeTimeSignature(long long code);

}  // namespace sondrel
