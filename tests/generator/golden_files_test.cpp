// Each folder under data/ is one case: project.rpp and template.htm expand to
// expected.htm byte for byte. An optional preferences.txt holds lines such as
// "ListSeparator=Comma", "DateFormat=Long" or "TimeFormat=Long".
// SONDREL_UPDATE_GOLDEN=1 rewrites every expected.htm from what the code gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "generator/expand_template.h"
#include "reader/read_project.h"
#include "shell/settings.h"
#include "shell/user_interface.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

namespace fs = std::filesystem;

// Every case reads its project under the same made-up name, so that the
// expected files do not depend on where the source tree lies.
const std::string kProjectPath = "C:\\p\\song.rpp";
const std::string kTemplatePath = "C:\\p\\template.htm";
const std::string kOutputPath = "C:\\p\\song.htm";

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

// preferences.txt holds "Key=Value" lines as the settings store keeps them;
// they are loaded the way the program loads its settings.
Preferences ReadPreferences(const fs::path& path)
{
    testing::MemorySettingsStore store;
    if (fs::exists(path)) {
        std::istringstream lines(ReadBytes(path));
        for (std::string line; std::getline(lines, line);) {
            const std::size_t equals = line.find('=');
            if (equals != std::string::npos)
                store.WriteSetting(ApplicationTitle, "Settings", line.substr(0, equals), line.substr(equals + 1));
        }
    }
    WindowPlacement placement;
    RememberedPaths paths;
    Preferences prefs;
    LoadSettings(store, "", placement, paths, prefs);
    return prefs;
}

// Where two documents part: the first differing line of each, numbered.
std::string FirstDifference(const std::string& actual, const std::string& expected)
{
    std::istringstream a(actual), e(expected);
    std::string lineA, lineE;
    for (int number = 1;; ++number) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreE = static_cast<bool>(std::getline(e, lineE));
        if (!moreA && !moreE)
            return "the documents differ only in their line ends";
        if (!moreA || !moreE || lineA != lineE)
            return "line " + std::to_string(number) + "\n  actual:   " + (moreA ? lineA : "(end)") +
                   "\n  expected: " + (moreE ? lineE : "(end)");
    }
}

std::vector<std::string> CaseNames()
{
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(SONDREL_TEST_DATA_DIR))
        if (entry.is_directory())
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class GoldenFiles : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenFiles, ExpandsToTheExpectedDocument)
{
    const fs::path folder = fs::path(SONDREL_TEST_DATA_DIR) / GetParam();
    ProjectModel model;
    ReadProjectText(model, ReadBytes(folder / "project.rpp"), kProjectPath);
    model.Info.SourcePath = kProjectPath;
    const Preferences prefs = ReadPreferences(folder / "preferences.txt");
    const testing::FixedLocale locale;
    const testing::FixedClock clock;
    const GenerationContext context{model, prefs, locale, clock};

    const std::string actual = ExpandTemplate(ReadBytes(folder / "template.htm"), kTemplatePath, kOutputPath, context);
    // SONDREL_UPDATE_GOLDEN=1 writes what the code gives now, to be read over before it is committed.
    if (std::getenv("SONDREL_UPDATE_GOLDEN") != nullptr)
        std::ofstream(folder / "expected.htm", std::ios::binary) << actual;
    const std::string expected = ReadBytes(folder / "expected.htm");
    EXPECT_TRUE(actual == expected) << "case " << GetParam() << " differs at " << FirstDifference(actual, expected);
}

TEST(GoldenFileCases, AreFound)
{
    EXPECT_GE(CaseNames().size(), 8U);
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenFiles, ::testing::ValuesIn(CaseNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) { return info.param; });

}  // namespace
}  // namespace sondrel
