#include "format/file_paths.h"

#include <gtest/gtest.h>

namespace sondrel {
namespace {

#ifdef _WIN32
constexpr bool kWindows = true;
#else
constexpr bool kWindows = false;
#endif

// The parts of a path as text, for names the system may refuse too; "\" is
// a separator on Windows only, elsewhere a character of the name.
TEST(FilePaths, PartsOfAPathAsText)
{
    const struct { std::string path, name, stem, folder; } cases[] = {
        {"a/b/Song.rpp", "Song.rpp", "Song", "a/b"},
        {"Song.tar.rpp", "Song.tar.rpp", "Song.tar", ""},
        {"/Song", "Song", "Song", "/"},
        {"a//.hidden", ".hidden", ".hidden", "a"},
        {"a/..", "..", "..", "a"},
        {"Caf\xE9 \xFF.rpp", "Caf\xE9 \xFF.rpp", "Caf\xE9 \xFF", ""},
        {"C:\\p\\Демо.rpp", kWindows ? "Демо.rpp" : "C:\\p\\Демо.rpp", kWindows ? "Демо" : "C:\\p\\Демо",
         kWindows ? "C:\\p" : ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileNameOf(c.path) + "|" + StemOf(c.path) + "|" + FolderOf(c.path),
                  c.name + "|" + c.stem + "|" + c.folder) << c.path;
    const std::string separator = kWindows ? "\\" : "/";
    EXPECT_EQ(JoinPath("out", "a.htm"), "out" + separator + "a.htm");
    EXPECT_EQ(JoinPath("out/", "a.htm"), "out/a.htm");
    EXPECT_EQ(JoinPath("", "a.htm"), "a.htm");
    EXPECT_EQ(JoinPath("out\\", "a.htm"), kWindows ? "out\\a.htm" : "out\\/a.htm");
}

}  // namespace
}  // namespace sondrel
