// Every real project we have converts with the shipped default template into a complete
// document: one card per track, each name shown, nothing of the template language left.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include "format/html_escape.h"
#include "format/text_ops.h"
#include "generator/expand_template.h"
#include "reader/read_project.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

class CorpusConversion : public ::testing::TestWithParam<std::filesystem::directory_entry> {};

TEST_P(CorpusConversion, DefaultTemplateGivesACompleteDocument)
{
    ProjectModel model;
    ReadProject(model, GetParam().path().string());
    const std::string tpl = SONDREL_SOURCE_DIR "/templates/default_template.htm";
    const std::string output = ExpandTemplate(ReadTextFile(tpl), tpl, "/tmp/out.htm",
                                              {model, Preferences{}, testing::FixedLocale{}, testing::FixedClock{}});
    const std::regex card("<section class=\"track"), left("##[A-Z]+(-[A-Z]+)*##|\\(#IF|-START -->");
    EXPECT_EQ(std::distance(std::sregex_iterator(output.begin(), output.end(), card), {}), model.Info.TrackCount);
    EXPECT_FALSE(std::regex_search(output, left)) << "a placeholder, conditional block or section marker was left";
    // The shipped template escapes every value, so each name shows as written.
    for (int track = 1; track <= model.Info.TrackCount; ++track)
        EXPECT_NE(output.find(EscapeHtml(model.Track(track).Name)), std::string::npos) << "track " << track;
}

INSTANTIATE_TEST_SUITE_P(RealProjects, CorpusConversion,
                         ::testing::ValuesIn(std::filesystem::directory_iterator(SONDREL_CORPUS_DIR), {}));

}  // namespace
}  // namespace sondrel
