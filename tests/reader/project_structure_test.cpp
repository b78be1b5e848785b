// The worked example, the header, blocks and tracks.
#include <gtest/gtest.h>

#include "reader_test_support.h"

namespace sondrel {
namespace {

using namespace testing;

TEST(ReadProject, WorkedExample)
{
    const ProjectModel model = Read(Project({
        "<REAPER_PROJECT 0.1", "  TEMPO 120 4 4", "  SAMPLERATE 44100 0 0",
        "  <NOTES 0 2", "    |Mix for review", "    |Second line", "  >",
        "  <TRACK", "    NAME \"Lead Vocal\"", "    VOLPAN 0.5 -0.25 -1 -1 1", "    MUTESOLO 0 1 0", "    ISBUS 1 1",
        "    <FXCHAIN", "      BYPASS 1 0", "      <VST \"VST: EQ\" \"eq.dll\" 0 \"\"", "      >", "    >",
        "    <ITEM", "      POSITION 1.5", "      LENGTH 10", "      MUTE 0", "      NAME \"Take 1\"",
        "      VOLPAN 1 0 1 -1", "      <SOURCE WAVE", "        FILE \"vox.wav\"", "      >", "    >", "  >",
        "  <TRACK", "    NAME Drums", "    VOLPAN 1 0 -1 -1 1", "    MUTESOLO 1 0 0", "    ISBUS 2 -1",
        "    AUXRECV 0 0 0.8 0.1 0 0 0 0 0 -1 0 -1", "  >", ">",
    }));
    const ProjectInfo& info = model.Info;
    EXPECT_EQ(info.SourcePath, "test.rpp");
    EXPECT_EQ(info.VersionText, "0.1");
    EXPECT_EQ(info.Tempo, 120.0f);
    EXPECT_EQ(info.TimeSigNumerator, 4);
    EXPECT_EQ(info.TimeSigDenominator, 4);
    EXPECT_EQ(info.SampleRateText, "44100");
    EXPECT_EQ(info.Notes, "|Mix for review<br>|Second line");
    ASSERT_EQ(info.TrackCount, 2);
    EXPECT_EQ(Mixer(model.Track(1)), "Lead Vocal 0.5 -0.25 solo group");
    EXPECT_EQ(Fx(model.Track(1)), Lines{"VST|VST: EQ|eq.dll|bypassed"});
    EXPECT_EQ(Items(model.Track(1)), Lines{"Take 1 1.5 10 1 0 0"});
    EXPECT_EQ(Routing(model.Track(1)), Lines{"S2 0.8 0.1"});
    EXPECT_EQ(Mixer(model.Track(2)), "Drums 1 0 mute in-group");
    EXPECT_EQ(Routing(model.Track(2)), Lines{"R1 0.8 0.1"});
}

TEST(ReadProject, HeaderIsReadBeforeTheFirstTrackOnly)
{
    const ProjectModel model = Read(Project({
        "<REAPER_PROJECT 0.1",
        "  <NOTES 0 2", "    |  indented text  ", "    |", "", "    |TEMPO 1 2 3", "    |>", "  >",
        "  TEMPO 100 3 8", "  <METRONOME 6 2", "    TEMPO 50 2 2", "    SAMPLERATE 8000", "  >", "  <TRACK", "  >",
        "  TEMPO 70 5 4", "  SAMPLERATE 22050", "  <NOTES", "    |late", "  >", ">",
    }));
    EXPECT_EQ(model.Info.Notes, "|  indented text<br>|<br>|TEMPO 1 2 3<br>|>");
    EXPECT_EQ(model.Info.Tempo, 100.0f);
    EXPECT_EQ(model.Info.TimeSigNumerator, 3);
    EXPECT_EQ(model.Info.TimeSigDenominator, 8);
    EXPECT_EQ(model.Info.SampleRateText, "");
    const ProjectInfo shortLines = Read(Project({"<REAPER_PROJECT 0.1 \"7.0/win64\" 1", "TEMPO 90", "SAMPLERATE", ">"})).Info;
    EXPECT_EQ(shortLines.TrackCount, 0);
    EXPECT_EQ(shortLines.Tempo, 90.0f);
    EXPECT_EQ(shortLines.TimeSigNumerator, 0) << "missing fields are 0";
    EXPECT_EQ(shortLines.TimeSigDenominator, 0);
    EXPECT_EQ(shortLines.SampleRateText, "");
}

TEST(ReadProject, EveryLineEndAnUnendedLastLineAndLinesOfAnyLength)
{
    const std::string longName(100000, 'n');
    const ProjectModel model =
        Read("<REAPER_PROJECT 0.1\r  <TRACK\r\n    NAME " + longName + "\n  >\r\n  <TRACK\r    NAME last");
    ASSERT_EQ(model.Info.TrackCount, 2);
    EXPECT_EQ(model.Track(1).Name, longName);
    EXPECT_EQ(model.Track(2).Name, "last");
}

TEST(ReadProject, TrackStateEndsWithItsBlock)
{
    const ProjectModel model = Read(Project({
        "<REAPER_PROJECT 0.1", "  <TRACK", "    NAME kept", "  >",
        "  NAME overwritten", "  VOLPAN 0.1 0.1", "  AUXRECV 0 0 1 0 0", "  BYPASS 1 0",
        "  <VST stray.dll", "  >", "  <ITEM", "  >",
        "  <TRACK", "    <VST \"VST: after\" after.dll", "    >", "  >", ">",
    }));
    ASSERT_EQ(model.Info.TrackCount, 2);
    const TrackRecord& first = model.Track(1);
    EXPECT_EQ(Mixer(first), "kept 0 0");
    EXPECT_EQ(first.ReceiveCount() + first.FxCount() + first.ItemCount(), 0);
    EXPECT_EQ(Fx(model.Track(2)), Lines{"VST|VST: after|after.dll"});
}

TEST(ReadProject, OnlyTopLevelTrackBlocksAreTracks)
{
    // SWS snapshots keep whole copies of tracks inside <EXTENSIONS>.
    const ProjectModel snapshots = Read(Project({
        "<REAPER_PROJECT 0.1", "  <TRACK", "    NAME real", "  >",
        "  <EXTENSIONS", "    <SWSSNAPSHOT \"Snap\" 1", "      <TRACK {0B2D} 1.0 0 1", "        NAME \"Speaker 1\" 1",
        "        <FXCHAIN", "          <VST \"VST: copy\" copy.dll", "          >", "        >", "      >", "    >", "  >",
        ">",
    }));
    ASSERT_EQ(snapshots.Info.TrackCount, 1);
    EXPECT_EQ(snapshots.Track(1).Name, "real");
    EXPECT_EQ(snapshots.Track(1).FxCount(), 0);

    // Track templates start at the top; a ">" with nothing open closes nothing.
    const ProjectModel templates = Read(Project({
        ">", "<TRACK", "  NAME one", "  <TRACK", "    NAME nested", "  >", ">", ">", "<TRACK", "  NAME two", ">",
    }));
    ASSERT_EQ(templates.Info.TrackCount, 2);
    EXPECT_EQ(templates.Track(1).Name, "one");
    EXPECT_EQ(templates.Track(2).Name, "two");
}

// The state of the one track that these lines make, its routing entries after "|".
std::string TrackState(const Lines& lines)
{
    std::string text = "<REAPER_PROJECT 0.1\n\n      \n<TRACK\n";  // blank lines are skipped
    for (const std::string& line : lines)
        text += "    " + line + "\n";
    const TrackRecord track = Read(text + ">\n>\n").Track(1);
    std::string state = Mixer(track);
    for (const std::string& entry : Routing(track))
        state += " | " + entry;
    return state;
}

TEST(ReadProject, TrackLinesGiveTheTrackState)
{
    const std::pair<Lines, std::string> cases[] = {
        // Keywords are matched in capitals only.
        {{"NAME \"x\"", "name \"y\"", "Volpan 0.3 0", "VOLPAN 0.5 0"}, "x 0.5 0"},
        // A name holding all three quotes: the <NAME block's first line is exact.
        {{"NAME `''''''\"\"\"`", "<NAME", "  |'''```\"\"\"  ", "  |second line ignored", ">", "VOLPAN 1 0"},
         "'''```\"\"\" 1 0"},
        {{"NAME plain", "<FXCHAIN", "  <NAME", "    |not the track's", "  >", ">"}, "plain 0 0"},
        // Lines of blocks inside the track are not the track's.
        {{"NAME track", "VOLPAN 0.5 0.25", "<VOLENV2", "  NAME envelope", "  VOLPAN 9 9", "  MUTESOLO 1 1",
          "  ISBUS 1 1", "  AUXRECV 0 0 1 0 0", ">"},
         "track 0.5 0.25"},
        // Short lines see nothing of earlier lines: missing fields are empty or 0.
        {{"AUXRECV 1 0 0.5", "VOLPAN 0.7"}, " 0.7 0 | R2 0.5 0"},
        // Solo 2 is REAPER's "solo in place".
        {{"MUTESOLO 0 0 0"}, " 0 0"}, {{"MUTESOLO 0 1 0"}, " 0 0 solo"}, {{"MUTESOLO 0 2 0"}, " 0 0 solo"},
        {{"MUTESOLO 1 3 0"}, " 0 0 mute"}, {{"MUTESOLO 2 0 0"}, " 0 0"}, {{"MUTESOLO 1"}, " 0 0 mute"},
        {{"MUTESOLO x y"}, " 0 0"},
    };
    for (const auto& [lines, state] : cases)
        EXPECT_EQ(TrackState(lines), state) << lines.front();
}

TEST(ReadProject, FolderGroups)
{
    // A folder inside a folder: the inner opener is not in a group, and the
    // first closing value ends membership for all.
    const std::pair<const char*, const char*> tracks[] = {
        {"0 0", " 0 0"}, {"1 1", " 0 0 group"}, {"0 0", " 0 0 in-group"}, {"1 1", " 0 0 group"},
        {"0 0", " 0 0 in-group"}, {"2 -2", " 0 0 in-group"}, {"0 0", " 0 0"}, {"2 -1", " 0 0"},
    };
    std::string text;
    for (const auto& [isbus, mixer] : tracks)
        text += "<TRACK\nISBUS " + std::string(isbus) + "\n>\n";
    const ProjectModel model = Read(text);
    ASSERT_EQ(model.Info.TrackCount, 8);
    for (int t = 1; t <= 8; ++t)
        EXPECT_EQ(Mixer(model.Track(t)), tracks[t - 1].second) << "track " << t;
}

TEST(ReadProject, SecondReadStartsFromNothing)
{
    ProjectModel model;
    ReadProjectText(model,
                    Project({"<REAPER_PROJECT 5.0", "  <NOTES", "    |old", "  >", "  <TRACK", "    NAME a",
                             "    <VST x", "    >", "    <ITEM", "    >", "    AUXRECV 2 0 1 0 0", "  >",
                             "  <TRACK", "  >", ">"}),
                    "first.rpp");
    ASSERT_EQ(model.Track(3).ReceiveCount(), 1);
    ReadProjectText(model, Project({"<REAPER_PROJECT 6.0", "  <TRACK", "  >", ">"}), "second.rpp");
    EXPECT_EQ(model.Info.SourcePath, "second.rpp");
    EXPECT_EQ(model.Info.VersionText, "6.0");
    EXPECT_EQ(model.Info.Notes, "");
    EXPECT_EQ(model.Info.TrackCount, 1);
    const TrackRecord& track = model.Track(1);
    EXPECT_EQ(Mixer(track), " 0 0");
    EXPECT_EQ(track.FxCount() + track.ItemCount() + track.ReceiveCount(), 0);
    EXPECT_EQ(model.Track(3).ReceiveCount(), 0);
}

}  // namespace
}  // namespace sondrel
