// The project reader: lines, fields and numbers, then whole projects, read from
// text and from files, and the corpus of real projects.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <numeric>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "reader/line_fields.h"
#include "reader/line_source.h"
#include "reader/numbers.h"
#include "reader/read_project.h"
#include "shell/temp_folder.h"
#include "support/corpus.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

using Lines = std::vector<std::string>;
using testing::FailureOf;

// The values written one after another, as a stream shows them.
template <typename... Values>
std::string Text(const Values&... values)
{
    std::ostringstream out;
    (out << ... << values);
    return out.str();
}

// The lines of text from memory (chunkSize 0) or from a file read in chunks of chunkSize bytes, so that line ends
// fall on chunk boundaries at every position. Each line must come with the count of lines so far as its number;
// no text holds more lines than bytes, so a source that never ends is cut off there.
Lines LinesOf(const std::string& text, std::size_t chunkSize)
{
    std::FILE* file = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), file);
    std::rewind(file);
    LineSource source = chunkSize == 0 ? LineSource(text) : LineSource(file, "test.rpp", chunkSize);
    Lines lines;
    for (std::string_view line; lines.size() <= text.size() && source.Next(line);) {
        lines.emplace_back(line);
        EXPECT_EQ(source.LineNumber(), static_cast<long>(lines.size())) << line;
    }
    std::fclose(file);
    return lines;
}

