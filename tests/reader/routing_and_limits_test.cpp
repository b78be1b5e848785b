// Receives with their mirrored sends, the table limits and the failures.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "reader_test_support.h"
#include "shell/temp_folder.h"

namespace sondrel {
namespace {

using namespace testing;

std::string Tracks(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "<TRACK\n>\n";
    return text;
}

TEST(ReadRouting, ReceivesAreMirroredAsSendsInTheOrderTheyWereAdded)
{
    // Track 5 receives twice from track 3; track 1 gets the send for track 2's
    // receive before its own receive from track 4.
    const ProjectModel model = Read(Project({"<TRACK", "  AUXRECV 3 0 1 0 0", ">", "<TRACK", "  AUXRECV 0 0 1 0 0", ">",
                                             "<TRACK", ">", "<TRACK", "  AUXRECV 0 0 1 0 0", ">", "<TRACK",
                                             "  AUXRECV 2 0 1 0 0", "  AUXRECV 2 1 0.5 -0.5 1", ">"}));
    ASSERT_EQ(model.Info.TrackCount, 5);
    EXPECT_EQ(Routing(model.Track(5)), (Lines{"R3 1 0", "R3 0.5 -0.5 mute"}));
    EXPECT_EQ(Routing(model.Track(3)), (Lines{"S5 1 0", "S5 0.5 -0.5 mute"}));
    EXPECT_EQ(Routing(model.Track(1)), (Lines{"R4 1 0", "S2 1 0", "S4 1 0"}));
}

TEST(ReadRouting, SourceBeyondTheTracksStillGetsItsSend)
{
    const ProjectModel model = Read(Project({"<TRACK", "  AUXRECV 32766 0 1 0 0", "  AUXRECV -1 0 1 0 0", ">"}));
    EXPECT_EQ(model.Info.TrackCount, 1);
    EXPECT_EQ(Routing(model.Track(32767)), Lines{"S1 1 0"});
    EXPECT_EQ(Routing(model.Track(0)), Lines{"S1 1 0"});
    EXPECT_EQ(Routing(model.Track(1)), (Lines{"R32767 1 0", "R0 1 0"}));
}

TEST(ReadLimits, TracksUpToTheLimitAndOneMoreFails)
{
    EXPECT_EQ(Read(Tracks(MaxTableEntries)).Info.TrackCount, MaxTableEntries);
    EXPECT_EQ(ReadFailure(Tracks(40000)), "test.rpp, line " + std::to_string(1 + 2 * MaxTableEntries) +
                                              ": a project holds at most 32767 tracks");
}

TEST(ReadLimits, EntriesPerTrackUpToTheLimitAndOneMoreFails)
{
    struct Case {
        std::string entry;
        int (TrackRecord::*count)() const;
        std::string reason;
    };
    const std::vector<Case> cases = {
        {"<JS x\n>\n", &TrackRecord::FxCount, "track 1 has more than 32767 FX; a track holds at most 32767"},
        {"<ITEM\n>\n", &TrackRecord::ItemCount, "track 1 has more than 32767 items; a track holds at most 32767"},
        {"AUXRECV 1 0 1 0 0\n", &TrackRecord::ReceiveCount,
         "track 1 has more than 32767 sends and receives; a track holds at most 32767"},
    };
    for (const Case& c : cases) {
        std::string body;
        for (int i = 0; i < MaxTableEntries; ++i)
            body += c.entry;
        EXPECT_EQ((Read("<TRACK\n" + body + ">\n").Track(1).*c.count)(), MaxTableEntries) << c.reason;
        const std::string failure = ReadFailure("<TRACK\n" + body + c.entry + ">\n");
        EXPECT_NE(failure.find(c.reason), std::string::npos) << failure;
    }
    // Track 2 receives from track 1 until track 1 is full of sends; one more
    // receive from track 1, on track 3, has no room for its send.
    std::string full = "<TRACK\n>\n<TRACK\n";
    for (int i = 0; i < MaxTableEntries; ++i)
        full += "AUXRECV 0 0 1 0 0\n";
    full += ">\n";
    EXPECT_EQ(Read(full).Track(1).ReceiveCount(), MaxTableEntries);
    const std::string failure = ReadFailure(full + "<TRACK\nAUXRECV 0 0 1 0 0\n>\n");
    EXPECT_NE(failure.find("track 1 has more than 32767 sends and receives"), std::string::npos) << failure;
}

TEST(ReadFailures, EachNamesTheLineAndTheReason)
{
    const std::string range = "\" is outside the range of whole numbers here, -32768 to 32767";
    const std::pair<std::string, std::string> cases[] = {
        {Project({"<REAPER_PROJECT 0.1", "  TEMPO fast 4 4", ">"}), "line 2: \"fast\" is not a number"},
        {Project({"<REAPER_PROJECT 0.1", "  TEMPO 120 4 x", ">"}), "line 2: \"x\" is not a number"},
        {Project({"<REAPER_PROJECT 0.1", "  TEMPO 120 40000 4", ">"}), "line 2: \"40000" + range},
        {Project({"<TRACK", "", "  VOLPAN abc 0", ">"}), "line 3: \"abc\" is not a number"},
        {Project({"<TRACK", "  VOLPAN 1 inf", ">"}), "line 2: \"inf\" is not a number"},
        {Project({"<TRACK", "  VOLPAN 1e39 0", ">"}), "line 2: \"1e39\" is too large a number"},
        {Project({"<TRACK", "  <ITEM", "    POSITION 1e39", "  >", ">"}), "line 3: \"1e39\" is too large a number"},
        {Project({"<TRACK", "  MUTESOLO 0 99999", ">"}), "line 2: \"99999" + range},
        {Project({"<TRACK", "  AUXRECV 0 0 loud 0 0", ">"}), "line 2: \"loud\" is not a number"},
        {Project({"<TRACK", "  AUXRECV 39999 0 1 0 0", ">"}),
         "line 2: receive from track 40000: track numbers run from 0 to 32767"},
        {Project({"<TRACK", "  AUXRECV -2 0 1 0 0", ">"}),
         "line 2: receive from track -1: track numbers run from 0 to 32767"},
    };
    for (const auto& [text, message] : cases)
        EXPECT_EQ(ReadFailure(text), "test.rpp, " + message) << text;
    EXPECT_NE(ReadFailure(Project({"<TRACK", "  AUXRECV 1e300 0 1 0 0", ">"})), "");
}

TEST(ReadFailures, UnclosedBlocksStillRead)
{
    const ProjectModel unclosed = Read(Project({"<TRACK", "  NAME \"never closed", "  <VST \"half", ">"}));
    EXPECT_EQ(unclosed.Track(1).Name, "never closed");
    EXPECT_EQ(Fx(unclosed.Track(1)), Lines{"VST|half|"});
}

// Whether a file is taken for a project: its message, or "" when it reads.
struct ProjectOrNot {
    const char* what;
    std::string text;
    std::string failure;
};

class ReadOnlyProjects : public ::testing::TestWithParam<ProjectOrNot> {};

TEST_P(ReadOnlyProjects, AFileWithoutAProjectOrTrackAtTheTopIsRefused)
{
    EXPECT_EQ(ReadFailure(GetParam().text), GetParam().failure);
}

const std::string kNoBlock = "test.rpp: the file is not a REAPER project: it has no <REAPER_PROJECT or <TRACK block";

INSTANTIATE_TEST_SUITE_P(
    Files, ReadOnlyProjects,
    ::testing::Values(
        ProjectOrNot{"empty", "", "test.rpp: the file is empty"},
        ProjectOrNot{"blank lines", "\n  \n\r\n", kNoBlock},
        ProjectOrNot{"text", "hello\nworld\n", kNoBlock},
        ProjectOrNot{"lower case", "<reaper_project 0.1\n>\n", kNoBlock},
        ProjectOrNot{"track inside another block", "<FOO\n  <TRACK\n  >\n>\n", kNoBlock},
        ProjectOrNot{"png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR<TRACK\n", 24),
                     "test.rpp, line 3: the file is not a REAPER project: it holds binary data"},
        ProjectOrNot{"binary first line", std::string("\x7f" "ELF\0<TRACK\n", 10),
                     "test.rpp, line 1: the file is not a REAPER project: it holds binary data"},
        ProjectOrNot{"NUL after 64 KiB of short lines",
                     "<TRACK\n" + [] {
                         std::string lines;
                         for (int n = 0; n < 40000; ++n)
                             lines += "x\n";
                         return lines;
                     }() + std::string(1, '\0') + "\n>\n",
                     ""},
        ProjectOrNot{"project", "<REAPER_PROJECT 0.1\n>\n", ""},
        ProjectOrNot{"track template", "<TRACK\n  NAME a\n>\n", ""},
        ProjectOrNot{"comment lines first", "# written by a tool\n\n<REAPER_PROJECT 0.1\n>\n", ""},
        ProjectOrNot{"NUL after the first 64 KiB",
                     "<REAPER_PROJECT 0.1\n" + std::string(70000, 'x') + std::string(1, '\0') + "\n>\n", ""}),
    [](const ::testing::TestParamInfo<ProjectOrNot>& info) {
        std::string name = info.param.what;
        std::replace(name.begin(), name.end(), ' ', '_');
        std::erase(name, '-');
        return name;
    });

TEST(ReadFailures, FailedReadKeepsWhatWasReadSoFar)
{
    ProjectModel model;
    EXPECT_THROW(ReadProjectText(model, Project({"<TRACK", "  NAME a", ">", "<TRACK", "  VOLPAN x", ">"}), "p.rpp"),
                 FileError);
    EXPECT_EQ(model.Info.TrackCount, 2);
    EXPECT_EQ(model.Track(1).Name, "a");
}

// The message of the failure that reading path into model gives, with its line after "@".
std::string FileFailure(ProjectModel& model, const std::string& path)
{
    try {
        ReadProject(model, path);
    } catch (const FileError& error) {
        return error.what() + std::string(" @") + std::to_string(error.line());
    }
    return "";
}

TEST(ReadProjectFile, ReadsFromDiskOrFailsNamingTheFile)
{
    const TempFolder scratch;  // a folder of its own: test programs run side by side
    const std::filesystem::path folder = scratch.Path("");
    const std::string song = (folder / "song.rpp").string();
    const std::string empty = (folder / "empty.rpp").string();
    const std::string missing = (folder / "missing.rpp").string();
    std::ofstream(song, std::ios::binary) << "<REAPER_PROJECT 0.1\r\n  <TRACK\r\n    NAME Bass\r\n  >\r\n>";
    std::ofstream(empty, std::ios::binary) << "";
    ProjectModel model;
    ReadProject(model, song);
    EXPECT_EQ(model.Info.SourcePath, song);
    EXPECT_EQ(model.Info.TrackCount, 1);
    EXPECT_EQ(model.Track(1).Name, "Bass");

    EXPECT_EQ(FileFailure(model, missing), missing + ": cannot open the file (No such file or directory) @0");
    EXPECT_EQ(model.Info.SourcePath, "") << "a failed read leaves no trace of the earlier project";
    EXPECT_EQ(model.Info.TrackCount, 0);
    EXPECT_EQ(FileFailure(model, empty), empty + ": the file is empty @0");
    EXPECT_NE(FileFailure(model, folder.string()), "");

    // A line longer than any project holds fails at once, with its number.
    const std::string longLine = (folder / "long.rpp").string();
    std::ofstream(longLine, std::ios::binary) << "<REAPER_PROJECT\n" << std::string((16 << 20) + 1, 'x') << "\n>\n";
    EXPECT_EQ(FileFailure(model, longLine),
              longLine + ", line 2: the line is longer than 16 MiB, more than a project line can be @2");
}

// What would block for ever or never end is refused before it is opened.
TEST(ReadProjectFile, OnlyOrdinaryFilesAreRead)
{
    const TempFolder scratch;
    const std::filesystem::path folder = scratch.Path("");
    const std::string pipe = (folder / "pipe.rpp").string();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    ProjectModel model;
    EXPECT_EQ(FileFailure(model, pipe), pipe + ": this is a pipe, not an ordinary file @0");
    EXPECT_EQ(FileFailure(model, "/dev/zero"), "/dev/zero: this is a device, not an ordinary file @0");
    const std::string folderPath = scratch.Path("sub");
    std::filesystem::create_directory(folderPath);
    EXPECT_EQ(FileFailure(model, folderPath), folderPath + ": this is a folder, not an ordinary file @0");
}

}  // namespace
}  // namespace sondrel
