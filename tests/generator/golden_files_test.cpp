// Each folder under data/ is one case: project.rpp and template.htm expand to
// expected.htm byte for byte. In place of project.rpp, corpus.txt may name a
// real project of the corpus. An optional preferences.txt holds settings lines
// such as "ListSeparator=Comma", "DateFormat=Long" or "TimeFormat=Long".
// SONDREL_UPDATE_GOLDEN=1 rewrites every expected.htm from what the code gives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "generator/expand_template.h"
#include "reader/read_project.h"
#include "shell/media_check.h"
#include "shell/temp_folder.h"
#include "support/corpus.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

namespace fs = std::filesystem;

// "" for a missing file, which then differs.
std::string ReadBytes(const fs::path& path) { return testing::TempFolder::Read(testing::Utf8Of(path)); }

// The "Key=Value" lines go into a settings store, loaded as the program loads its settings.
Preferences ReadPreferences(const fs::path& folder)
{
    testing::MemorySettingsStore store;
    std::istringstream lines(ReadBytes(folder / "preferences.txt"));
    for (std::string line; std::getline(lines, line);)
        if (const std::size_t equals = line.find('='); equals != std::string::npos)
            store.WriteSetting(ApplicationTitle, "Settings", line.substr(0, equals), line.substr(equals + 1));
    WindowPlacement placement;
    RememberedPaths paths;
    Preferences preferences;
    return LoadSettings(store, "", placement, paths, preferences), preferences;
}

class GoldenFiles : public ::testing::TestWithParam<fs::directory_entry> {};

// Every case reads its project under the same made-up name, so that the
// expected files do not depend on where the source tree lies.
TEST_P(GoldenFiles, ExpandsToTheExpectedDocument)
{
    const fs::path folder = GetParam().path();
    ProjectModel model;
    std::string corpusFile = ReadBytes(folder / "corpus.txt");
    corpusFile.erase(corpusFile.find_last_not_of("\n") + 1);
    if (!corpusFile.empty())
        SONDREL_REQUIRE_CORPUS();
    const fs::path project = corpusFile.empty() ? folder / "project.rpp" : fs::path(SONDREL_CORPUS_DIR) / corpusFile;
    ReadProjectText(model, ReadBytes(project), "C:\\p\\song.rpp");
    MarkMissingMedia(model);  // nothing is found under the made-up name
    const std::string actual =
        ExpandTemplate(ReadBytes(folder / "template.htm"), "C:\\p\\template.htm", "C:\\p\\song.htm",
                       {model, ReadPreferences(folder), testing::FixedLocale{}, testing::FixedClock{}});
    // Written as the code gives it now, to be read over before it is committed.
    if (std::getenv("SONDREL_UPDATE_GOLDEN") != nullptr)
        std::ofstream(folder / "expected.htm", std::ios::binary) << actual;
    EXPECT_EQ(actual, ReadBytes(folder / "expected.htm")) << "case " << folder.filename();
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenFiles, ::testing::ValuesIn(fs::directory_iterator(SONDREL_TEST_DATA_DIR), {}),
                         [](const auto& info) { return info.param.path().filename().string(); });

}  // namespace
}  // namespace sondrel
