// Each folder under data/ is one case: project.rpp and template.htm expand to
// expected.htm byte for byte. An optional preferences.txt holds settings lines
// such as "ListSeparator=Comma", "DateFormat=Long" or "TimeFormat=Long".
// SONDREL_UPDATE_GOLDEN=1 rewrites every expected.htm from what the code gives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "generator/expand_template.h"
#include "reader/read_project.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The "Key=Value" lines go into a settings store, loaded as the program loads its settings.
Preferences ReadPreferences(const fs::path& folder)
{
    testing::MemorySettingsStore store;
    std::istringstream lines(fs::exists(folder / "preferences.txt") ? ReadBytes(folder / "preferences.txt") : "");
    for (std::string line; std::getline(lines, line);)
        if (const std::size_t equals = line.find('='); equals != std::string::npos)
            store.WriteSetting(ApplicationTitle, "Settings", line.substr(0, equals), line.substr(equals + 1));
    WindowPlacement placement;
    RememberedPaths paths;
    Preferences prefs;
    LoadSettings(store, "", placement, paths, prefs);
    return prefs;
}

std::vector<std::string> CaseNames()
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(SONDREL_TEST_DATA_DIR))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    return names;
}

class GoldenFiles : public ::testing::TestWithParam<std::string> {};

// Every case reads its project under the same made-up name, so that the
// expected files do not depend on where the source tree lies.
TEST_P(GoldenFiles, ExpandsToTheExpectedDocument)
{
    const fs::path folder = fs::path(SONDREL_TEST_DATA_DIR) / GetParam();
    ProjectModel model;
    ReadProjectText(model, ReadBytes(folder / "project.rpp"), "C:\\p\\song.rpp");
    const std::string actual =
        ExpandTemplate(ReadBytes(folder / "template.htm"), "C:\\p\\template.htm", "C:\\p\\song.htm",
                       {model, ReadPreferences(folder), testing::FixedLocale{}, testing::FixedClock{}});
    // Written as the code gives it now, to be read over before it is committed.
    if (std::getenv("SONDREL_UPDATE_GOLDEN") != nullptr)
        std::ofstream(folder / "expected.htm", std::ios::binary) << actual;
    // On a mismatch the test shows the lines that differ.
    EXPECT_EQ(actual, ReadBytes(folder / "expected.htm")) << "case " << GetParam();
}

TEST(GoldenFileCases, AreFound)
{
    EXPECT_GE(CaseNames().size(), 19U);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenFiles, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace sondrel
