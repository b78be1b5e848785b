// The worked example, the header, blocks and tracks.
#include <gtest/gtest.h>

#include "reader_test_support.h"

namespace sondrel {
namespace {

using testing::Project;
using testing::Read;

TEST(ReadProject, WorkedExample)
{
    const ProjectModel model = Read(Project({
        "<REAPER_PROJECT 0.1",
        "  TEMPO 120 4 4",
        "  SAMPLERATE 44100 0 0",
        "  <NOTES 0 2",
        "    |Mix for review",
        "    |Second line",
        "  >",
        "  <TRACK",
        "    NAME \"Lead Vocal\"",
        "    VOLPAN 0.5 -0.25 -1 -1 1",
        "    MUTESOLO 0 1 0",
        "    ISBUS 1 1",
        "    <FXCHAIN",
        "      BYPASS 1 0",
        "      <VST \"VST: EQ\" \"eq.dll\" 0 \"\"",
        "      >",
        "    >",
        "    <ITEM",
        "      POSITION 1.5",
        "      LENGTH 10",
        "      MUTE 0",
        "      NAME \"Take 1\"",
        "      VOLPAN 1 0 1 -1",
        "      <SOURCE WAVE",
        "        FILE \"vox.wav\"",
        "      >",
        "    >",
        "  >",
        "  <TRACK",
        "    NAME Drums",
        "    VOLPAN 1 0 -1 -1 1",
        "    MUTESOLO 1 0 0",
        "    ISBUS 2 -1",
        "    AUXRECV 0 0 0.8 0.1 0 0 0 0 0 -1 0 -1",
        "  >",
        ">",
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

    const TrackRecord& vocal = model.Track(1);
    EXPECT_EQ(vocal.Name, "Lead Vocal");
    EXPECT_EQ(vocal.Volume, 0.5f);
    EXPECT_EQ(vocal.Pan, -0.25f);
    EXPECT_FALSE(vocal.Mute);
    EXPECT_TRUE(vocal.Solo);
    EXPECT_TRUE(vocal.IsGroup);
    EXPECT_FALSE(vocal.InGroup);
    ASSERT_EQ(vocal.FxCount(), 1);
    EXPECT_EQ(vocal.FxTable[0].FxType, "VST");
    EXPECT_EQ(vocal.FxTable[0].Name, "VST: EQ");
    EXPECT_EQ(vocal.FxTable[0].Dll, "eq.dll");
    EXPECT_TRUE(vocal.FxTable[0].Bypassed);
    ASSERT_EQ(vocal.ItemCount(), 1);
    const ItemRecord& take = vocal.ItemTable[0];
    EXPECT_EQ(take.Position, 1.5f);
    EXPECT_EQ(take.Length, 10.0f);
    EXPECT_FALSE(take.Mute);
    EXPECT_EQ(take.Name, "Take 1");
    EXPECT_EQ(take.Volume, 1.0f);
    EXPECT_EQ(take.Pan, 0.0f);
    ASSERT_EQ(vocal.ReceiveCount(), 1);
    EXPECT_EQ(vocal.ReceiveTable[0].Kind, "S");
    EXPECT_EQ(vocal.ReceiveTable[0].TrackNumText, "2");

    const TrackRecord& drums = model.Track(2);
    EXPECT_EQ(drums.Name, "Drums");
    EXPECT_EQ(drums.Volume, 1.0f);
    EXPECT_TRUE(drums.Mute);
    EXPECT_FALSE(drums.Solo);
    EXPECT_FALSE(drums.IsGroup);
    EXPECT_TRUE(drums.InGroup);
    ASSERT_EQ(drums.ReceiveCount(), 1);
    const ReceiveRecord& receive = drums.ReceiveTable[0];
    EXPECT_EQ(receive.Kind, "R");
    EXPECT_EQ(receive.TrackNumText, "1");
    EXPECT_FLOAT_EQ(receive.Volume, 0.8f);
    EXPECT_FLOAT_EQ(receive.Pan, 0.1f);
    EXPECT_FALSE(receive.Mute);
    const ReceiveRecord& send = vocal.ReceiveTable[0];
    EXPECT_EQ(send.Volume, receive.Volume);
    EXPECT_EQ(send.Pan, receive.Pan);
    EXPECT_EQ(send.Mute, receive.Mute);
}

TEST(ReadProject, ProjectWithoutTracks)
{
    const ProjectModel model = Read(Project({"<REAPER_PROJECT 0.1 \"7.0/win64\" 1", "  TEMPO 90 3 8", ">"}));
    EXPECT_EQ(model.Info.TrackCount, 0);
    EXPECT_EQ(model.Info.Tempo, 90.0f);
    EXPECT_EQ(model.Info.TimeSigNumerator, 3);
    EXPECT_EQ(model.Info.TimeSigDenominator, 8);
}

TEST(ReadProject, HeaderIsReadBeforeTheFirstTrackOnly)
{
    const ProjectModel model = Read(Project({
        "<REAPER_PROJECT 0.1",
        "  TEMPO 100 4 4",
        "  <METRONOME 6 2",
        "    TEMPO 50 2 2",
        "    SAMPLERATE 8000",
        "  >",
        "  <TRACK",
        "  >",
        "  TEMPO 70 5 4",
        "  SAMPLERATE 22050",
        "  <NOTES",
        "    |late",
        "  >",
        ">",
    }));
    EXPECT_EQ(model.Info.Tempo, 100.0f);
    EXPECT_EQ(model.Info.TimeSigNumerator, 4);
    EXPECT_EQ(model.Info.SampleRateText, "");
    EXPECT_EQ(model.Info.Notes, "");
}

TEST(ReadProject, NotesKeepEveryLineTrimmedWithItsBar)
{
    const ProjectModel model = Read(Project({
        "<REAPER_PROJECT 0.1",
        "  <NOTES 0 2",
        "    |  indented text  ",
        "    |",
        "",
        "    |TEMPO 1 2 3",
        "    |>",
        "  >",
        "  TEMPO 80 4 4",
        ">",
    }));
    EXPECT_EQ(model.Info.Notes, "|  indented text<br>|<br>|TEMPO 1 2 3<br>|>");
    EXPECT_EQ(model.Info.Tempo, 80.0f);
}

TEST(ReadProject, EmptyLinesAndCaseOfKeywords)
{
    const ProjectModel model = Read(Project({
        "<REAPER_PROJECT 0.1",
        "",
        "      ",
        "  <TRACK",
        "    NAME \"x\"",
        "    name \"y\"",
        "    Volpan 0.3 0",
        "    VOLPAN 0.5 0",
        "  >",
        ">",
    }));
    EXPECT_EQ(model.Track(1).Name, "x");
    EXPECT_EQ(model.Track(1).Volume, 0.5f);
}

TEST(ReadProject, LineEndsOfEveryKindAndAnUnendedLastLine)
{
    const std::string text = "<REAPER_PROJECT 0.1\r  <TRACK\r\n    NAME first\n  >\r\n  <TRACK\r    NAME last";
    const ProjectModel model = Read(text);
    ASSERT_EQ(model.Info.TrackCount, 2);
    EXPECT_EQ(model.Track(1).Name, "first");
    EXPECT_EQ(model.Track(2).Name, "last");
}

TEST(ReadProject, LinesOfAnyLength)
{
    const std::string longName(100000, 'n');
    const ProjectModel model = Read(Project({"<TRACK", "NAME " + longName, ">"}));
    EXPECT_EQ(model.Track(1).Name, longName);
}

TEST(ReadProject, TrackStateEndsWithItsBlock)
{
    const ProjectModel model = Read(Project({
        "<REAPER_PROJECT 0.1",
        "  <TRACK",
        "    NAME kept",
        "  >",
        "  NAME overwritten",
        "  VOLPAN 0.1 0.1",
        "  AUXRECV 0 0 1 0 0",
        "  BYPASS 1 0",
        "  <VST stray.dll",
        "  >",
        "  <ITEM",
        "  >",
        "  <TRACK",
        "    <VST \"VST: after\" after.dll",
        "    >",
        "  >",
        ">",
    }));
    ASSERT_EQ(model.Info.TrackCount, 2);
    const TrackRecord& first = model.Track(1);
    EXPECT_EQ(first.Name, "kept");
    EXPECT_EQ(first.Volume, 0.0f);
    EXPECT_EQ(first.ReceiveCount(), 0);
    EXPECT_EQ(first.FxCount(), 0);
    EXPECT_EQ(first.ItemCount(), 0);
    ASSERT_EQ(model.Track(2).FxCount(), 1);
    EXPECT_FALSE(model.Track(2).FxTable[0].Bypassed);
}

TEST(ReadProject, SnapshotsOfTracksInsideOtherBlocksAreNotTracks)
{
    const ProjectModel model = Read(Project({
        "<REAPER_PROJECT 0.1",
        "  <TRACK",
        "    NAME real",
        "  >",
        "  <EXTENSIONS",
        "    <SWSSNAPSHOT \"Snap\" 1",
        "      <TRACK {0B2D} 1.0 0 1",
        "        NAME \"Speaker 1\" 1",
        "        <FXCHAIN",
        "          <VST \"VST: copy\" copy.dll",
        "          >",
        "        >",
        "      >",
        "    >",
        "  >",
        ">",
    }));
    ASSERT_EQ(model.Info.TrackCount, 1);
    EXPECT_EQ(model.Track(1).Name, "real");
    EXPECT_EQ(model.Track(1).FxCount(), 0);
}

TEST(ReadProject, TrackTemplatesOpenTracksAtTheTop)
{
    const ProjectModel model = Read(Project({
        ">",
        "<TRACK",
        "  NAME one",
        "  <TRACK",
        "    NAME nested",
        "  >",
        ">",
        ">",
        "<TRACK",
        "  NAME two",
        ">",
    }));
    ASSERT_EQ(model.Info.TrackCount, 2);
    EXPECT_EQ(model.Track(1).Name, "one");
    EXPECT_EQ(model.Track(2).Name, "two");
}

TEST(ReadProject, TrackKeywordsCountAtTheTracksOwnLevelOnly)
{
    const ProjectModel model = Read(Project({
        "<TRACK",
        "  NAME track",
        "  VOLPAN 0.5 0.25",
        "  <VOLENV2",
        "    NAME envelope",
        "    VOLPAN 9 9",
        "    MUTESOLO 1 1",
        "    ISBUS 1 1",
        "    AUXRECV 0 0 1 0 0",
        "  >",
        ">",
    }));
    const TrackRecord& track = model.Track(1);
    EXPECT_EQ(track.Name, "track");
    EXPECT_EQ(track.Volume, 0.5f);
    EXPECT_EQ(track.Pan, 0.25f);
    EXPECT_FALSE(track.Mute);
    EXPECT_FALSE(track.Solo);
    EXPECT_FALSE(track.IsGroup);
    EXPECT_EQ(track.ReceiveCount(), 0);
}

TEST(ReadProject, ExactNameFromTheNameBlock)
{
    const ProjectModel model = Read(Project({
        "<TRACK",
        "  NAME `''''''\"\"\"`",
        "  <NAME",
        "    |'''```\"\"\"  ",
        "    |second line ignored",
        "  >",
        "  VOLPAN 1 0",
        ">",
        "<TRACK",
        "  NAME plain",
        "  <FXCHAIN",
        "    <NAME",
        "      |not the track's",
        "    >",
        "  >",
        ">",
    }));
    EXPECT_EQ(model.Track(1).Name, "'''```\"\"\"");
    EXPECT_EQ(model.Track(1).Volume, 1.0f);
    EXPECT_EQ(model.Track(2).Name, "plain");
}

TEST(ReadProject, SoloInPlaceCountsAsSolo)
{
    struct Case {
        const char* line;
        bool mute;
        bool solo;
    };
    const Case cases[] = {
        {"MUTESOLO 0 0 0", false, false}, {"MUTESOLO 0 1 0", false, true}, {"MUTESOLO 0 2 0", false, true},
        {"MUTESOLO 1 3 0", true, false},  {"MUTESOLO 2 0 0", false, false}, {"MUTESOLO 1", true, false},
        {"MUTESOLO x y", false, false},
    };
    for (const Case& c : cases) {
        const ProjectModel model = Read(Project({"<TRACK", c.line, ">"}));
        EXPECT_EQ(model.Track(1).Mute, c.mute) << c.line;
        EXPECT_EQ(model.Track(1).Solo, c.solo) << c.line;
    }
}

TEST(ReadProject, FolderGroups)
{
    // A folder inside a folder: the inner opener is not in a group, and the
    // first closing value ends membership for all.
    const char* values[] = {"0 0", "1 1", "0 0", "1 1", "0 0", "2 -2", "0 0", "2 -1"};
    const bool isGroup[] = {false, true, false, true, false, false, false, false};
    const bool inGroup[] = {false, false, true, false, true, true, false, false};
    std::string text;
    for (const char* v : values)
        text += "<TRACK\nISBUS " + std::string(v) + "\n>\n";
    const ProjectModel model = Read(text);
    ASSERT_EQ(model.Info.TrackCount, 8);
    for (int t = 1; t <= 8; ++t) {
        EXPECT_EQ(model.Track(t).IsGroup, isGroup[t - 1]) << "track " << t;
        EXPECT_EQ(model.Track(t).InGroup, inGroup[t - 1]) << "track " << t;
    }
}

TEST(ReadProject, ShortLinesSeeNothingOfEarlierLines)
{
    const ProjectModel model = Read(Project({
        "<REAPER_PROJECT 0.1 \"7.0\" 1 2 3",
        "  TEMPO 120",
        "  SAMPLERATE",
        "  <TRACK",
        "    AUXRECV 1 0 0.5",
        "    VOLPAN 0.7",
        "  >",
        ">",
    }));
    EXPECT_EQ(model.Info.Tempo, 120.0f);
    EXPECT_EQ(model.Info.TimeSigNumerator, 0);
    EXPECT_EQ(model.Info.TimeSigDenominator, 0);
    EXPECT_EQ(model.Info.SampleRateText, "");
    const TrackRecord& track = model.Track(1);
    EXPECT_EQ(track.Volume, 0.7f);
    EXPECT_EQ(track.Pan, 0.0f);
    ASSERT_EQ(track.ReceiveCount(), 1);
    EXPECT_EQ(track.ReceiveTable[0].Volume, 0.5f);
    EXPECT_EQ(track.ReceiveTable[0].Pan, 0.0f);
    EXPECT_FALSE(track.ReceiveTable[0].Mute);
}

TEST(ReadProject, SecondReadStartsFromNothing)
{
    ProjectModel model;
    ReadProjectText(model,
                    Project({"<REAPER_PROJECT 5.0", "  <NOTES", "    |old", "  >", "  <TRACK", "    NAME a",
                             "    <VST x", "    >", "    <ITEM", "    >", "    AUXRECV 2 0 1 0 0", "  >",
                             "  <TRACK", "  >", ">"}),
                    "first.rpp");
    ASSERT_EQ(model.Info.TrackCount, 2);
    ASSERT_EQ(model.Track(3).ReceiveCount(), 1);
    ReadProjectText(model, Project({"<REAPER_PROJECT 6.0", "  <TRACK", "  >", ">"}), "second.rpp");
    EXPECT_EQ(model.Info.SourcePath, "second.rpp");
    EXPECT_EQ(model.Info.VersionText, "6.0");
    EXPECT_EQ(model.Info.Notes, "");
    EXPECT_EQ(model.Info.TrackCount, 1);
    EXPECT_EQ(model.Track(1).Name, "");
    EXPECT_EQ(model.Track(1).FxCount(), 0);
    EXPECT_EQ(model.Track(1).ItemCount(), 0);
    EXPECT_EQ(model.Track(1).ReceiveCount(), 0);
    EXPECT_EQ(model.Track(3).ReceiveCount(), 0);
}

}  // namespace
}  // namespace sondrel