TEST(LineSource, CutsAtEveryKindOfLineEndInTextAndInFilesReadInChunks)
{
    const std::string longLine(100000, 'x');
    const std::pair<std::string, Lines> cases[] = {
        {"a\nb\n", {"a", "b"}}, {"a\rb\r", {"a", "b"}}, {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb\nc\rd\r\re", {"a", "b", "c", "d", "", "e"}}, {"\n\r\n\r", {"", "", ""}}, {"", {}}, {"\n", {""}},
        {"a\r\n\nb", {"a", "", "b"}}, {"a\n\rb", {"a", "", "b"}}, {"  x \t\n", {"  x \t"}},
        {std::string("\xd0\xa1\0z\n", 5), {std::string("\xd0\xa1\0z", 4)}},
        {"<A\r\n" + longLine + "\r\n>\r\n" + longLine, {"<A", longLine, ">", longLine}},
    };
    for (const auto& [text, lines] : cases)
        for (std::size_t chunk : {0, 1, 2, 3, 5, 64, 4096})
            EXPECT_EQ(LinesOf(text, chunk), lines) << text.substr(0, 20) << ", chunks of " << chunk;
}

TEST(LineFields, FieldsCutAtEverySpaceTokensTheWayReaperQuotes)
{
    const auto partsOf = [](const LineParts& parts) {
        Lines out;
        for (std::size_t n = 1; n <= parts.Count(); ++n)
            out.emplace_back(parts[n]);
        return out;
    };
    const std::pair<const char*, Lines> fields[] = {
        {"NAME \"Lead Vocal\"", {"NAME", "\"Lead", "Vocal\""}}, {"A  B", {"A", "", "B"}}, {"A\tB C", {"A\tB", "C"}},
        {"A ", {"A"}}, {"", {}}, {"X", {"X"}},
    };
    for (const auto& [line, parts] : fields)
        EXPECT_EQ(partsOf(SplitFields(line)), parts) << line;
    // The names of the corpus carry the other quoting cases.
    const std::pair<const char*, Lines> tokens[] = {
        {"NAME \"Lead Vocal\"", {"NAME", "Lead Vocal"}}, {"NAME \"a\"b c", {"NAME", "a", "b", "c"}},
        {"NAME   spaced    out", {"NAME", "spaced", "out"}}, {"NAME tab\there", {"NAME", "tab\there"}},
        {"<VST \"VST: ReaEQ (Cockos)\" reaeq.dll 0 \"\"", {"<VST", "VST: ReaEQ (Cockos)", "reaeq.dll", "0", ""}},
    };
    for (const auto& [line, parts] : tokens)
        EXPECT_EQ(partsOf(SplitTokens(line)), parts) << line;
    EXPECT_EQ(Text(TrimSpaces("   a b  "), '|', TrimSpaces("\ta\t"), '|', TrimSpaces("    "), '|'), "a b|\ta\t||");
    // At most 200 fields, even when the line does not end in a space.
    std::string many = "1";
    for (int i = 2; i <= 250; ++i)
        many += " " + std::to_string(i);
    const LineParts cut = SplitFields(many);
    EXPECT_EQ(Text(cut.Count(), '|', cut[0], '|', cut[200], '|', cut[201], cut.Has(200), cut.Has(201), cut.Has(0)),
              "200||200|100");
}

TEST(NumberConversion, IntegersAreSixteenBitHalvesToTheEvenNeighbourSinglesWithinTheFloatRange)
{
    // Each field with what it gives as a whole number and as a single, or why it fails: "R" outside the range of
    // whole numbers, "L" too large a single, "N" not a number. Project lines check the lenient conversions.
    std::vector<std::tuple<std::string, std::string, std::string>> numbers = {
        {"+3", "3", "3"}, {"2.5", "2", "2.5"}, {"3.5", "4", "3.5"}, {"-2.5", "-2", "-2.5"}, {"-3.5", "-4", "-3.5"},
        {"2.6", "3", "2.6"}, {"-0.25", "0", "-0.25"}, {"1.5e2", "150", "150"}, {"1E-2", "0", "0.01"}, {"2.", "2", "2"},
        {".5", "0", "0.5"}, {"32767", "32767", "32767"}, {"-32768", "-32768", "-32768"}, {"-32769", "R", "-32769"},
        {"-32768.5", "-32768", "-32768.5"}, {"32767.5", "R", "32767.5"}, {"-1e38", "R", "-1e+38"}, {"1e39", "R", "L"},
        {"-1e39", "R", "L"}, {"1e-50", "0", "0"}, {"1e400", "R", "L"}, {"-1e400", "R", "L"}, {"1e-400", "0", "0"},
        {"1e99999999999999999999", "R", "L"}, {"0.0000001e-400", "0", "0"},
    };
    for (const char* field : {"", "abc", "inf", "-inf", "nan", "infinity", "0x10", "1e", "1e+", ".", "-", "+-1",
                              "1.2.3", "1,5", " 1", "1 ", "\"1\"", "{C08076D2}"})
        numbers.emplace_back(field, "N", "N");
    const std::string path = "song.rpp";
    const auto outcome = [&](auto convert, const std::string& field) {
        std::string value;
        const std::string failure = FailureOf([&] { value = Text(convert(field, LinePlace{path, 7})); });
        return failure.empty() ? value : failure;
    };
    const auto expected = [](const std::string& field, const std::string& code) {
        const std::string quoted = "song.rpp, line 7: \"" + field + "\"";
        return code == "N"   ? quoted + " is not a number"
               : code == "R" ? quoted + " is outside the range of whole numbers here, -32768 to 32767"
               : code == "L" ? quoted + " is too large a number"
                             : code;
    };
    for (const auto& [field, integer, single] : numbers)
        EXPECT_EQ(outcome(ToInteger, field) + " / " + outcome(ToSingle, field),
                  expected(field, integer) + " / " + expected(field, single));
}

// The lines joined by line feeds, ready to read.
std::string Project(const Lines& lines)
{
    const auto join = [](std::string text, const std::string& line) { return std::move(text += line + "\n"); };
    return std::accumulate(lines.begin(), lines.end(), std::string(), join);
}

ProjectModel Read(const std::string& text) { ProjectModel model; return ReadProjectText(model, text, "test.rpp"), model; }

// A track as name, volume, pan and set flags, then its routing entries ("R3 0.5 -0.5"), FX ("type|name|plug-in
// file") and items ("name position length volume pan group"), each after "; " and marked when muted or bypassed.
std::string TrackState(const TrackRecord& track)
{
    std::string state = Text(track.Name, ' ', track.Volume, ' ', track.Pan, track.Mute ? " mute" : "",
                             track.Solo ? " solo" : "", track.IsGroup ? " group" : "",
                             track.InGroup ? " in-group" : "");
    for (const ReceiveRecord& entry : track.ReceiveTable)
        state += Text("; ", entry.Kind == RoutingKind::Send ? 'S' : 'R', entry.OtherTrack, ' ', entry.Volume, ' ', entry.Pan,
                      entry.Mute ? " mute" : "");
    for (const FxRecord& fx : track.FxTable)
        state += "; " + fx.FxType + "|" + fx.Name + "|" + fx.Dll + (fx.Bypassed ? "|bypassed" : "");
    for (const ItemRecord& item : track.ItemTable)
        state += Text("; ", item.Name, ' ', item.Position, ' ', item.Length, ' ', item.Volume, ' ', item.Pan, ' ',
                      item.Group, item.Mute ? " mute" : "");
    return state;
}

Lines TrackStates(const ProjectModel& model)
{
    Lines states;
    for (int t = 1; t <= model.Info.TrackCount; ++t)
        states.push_back(TrackState(model.Track(t)));
    return states;
}

TEST(ReadProject, HeaderIsReadBeforeTheFirstTrackOnly)
{
    const ProjectInfo info = Read(Project({
        "<REAPER_PROJECT 0.1", "SAMPLERATE 44100 0 0", "<NOTES 0 2", "    |  indented text  ", "    |", "",
        "    |TEMPO 1 2 3", "    <x", "    >", "    |>", ">", "TEMPO 100 3 8", "<METRONOME 6 2", "TEMPO 50 2",
        "SAMPLERATE 8000", ">", "<TRACK", ">", "TEMPO 70 5 4", "SAMPLERATE 22050", "<NOTES", "|late",
    })).Info;
    EXPECT_EQ(Text(info.VersionText, ' ', info.Tempo, ' ', info.TimeSigNumerator, '/', info.TimeSigDenominator, ' ',
                   info.SampleRateText, ' ', info.Notes),
              "0.1 100 3/8 44100 |  indented text<br>|<br>|TEMPO 1 2 3<br><x<br>><br>|>");
    // Missing fields are 0 or empty.
    const ProjectInfo bare = Read("<REAPER_PROJECT\nSAMPLERATE 1\nTEMPO 90 4\nSAMPLERATE").Info;
    EXPECT_EQ(Text(bare.VersionText, '|', bare.Tempo, '|', bare.TimeSigNumerator, '/', bare.TimeSigDenominator, '|',
                   bare.SampleRateText),
              "|90|4/0|");
}

TEST(ReadProject, LinesGiveTheTrackStates)
{
    const std::pair<Lines, Lines> cases[] = {
        // Keywords are matched in capitals only; blank lines are skipped; what is never closed ends with the file.
        {{"<TRACK", "NAME \"x", "", "      ", "name \"y\"", "Volpan 0.3 0", "VOLPAN 0.5 0", "<VST \"half"},
         {"x 0.5 0; VST|half|"}},
        // The first line of a <NAME block right inside the track is its exact name.
        {{"<TRACK", "NAME x", "<NAME", "  |'''```\"\"\"  ", "  |second", ">", "<FXCHAIN", "<NAME", "|not the track's"},
         {"'''```\"\"\" 0 0"}},
        // Lines of blocks inside the track are not the track's, nor are those after it.
        {{"<TRACK", "NAME track", "VOLPAN 0.5 0.25", "<VOLENV2", "NAME envelope", "VOLPAN 9 9", "MUTESOLO 1 1",
          "ISBUS 1 1", "AUXRECV 0 0 1 0 0", ">", ">", "NAME no", "VOLPAN 0.1 0.1", "AUXRECV 0 0 1 0 0", "BYPASS 1 0",
          "<VST stray.dll", ">", "<ITEM", ">", "<TRACK", "<VST after"},
         {"track 0.5 0.25", " 0 0; VST|after|"}},
        // Short lines see nothing of earlier lines: missing fields are empty or 0.
        {{"<TRACK", "VOLPAN 0.5 0.5", "AUXRECV 1 0 0.5", "VOLPAN 0.7", ">", "<TRACK"},
         {" 0.7 0; R2 0.5 0", " 0 0; S1 0.5 0"}},
        // Solo 2 is REAPER's "solo in place".
        {{"<TRACK\nMUTESOLO 0 1 0\n>", "<TRACK\nMUTESOLO 0 2 0\n>", "<TRACK\nMUTESOLO 1 3 0\n>",
          "<TRACK\nMUTESOLO 2 0 0\n>", "<TRACK\nMUTESOLO 1\n>", "<TRACK\nMUTESOLO x y\n>"},
         {" 0 0 solo", " 0 0 solo", " 0 0 mute", " 0 0", " 0 0 mute", " 0 0"}},
        // A folder in a folder: the inner opener is in no group, the first closing value ends membership for all.
        {{"<TRACK\nISBUS 0 0\n>", "<TRACK\nISBUS 1 1\n>", "<TRACK\nISBUS 0 0\n>", "<TRACK\nISBUS 1 1\n>",
          "<TRACK\nISBUS 0 0\n>", "<TRACK\nISBUS 2 -2\n>", "<TRACK\nISBUS 0 0\n>", "<TRACK\nISBUS 2 -1\n>"},
         {" 0 0", " 0 0 group", " 0 0 in-group", " 0 0 group", " 0 0 in-group", " 0 0 in-group", " 0 0", " 0 0"}},
        // Only tracks at the top, or right inside the project, are tracks; a ">" with nothing open closes nothing.
        {{">", "<TRACK", "NAME one", "<TRACK", "NAME nested", ">", ">", ">", "<FOO", "<TRACK", ">", ">", "<TRACK",
          "NAME two", ">", "<REAPER_PROJECT", "<EXTENSIONS", "<TRACK", "NAME snapshot"},
         {"one 0 0", "two 0 0"}},
        // Every plug-in kind is an FX, wherever it stands in the track; a BYPASS line holds for the FX after it.
        {{"<TRACK", "<FXCHAIN", "BYPASS 1 0", "<DX \"DX: Old\" \"old dx.dll\" 0\n>", "<JS utility/volume \"\"\n>",
          "BYPASS 0 0 0", "<AU au\n>", "BYPASS 2", "<CLAP clap\n>", "<LV2 lv2\n>", "<VIDEO_EFFECT video", "<CODE",
          "|// code", ">", ">", "<CONTAINER Container", "<CONTAINER Inner", "<VST deep", ">", ">", ">", "<JS_SER\n>",
          ">", "<FXCHAIN_REC", "BYPASS 1", "<VST input"},
         {" 0 0; DX|DX: Old|old dx.dll|bypassed; JS|utility/volume||bypassed; AU|au|; CLAP|clap|; LV2|lv2|; "
          "VIDEO_EFFECT|video|; VST|deep|; VST|input||bypassed"}},
        // A frozen track's stored chain and items are skipped whole.
        {{"<TRACK", "NAME frozen", "<FREEZE 0", "BYPASS 1 0", "<VST stored.dll\n>", "<ITEM\n>", "NAME inside", ">",
          "<VST live.dll\n>", "<ITEM"},
         {"frozen 0 0; VST|live.dll|;  0 0 0 0 0"}},
        // Only an item's own lines count; blocks inside it neither end it nor reach the track.
        {{"<TRACK", "VOLPAN 0.5 0.5", "<ITEM", "POSITION 2", "<SOURCE SECTION", "LENGTH 99", "<SOURCE WAVE",
          "FILE \"a.wav\"", ">", ">", "LENGTH 4", "NAME item", "VOLPAN 0.25 -1", "MUTE 1 0", "GROUP 3", "<NOTES",
          "|NAME not", ">", "<VOLENV", "POSITION 5", "NAME envelope", "VOLPAN 0 0", ">", "BYPASS 1 0", "ISBUS 1 1",
          "MUTESOLO 1 1", "AUXRECV 0 0 1 0 0", "<ITEM\n>", "<TRACK\n>", "<TAKEFX", "BYPASS 1 0", "<VST take.dll\n>",
          ">", ">", "<VST track.dll"},
         {" 0.5 0.5; VST|track.dll|; item 2 4 0.25 -1 3 mute"}},
        // An item's volume is its own VOLPAN line's, the last one; later takes have TAKEVOLPAN. Item fields are
        // lenient, except volume and pan (see the failures).
        {{"<TRACK", "<ITEM", "VOLPAN 1", "TAKE SEL", "TAKEVOLPAN 0.1 0.2 1 -1", "VOLPAN 0.5 0.5 1 -1", ">", "<ITEM",
          "POSITION abc", "LENGTH", "MUTE x", "GROUP y", "VOLPAN 1 0"},
         {" 0 0;  0 0 0.5 0.5 0;  0 0 1 0 0"}},
        // An item's name is that of its active take: the first unless a later one is marked SEL, the last so marked.
        {{"<TRACK", "<ITEM\nNAME one\nTAKE\nNAME two\n>", "<ITEM\nNAME one\nTAKE SEL\nNAME two\nTAKE\nNAME 3\n>",
          "<ITEM\nNAME one\nTAKE SEL\nNAME two\nTAKE NULL SEL\nNAME 3\n>", "<ITEM\nNAME one\nTAKE SEL\nTAKE\n>",
          "<ITEM\nTAKE NULL\nNAME two\n>", "<ITEM\nNAME one\nNAME 2\n>", "<ITEM\nNAME one\nSEL 1\nTAKE\nNAME two\n>",
          "<ITEM\nNAME `a\"b'c`\n<NAME\n|a\"b'c`d\n>\nTAKE\nNAME other\n<NAME\n|not active\n>"},
         {" 0 0; one 0 0 0 0 0; two 0 0 0 0 0; 3 0 0 0 0 0;  0 0 0 0 0;  0 0 0 0 0; 2 0 0 0 0 0; one 0 0 0 0 0; "
          "a\"b'c`d 0 0 0 0 0"}},
        // Receives are mirrored as sends, in the order they were added.
        {{"<TRACK\nAUXRECV 3 0 1 0 0\n>", "<TRACK\nAUXRECV 0 0 1 0 0\n>", "<TRACK\n>", "<TRACK\nAUXRECV 0 0 1 0 0\n>",
          "<TRACK\nAUXRECV 2 0 1 0 0\nAUXRECV 2 1 0.5 -0.5 1"},
         {" 0 0; R4 1 0; S2 1 0; S4 1 0", " 0 0; R1 1 0", " 0 0; S5 1 0; S5 0.5 -0.5 mute", " 0 0; S1 1 0; R1 1 0",
          " 0 0; R3 1 0; R3 0.5 -0.5 mute"}},
    };
    for (const auto& [lines, states] : cases)
        EXPECT_EQ(TrackStates(Read(Project(lines))), states) << Project(lines);
    // A source beyond the tracks still gets its send; source -1 is slot 0. Other numbers have no slot.
    const ProjectModel model = Read("<TRACK\nAUXRECV 32766 0 1 0.5\nAUXRECV -1 0 1 0 0");
    EXPECT_EQ(TrackStates(model), Lines{" 0 0; R32767 1 0.5; R0 1 0"});
    EXPECT_EQ((Lines{TrackState(model.Track(0)), TrackState(model.Track(32767)), TrackState(model.Track(-1)),
                     TrackState(model.Track(32768))}),
              (Lines{" 0 0; S1 1 0", " 0 0; S1 1 0.5", " 0 0", " 0 0"}));
}

const std::string kRange = "\" is outside the range of whole numbers here, -32768 to 32767";
const std::string kTracks = ": track numbers run from 0 to 32767";
const std::string kNoBlock = ": the file is not a REAPER project: it has no <REAPER_PROJECT or <TRACK block";
const std::string kBinary = ": the file is not a REAPER project: it holds binary data";
const std::string kFull = "; a track holds at most 32767";

TEST(ReadProject, EachFailureNamesTheLineAndTheReason)
{
    // A text with the message of the failure reading it as test.rpp gives after the name, "" when it reads.
    const std::pair<std::string, std::string> cases[] = {
        {"<REAPER_PROJECT\nTEMPO fast 4 4\n", ", line 2: \"fast\" is not a number"},
        {"<REAPER_PROJECT\nTEMPO 120 40000 4\n", ", line 2: \"40000" + kRange},
        {"<TRACK\n\nVOLPAN abc 0\n", ", line 3: \"abc\" is not a number"},
        {"<TRACK\nVOLPAN 1 inf\n", ", line 2: \"inf\" is not a number"},
        {"<TRACK\n<ITEM\nVOLPAN abc 0\n", ", line 3: \"abc\" is not a number"},
        {"<TRACK\n<ITEM\nPOSITION 1e39\n", ", line 3: \"1e39\" is too large a number"},
        {"<TRACK\nMUTESOLO 0 99999\n", ", line 2: \"99999" + kRange},
        {"<TRACK\nAUXRECV 0 0 loud 0 0\n", ", line 2: \"loud\" is not a number"},
        {"<TRACK\nAUXRECV 39999 0 1 0 0\n", ", line 2: receive from track 40000" + kTracks},
        {"<TRACK\nAUXRECV 1e300 0 1", ", line 2: receive from the track after position \"1e300\"" + kTracks},
        // Tables hold up to 32767 entries: tracks, and FX, items, sends and receives per track. Track 2 receives from
        // track 1 until track 1 is full of sends; one more receive from track 1 has no room.
        {Project(Lines(32767, "<TRACK\n>")) + "<TRACK", ", line 65535: a project holds at most 32767 tracks"},
        {"<TRACK\n" + Project(Lines(32768, "<JS x\n>")), ", line 65536: track 1 has more than 32767 FX" + kFull},
        {"<TRACK\n" + Project(Lines(32768, "<ITEM\n>")), ", line 65536: track 1 has more than 32767 items" + kFull},
        {"<TRACK\n" + Project(Lines(32768, "AUXRECV 1 0 1 0 0")),
         ", line 32769: track 1 has more than 32767 sends and receives" + kFull},
        {"<TRACK\n>\n<TRACK\n" + Project(Lines(32767, "AUXRECV 0 0 1 0 0")) + ">\n<TRACK\nAUXRECV 0 0 1 0 0",
         ", line 32773: track 1 has more than 32767 sends and receives" + kFull},
        // A file without a project or track block at its top is refused.
        {"", ": the file is empty"}, {"\n  \n\r\n", kNoBlock}, {"hello\nworld\n", kNoBlock},
        {"<reaper_project 0.1\n>\n", kNoBlock}, {"<FOO\n  <TRACK\n  >\n>\n", kNoBlock},
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR<TRACK\n", 24), ", line 3" + kBinary},
        {std::string("\x7f" "ELF\0<TRACK\n", 10), ", line 1" + kBinary},
        // Only the first 64 KiB are looked at for a NUL byte, in short lines or a long one.
        {"<TRACK\n" + Project(Lines(32700, "x")) + std::string(1, '\0'), ", line 32702" + kBinary},
        {"<TRACK\n" + Project(Lines(32800, "x")) + std::string(1, '\0'), ""},
        {"<REAPER_PROJECT 0.1\n" + std::string(65600, 'x') + std::string(1, '\0') + "\n>\n", ""},
        {"<REAPER_PROJECT 0.1\n>\n", ""}, {"<TRACK\n  NAME a\n>\n", ""},
        {"# written by a tool\n\n<REAPER_PROJECT 0.1\n>\n", ""},
    };
    for (const auto& [text, message] : cases)
        EXPECT_EQ(FailureOf([&] { Read(text); }), message.empty() ? "" : "test.rpp" + message) << text.substr(0, 40);
}

TEST(ReadProject, EachReadStartsFromNothingAndAFailedOneKeepsWhatItReadOrFailsNamingTheFile)
{
    const testing::TempFolder scratch;  // a folder of its own: test programs run side by side
    const std::string song = scratch.Write(
        "song.rpp", "<REAPER_PROJECT 5.0\r\n<NOTES\r\n|old\r\n>\r\n<TRACK\r\nNAME Bass\r\nISBUS 1 1\r\n<VST x\r\n>\r\n"
                    "<ITEM\r\n>\r\nAUXRECV 2 0 1 0 0");
    ProjectModel model;
    const auto failure = [&](const std::string& path) { return FailureOf([&] { ReadProject(model, path); }); };
    EXPECT_EQ(failure(song), "");
    EXPECT_EQ(Text(model.Info.SourcePath, ' ', model.Tracks.size(), ' ', TrackStates(model).at(0)),
              song + " 4 Bass 0 0 group; R3 1 0; VST|x|;  0 0 0 0 0");
    const std::string second = "<REAPER_PROJECT 6.0\n<TRACK\nNAME b\n>\n<TRACK\nVOLPAN x";
    EXPECT_EQ(FailureOf([&] { ReadProjectText(model, second, "2.rpp"); }), "2.rpp, line 6: \"x\" is not a number");
    EXPECT_EQ(Text(model.Info.VersionText, " [", model.Info.Notes, "] ", model.Tracks.size()), "6.0 [] 3");
    EXPECT_EQ(TrackStates(model), (Lines{"b 0 0", " 0 0"}));
    const std::string missing = scratch.Path("missing.rpp");
    EXPECT_EQ(failure(missing), missing + ": cannot open the file (No such file or directory)");
    EXPECT_EQ(Text(model.Info.SourcePath, model.Tracks.size()), "1") << "a failed read keeps nothing of the earlier";
    // A line longer than any project holds fails at once, with its number.
    const std::string longLine = scratch.Write("long.rpp", "<TRACK\n" + std::string((16 << 20) + 1, 'x') + "\n>\n");
    EXPECT_EQ(failure(longLine),
              longLine + ", line 2: the line is longer than 16 MiB, more than a project line can be");
    // What would block for ever or never end is refused before it is opened.
#ifdef _WIN32
    EXPECT_EQ(failure("NUL"), "NUL: this is a device, not an ordinary file");
#else
    const std::string pipe = scratch.Path("pipe.rpp");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(failure(pipe), pipe + ": this is a pipe, not an ordinary file");
    EXPECT_EQ(failure("/dev/zero"), "/dev/zero: this is a device, not an ordinary file");
#endif
}

// The one corpus file whose name ends in "__" + key + ".rpp".
std::string CorpusFile(const std::string& key)
{
    std::vector<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(SONDREL_CORPUS_DIR))
        if (entry.path().filename().string().ends_with("__" + key + ".rpp"))
            found.push_back(entry.path().string());
    EXPECT_EQ(found.size(), 1u) << key;
    return found.empty() ? key : found[0];
}

