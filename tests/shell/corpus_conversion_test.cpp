// Every real project we have converts with every shipped template into a complete document: nothing of the
// template language left, no warning about the template, and with the default template one card or line per
// track, each name shown.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "format/html_escape.h"
#include "format/text_ops.h"
#include "generator/expand_template.h"
#include "generator/template_check.h"
#include "reader/read_project.h"
#include "shell/media_check.h"
#include "support/corpus.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> ShippedTemplates()
{
    std::vector<fs::path> templates;
    for (const auto& entry : fs::directory_iterator(SONDREL_SOURCE_DIR "/templates"))
        if (entry.path().filename() != "index.htm")  // a library's, with its own language
            templates.push_back(entry.path());
    std::sort(templates.begin(), templates.end());
    return templates;
}

TEST(ShippedTemplates, HoldNoLikelyMistake)
{
    std::vector<fs::path> all = ShippedTemplates();
    all.push_back(SONDREL_SOURCE_DIR "/templates/index.htm");
    for (const fs::path& path : all)
        for (const TemplateDiagnostic& diagnostic : CheckTemplate(ReadTextFile(path.string())))
            ADD_FAILURE() << path.filename() << ":" << diagnostic.Line << ":" << diagnostic.Column << " "
                          << diagnostic.Message;
}

class CorpusConversion : public ::testing::TestWithParam<fs::directory_entry> {};

TEST_P(CorpusConversion, EveryShippedTemplateGivesACompleteDocument)
{
    ProjectModel model;
    ReadProject(model, GetParam().path().string());
    MarkMissingMedia(model);
    const std::regex left("##[A-Z]+(-[A-Z]+)*##|\\(#IF|-START -->|-END -->");
    for (const fs::path& path : ShippedTemplates()) {
        const std::string output = ExpandTemplate(ReadTextFile(path.string()), path.string(), "/tmp/out.htm",
                                                  {model, Preferences{}, testing::FixedLocale{}, testing::FixedClock{}});
        EXPECT_FALSE(std::regex_search(output, left)) << path.filename() << ": the template language was left";
        if (path.filename() != "default_template.htm")
            continue;
        const std::regex track("<section class=\"track");
        EXPECT_EQ(std::distance(std::sregex_iterator(output.begin(), output.end(), track), {}),
                  model.Info.TrackCount);
        for (int number = 1; number <= model.Info.TrackCount; ++number)  // escaped: each name shows as written
            EXPECT_NE(output.find(EscapeHtml(model.Track(number).Name)), std::string::npos) << "track " << number;
    }
}

INSTANTIATE_TEST_SUITE_P(RealProjects, CorpusConversion, ::testing::ValuesIn(testing::CorpusEntries()));
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(CorpusConversion);  // without the corpus

TEST(CorpusConversion, CorpusIsPresent)
{
    SONDREL_REQUIRE_CORPUS();
    EXPECT_FALSE(testing::CorpusEntries().empty());
}

}  // namespace
}  // namespace sondrel
