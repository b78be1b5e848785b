#include "shell/media_check.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "reader/read_project.h"
#include "temp_folder.h"

namespace sondrel {
namespace {

// A file counts as found where REAPER would look: as written, beside the
// project, or by its name alone beside the project or in the recording
// folder, whichever system wrote the path. Network paths are not looked for.
TEST(MediaCheck, LooksWhereReaperWouldAndOnceForEachFile)
{
    const testing::TempFolder folder;
    for (const char* subfolder : {"takes/Audio", "other"})
        std::filesystem::create_directories(testing::NativeOf(folder.Path(subfolder)));
    const std::string absolute = folder.Write("other/absolute.wav", "");
    for (const char* present : {"takes/Müller.wav", "takes/Audio/recorded.wav", "other/sub.wav"})
        folder.Write(present, "");
    const struct { std::string file; bool missing; } media[] = {
        {"Müller.wav", false},                           // beside the project
        {absolute, false},                               // whole path
        {"C:\\Users\\x\\Müller.wav", false},             // written on Windows, found by name beside the project
        {"/home/x/recorded.wav", false},                 // found by name in the recording folder
        {"sub.wav", true},                               // only in another folder
        {"\\\\server\\share\\drums.wav", false},         // a network path: not looked for
        {"//server/share/bass.wav", false},
        {"gone.wav", true},
        {"Müller.wav", false},                           // the same file again
    };
    std::string project = "<REAPER_PROJECT\nRECORD_PATH \"Audio\" \"\"\n<TRACK\n";
    for (const auto& item : media)
        project += "<ITEM\n<SOURCE WAVE\nFILE \"" + item.file + "\"\n>\n>\n";
    ProjectModel model;
    ReadProjectText(model, project + ">\n>\n", folder.Path("takes/song.rpp"));
    MarkMissingMedia(model);
    ASSERT_EQ(model.Track(1).ItemTable.size(), std::size(media));
    for (std::size_t n = 0; n < std::size(media); ++n)
        EXPECT_EQ(model.Track(1).ItemTable[n].MediaMissing, media[n].missing) << media[n].file;
}

}  // namespace
}  // namespace sondrel