// Facts distinctive of some files: the state of one track, or for track 0 every track's name, for track -1 the notes,
// the tempo, and per track G for a folder, i for a track in a folder, - for any other.
Lines Facts(const ProjectModel& model, int number)
{
    Lines names;
    std::string folders;
    for (int t = 1; t <= model.Info.TrackCount; ++t) {
        names.push_back(model.Track(t).Name);
        folders += model.Track(t).IsGroup ? 'G' : model.Track(t).InGroup ? 'i' : '-';
    }
    return number > 0 ? Lines{TrackState(model.Track(number))}
           : number == 0 ? names : Lines{model.Info.Notes, Text(model.Info.Tempo), folders};
}

const std::tuple<std::string, int, Lines> kFacts[] = {
    // Every kind of quote, alone and mixed, and names that look like keywords or blocks.
    {"tricky-strings", 0,
     {"", "\"", "\"\"", "\"\"\"", "'", "''", "'''", "`", "``", "```", "'''```\"\"\"", "NAME", "hel\"lo", "hello\"",
      "<HELLO world >", "<>", "<"}},
    {"vst", 0,
     {"5.50", "Synth", "|Beep Boop", "Boop",
      "0123456789 abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ!\"#$%&'()*+,-./:;<=>?@[\\]^_'{|}~", "\"hey",
      "hey\"", "<", ">", "<>"}},
    // Cyrillic names, bare and quoted.
    {"son", 0, {"\xd0\xa1\xd0\xbe\xd0\xbd", "\xd0\xa1\xd0\xbe\xd0\xbd (1)", ""}},
    // A multi-take recording: each item is named by its active take, its volume is the item's own.
    {"201205_1424__test", 1,
     {" 1.05316 0; 01-201205_2144.wav 0 3.45977 1 0 0; 01-201205_2144.wav 3.45977 0.626939 1 0 0; "
      "01-201205_2144.wav 4.08671 58.8956 1 0 0; 01-201205_2144.wav 62.9823 75.0787 1 0 0"}},
    // SWS snapshots hold whole copies of tracks, which are not tracks.
    {"Win_Ultraschall_Soundboard", 3,
     {"Soundboard 1 0; VST|VST3i: Soundboard (Ultraschall) (mono)|Soundboard.vst3; "
      "VST|VST: ReaComp (Cockos)|reacomp.dll; JS|dynamics/Ultraschall_Dynamics||bypassed"}},
    // Frozen tracks show none of their stored chains.
    {"Gloria", -1, {"|IIV1ItV2CItV3CBBOE", "93", "---------Gii-"}},
    {"Gloria", 5,
     {"Piano 0.289372 0 mute; 05-Piano-Recorded MIDI - freeze 5.16129 31.6156 1 0 0; "
      "06-Piano-Recorded MIDI : 06-Piano-Recorded MIDI-glued - freeze 61.9355 191.978 1 0 0"}},
    {"issue-846-clap-support", 3,
     {"Surge XT 1 0; CLAP|CLAPi: Surge XT (Surge Synth Team)|org.surge-synth-team.surge-xt"}},
    // ISBUS 1 on tracks 1, 6, 11 and ISBUS 2 on tracks 3, 9, 16.
    {"Trust_In_You", -1, {"|Electric Guitar Selector in Bottom position", "120", "Gii--Giii-Giiiii"}},
};

