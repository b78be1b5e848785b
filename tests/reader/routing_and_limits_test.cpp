// Receives with their mirrored sends, the table limits and the failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "reader_test_support.h"

namespace sondrel {
namespace {

using testing::Project;
using testing::Read;
using testing::ReadFailure;

std::string Tracks(int count, const std::string& body = "")
{
    std::string text = "<REAPER_PROJECT 0.1\n";
    for (int i = 0; i < count; ++i)
        text += "  <TRACK\n" + body + "  >\n";
    return text + ">\n";
}

TEST(ReadRouting, ReceiveOnTrackFiveFromTrackThree)
{
    const ProjectModel model =
        Read(Tracks(4) + Project({"<TRACK", "  AUXRECV 2 0 1 0 0", "  AUXRECV 2 1 0.5 -0.5 1", ">"}));
    ASSERT_EQ(model.Info.TrackCount, 5);
    const TrackRecord& five = model.Track(5);
    const TrackRecord& three = model.Track(3);
    ASSERT_EQ(five.ReceiveCount(), 2);
    ASSERT_EQ(three.ReceiveCount(), 2);
    EXPECT_EQ(five.ReceiveTable[0].Kind, "R");
    EXPECT_EQ(five.ReceiveTable[0].TrackNumText, "3");
    EXPECT_EQ(three.ReceiveTable[0].Kind, "S");
    EXPECT_EQ(three.ReceiveTable[0].TrackNumText, "5");
    EXPECT_EQ(three.ReceiveTable[1].Volume, 0.5f);
    EXPECT_EQ(three.ReceiveTable[1].Pan, -0.5f);
    EXPECT_TRUE(three.ReceiveTable[1].Mute);
    EXPECT_TRUE(five.ReceiveTable[1].Mute);
}

TEST(ReadRouting, SendsAndReceivesKeepTheOrderTheyWereAdded)
{
    // Track 1 gets the send for track 2's receive before its own receive from track 3.
    const ProjectModel model = Read(Project({
        "<TRACK", ">",
        "<TRACK", "  AUXRECV 0 0 1 0 0", ">",
        "<TRACK", ">",
    }) + Project({"<TRACK", "  AUXRECV 0 0 1 0 0", ">"}));
    const TrackRecord& one = model.Track(1);
    ASSERT_EQ(one.ReceiveCount(), 2);
    EXPECT_EQ(one.ReceiveTable[0].TrackNumText, "2");
    EXPECT_EQ(one.ReceiveTable[1].TrackNumText, "4");
}

TEST(ReadRouting, SourceBeyondTheTracksStillGetsItsSend)
{
    const ProjectModel model = Read(Project({"<TRACK", "  AUXRECV 32766 0 1 0 0", "  AUXRECV -1 0 1 0 0", ">"}));
    EXPECT_EQ(model.Info.TrackCount, 1);
    ASSERT_EQ(model.Track(32767).ReceiveCount(), 1);
    EXPECT_EQ(model.Track(32767).ReceiveTable[0].TrackNumText, "1");
    EXPECT_EQ(model.Track(1).ReceiveTable[0].TrackNumText, "32767");
    ASSERT_EQ(model.Track(0).ReceiveCount(), 1);
    EXPECT_EQ(model.Track(1).ReceiveTable[1].TrackNumText, "0");
}

TEST(ReadRouting, SourceOutsideTheTrackNumbersFails)
{
    EXPECT_EQ(ReadFailure(Project({"<TRACK", "  AUXRECV 39999 0 1 0 0", ">"})),
              "test.rpp, line 2: receive from track 40000: track numbers run from 0 to 32767");
    EXPECT_EQ(ReadFailure(Project({"<TRACK", "  AUXRECV -2 0 1 0 0", ">"})),
              "test.rpp, line 2: receive from track -1: track numbers run from 0 to 32767");
    EXPECT_NE(ReadFailure(Project({"<TRACK", "  AUXRECV 1e300 0 1 0 0", ">"})), "");
    EXPECT_EQ(ReadFailure(Project({"<TRACK", "  AUXRECV 0 0 loud 0 0", ">"})),
              "test.rpp, line 2: \"loud\" is not a number");
}

TEST(ReadLimits, TracksUpToTheLimitAndOneMoreFails)
{
    EXPECT_EQ(Read(Tracks(MaxTableEntries)).Info.TrackCount, MaxTableEntries);
    const std::string failure = ReadFailure(Tracks(40000));
    EXPECT_EQ(failure, "test.rpp, line " + std::to_string(2 + 2 * MaxTableEntries) +
                           ": a project holds at most 32767 tracks");
}

TEST(ReadLimits, EntriesPerTrackUpToTheLimitAndOneMoreFails)
{
    struct Case {
        const char* name;
        std::string entry;
        int (TrackRecord::*count)() const;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"FX", "<JS x\n>\n", &TrackRecord::FxCount,
         "track 1 has more than 32767 FX; a track holds at most 32767"},
        {"items", "<ITEM\n>\n", &TrackRecord::ItemCount,
         "track 1 has more than 32767 items; a track holds at most 32767"},
        {"receives", "AUXRECV 1 0 1 0 0\n", &TrackRecord::ReceiveCount,
         "track 1 has more than 32767 sends and receives; a track holds at most 32767"},
    };
    for (const Case& c : cases) {
        std::string body;
        for (int i = 0; i < MaxTableEntries; ++i)
            body += c.entry;
        const ProjectModel full = Read("<TRACK\n" + body + ">\n");
        EXPECT_EQ((full.Track(1).*c.count)(), MaxTableEntries) << c.name;
        const std::string failure = ReadFailure("<TRACK\n" + body + c.entry + ">\n");
        EXPECT_NE(failure.find(c.reason), std::string::npos) << c.name << ": " << failure;
    }
}

TEST(ReadLimits, MirroredSendsCountOnTheSourceTrack)
{
    // Track 2 receives from track 1 until track 1 is full of sends; one more
    // receive from track 1, on track 3, has no room for its send.
    std::string text = "<TRACK\n>\n<TRACK\n";
    for (int i = 0; i < MaxTableEntries; ++i)
        text += "AUXRECV 0 0 1 0 0\n";
    text += ">\n";
    EXPECT_EQ(Read(text).Track(1).ReceiveCount(), MaxTableEntries);
    const std::string failure = ReadFailure(text + "<TRACK\nAUXRECV 0 0 1 0 0\n>\n");
    EXPECT_NE(failure.find("track 1 has more than 32767 sends and receives"), std::string::npos) << failure;
}

TEST(ReadFailures, NumbersThatAreNotNumbers)
{
    struct Case {
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {Project({"<REAPER_PROJECT 0.1", "  TEMPO fast 4 4", ">"}), "test.rpp, line 2: \"fast\" is not a number"},
        {Project({"<REAPER_PROJECT 0.1", "  TEMPO 120 4 x", ">"}), "test.rpp, line 2: \"x\" is not a number"},
        {Project({"<REAPER_PROJECT 0.1", "  TEMPO 120 40000 4", ">"}),
         "test.rpp, line 2: \"40000\" is outside the range of whole numbers here, -32768 to 32767"},
        {Project({"<TRACK", "", "  VOLPAN abc 0", ">"}), "test.rpp, line 3: \"abc\" is not a number"},
        {Project({"<TRACK", "  VOLPAN 1 inf", ">"}), "test.rpp, line 2: \"inf\" is not a number"},
        {Project({"<TRACK", "  VOLPAN 1e39 0", ">"}), "test.rpp, line 2: \"1e39\" is too large a number"},
        {Project({"<TRACK", "  <ITEM", "    POSITION 1e39", "  >", ">"}),
         "test.rpp, line 3: \"1e39\" is too large a number"},
        {Project({"<TRACK", "  MUTESOLO 0 99999", ">"}),
         "test.rpp, line 2: \"99999\" is outside the range of whole numbers here, -32768 to 32767"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadFailure(c.text), c.message) << c.text;
}

TEST(ReadFailures, EmptyFileAndGarbage)
{
    EXPECT_EQ(ReadFailure(""), "test.rpp: the file is empty");
    EXPECT_EQ(ReadFailure("\n"), "");
    const ProjectModel garbage = Read(std::string("\x01\xff<\x00>>\r\"\n'`'\n<<<TRACK\n", 20));
    EXPECT_EQ(garbage.Info.TrackCount, 0);
    const ProjectModel unclosed = Read(Project({"<TRACK", "  NAME \"never closed", "  <VST \"half", ">"}));
    EXPECT_EQ(unclosed.Track(1).Name, "never closed");
    EXPECT_EQ(unclosed.Track(1).FxTable.at(0).Name, "half");
}

TEST(ReadFailures, FailedReadKeepsWhatWasReadSoFar)
{
    ProjectModel model;
    EXPECT_THROW(ReadProjectText(model, Project({"<TRACK", "  NAME a", ">", "<TRACK", "  VOLPAN x", ">"}), "p.rpp"),
                 FileError);
    EXPECT_EQ(model.Info.TrackCount, 2);
    EXPECT_EQ(model.Track(1).Name, "a");
}

class ReadProjectFile : public ::testing::Test {
protected:
    std::filesystem::path folder = std::filesystem::temp_directory_path() / "sondrel-reader-test";
    void SetUp() override { std::filesystem::create_directories(folder); }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string Write(const std::string& name, const std::string& text)
    {
        const std::filesystem::path path = folder / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }
};

TEST_F(ReadProjectFile, ReadsFromDiskAndKeepsThePathVerbatim)
{
    const std::string path = Write("song.rpp", "<REAPER_PROJECT 0.1\r\n  <TRACK\r\n    NAME Bass\r\n  >\r\n>");
    ProjectModel model;
    ReadProject(model, path);
    EXPECT_EQ(model.Info.SourcePath, path);
    EXPECT_EQ(model.Info.TrackCount, 1);
    EXPECT_EQ(model.Track(1).Name, "Bass");
}

TEST_F(ReadProjectFile, MissingFileFailsWithTheSystemsReason)
{
    ProjectModel model;
    ReadProjectText(model, "<TRACK\n>\n", "earlier.rpp");
    const std::string path = (folder / "missing.rpp").string();
    try {
        ReadProject(model, path);
        FAIL() << "a missing file was read";
    } catch (const FileError& error) {
        EXPECT_EQ(error.what(), path + ": cannot open the file (No such file or directory)");
        EXPECT_EQ(error.line(), 0);
    }
    EXPECT_EQ(model.Info.SourcePath, "");
    EXPECT_EQ(model.Info.TrackCount, 0);
}

TEST_F(ReadProjectFile, EmptyFileAndFolderFail)
{
    ProjectModel model;
    const std::string empty = Write("empty.rpp", "");
    EXPECT_EQ(ReadFailure(""), "test.rpp: the file is empty");
    try {
        ReadProject(model, empty);
        FAIL() << "an empty file was read";
    } catch (const FileError& error) {
        EXPECT_EQ(error.what(), empty + ": the file is empty");
    }
    EXPECT_THROW(ReadProject(model, folder.string()), FileError);
}

}  // namespace
}  // namespace sondrel
