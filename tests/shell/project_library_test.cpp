#include "shell/project_library.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"

namespace sondrel {
namespace {

// Folders are searched through in name order, backups and other files left out; a file named is taken as it is,
// once however often it is named; documents are named after the projects, clashes numbered in any letter case.
TEST(ProjectLibrary, FindsProjectsInFoldersAndNamesTheirDocuments)
{
    const testing::TempFolder folder;
    for (const char* directory : {"lib/b", "lib/Backups", "lib/a/deep"})
        std::filesystem::create_directories(testing::NativeOf(folder.Path(directory)));
    for (const char* file : {"lib/b/Song.rpp", "lib/a/song.RPP", "lib/a/deep/x.rpp", "lib/a/old.rpp-bak",
                             "lib/Backups/Song-2024.rpp", "lib/notes.txt", "lib/z.rpp", "loose.txt"})
        folder.Write(file, "");
    const std::vector<std::string> found =
        FindProjects({folder.Path("lib"), folder.Path("loose.txt"), folder.Path("lib/z.rpp")});
    std::vector<std::string> relative;
    for (const std::string& path : found)
        relative.push_back(std::filesystem::relative(testing::NativeOf(path), folder.Path("")).generic_string());
    EXPECT_EQ(relative, (std::vector<std::string>{"lib/a/deep/x.rpp", "lib/a/song.RPP", "lib/b/Song.rpp", "lib/z.rpp",
                                                  "loose.txt"}));
    std::vector<std::string> documents = DocumentPaths({"a/Song.rpp", "b/song.rpp", "c/Song.rpp", "Song-2.rpp", "x/Alpha.rpp", "ALPHA.rpp"}, "out", ".htm");
    for (std::string& document : documents)
        document = std::filesystem::path(document).generic_string();  // "\\" on Windows
    EXPECT_EQ(documents, (std::vector<std::string>{"out/Song.htm", "out/song-2.htm", "out/Song-3.htm", "out/Song-2-2.htm",
                                                  "out/Alpha.htm", "out/ALPHA-2.htm"}));
}

}  // namespace
}  // namespace sondrel