// data/corpus_counts.txt names every real project (REAPER 4.32 to 7.52 on Windows, macOS and Linux) by the end of
// its name, with its tracks, items (not frozen or stored ones) and AUXRECV lines, counted independently of this reader.
TEST(Corpus, EveryFileReadsWithItsTracksItemsReceivesAndFacts)
{
    SONDREL_REQUIRE_CORPUS();
    std::ptrdiff_t facts = 0, files = 0;
    std::istringstream counts(testing::TempFolder::Read(SONDREL_TEST_DATA_DIR "/corpus_counts.txt"));
    for (std::string key, tracks, items, receives; counts >> key >> tracks >> items >> receives; ++files) {
        SCOPED_TRACE(key);
        ProjectModel model;
        EXPECT_EQ(FailureOf([&] { ReadProject(model, CorpusFile(key)); }), "");
        int itemCount = 0, receiveCount = 0, sendCount = 0;
        for (int t = 1; t <= model.Info.TrackCount; ++t) {
            itemCount += model.Track(t).ItemCount();
            for (const ReceiveRecord& entry : model.Track(t).ReceiveTable)
                (entry.Kind == RoutingKind::Receive ? receiveCount : sendCount) += 1;
        }
        // Every receive has its send.
        EXPECT_EQ(Text(model.Info.TrackCount, ' ', itemCount, ' ', receiveCount, ' ', sendCount),
                  Text(tracks, ' ', items, ' ', receives, ' ', receives));
        for (const auto& [file, track, expected] : kFacts)
            if (file == key) {
                EXPECT_EQ(Facts(model, track), expected) << "track " << track;
                ++facts;
            }
    }
    EXPECT_EQ(facts, std::ssize(kFacts));
    // Each key names one file, so every file is counted.
    const std::filesystem::directory_iterator folder(SONDREL_CORPUS_DIR);
    EXPECT_EQ(files, std::count_if(begin(folder), end(folder), [](const auto& entry) {
                  return entry.path().extension() == ".rpp";
              }));
}

}  // namespace
}  // namespace sondrel
