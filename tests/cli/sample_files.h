#pragma once

// A small project and templates that show what the converter's options change.
namespace sondrel::testing {

// One track "Drums" with the items "Kick" and "Snare", at half volume, in a
// tempo with a fraction so that the decimal separator shows.
inline constexpr const char* kSampleProject =
    "<REAPER_PROJECT 0.1 \"6.80/linux-x86_64\" 1690000000\n"
    "  TEMPO 120.5 4 4\n"
    "  <TRACK\n"
    "    NAME \"Drums\"\n"
    "    VOLPAN 0.5 0 -1 -1 1\n"
    "    <ITEM\n"
    "      POSITION 0\n"
    "      LENGTH 1\n"
    "      NAME \"Kick\"\n"
    "    >\n"
    "    <ITEM\n"
    "      POSITION 1\n"
    "      LENGTH 1\n"
    "      NAME \"Snare\"\n"
    "    >\n"
    "  >\n"
    ">\n";

// Fails on its second line: the tempo is not a number.
inline constexpr const char* kBrokenProject =
    "<REAPER_PROJECT 0.1 \"6.80\" 1\n"
    "  TEMPO fast 4 4\n"
    ">\n";

inline constexpr const char* kTrackTemplate =
    "<h1>##TEMPO##</h1><!-- TRACK-START --><p>##TRACK-NAME##</p><!-- TRACK-END -->";

inline constexpr const char* kListTemplate = "<!-- TRACK-START -->[##ITEM-LIST##]<!-- TRACK-END -->";

inline constexpr const char* kDateTimeTemplate = "##DATE##|##TIME##";

inline constexpr const char* kNumberTemplate = "##TEMPO##|<!-- TRACK-START -->##VOLUME##<!-- TRACK-END -->";

}  // namespace sondrel::testing
