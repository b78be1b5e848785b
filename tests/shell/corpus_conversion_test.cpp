// Every real project we have converts with the shipped default template into a
// complete document: one card per track, every placeholder and marker filled.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "format/html_escape.h"
#include "format/text_ops.h"
#include "generator/expand_template.h"
#include "reader/read_project.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(SONDREL_CORPUS_DIR))
        if (entry.path().extension() == ".rpp")
            files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    return files;
}

std::size_t CountOccurrences(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size()))
        ++count;
    return count;
}

class CorpusConversion : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusConversion, DefaultTemplateGivesACompleteDocument)
{
    ProjectModel model;
    ReadProject(model, std::string(SONDREL_CORPUS_DIR) + "/" + GetParam());
    const std::string templatePath = std::string(SONDREL_SOURCE_DIR) + "/templates/default_template.htm";
    const Preferences preferences;
    const testing::FixedLocale locale;
    const testing::FixedClock clock;
    const std::string output = ExpandTemplate(ReadTextFile(templatePath), templatePath, "/tmp/out.htm",
                                              {model, preferences, locale, clock});

    EXPECT_EQ(CountOccurrences(output, "<section class=\"track"), static_cast<std::size_t>(model.Info.TrackCount));
    EXPECT_FALSE(std::regex_search(output, std::regex("##[A-Z]+(-[A-Z]+)*##"))) << "a placeholder was left";
    EXPECT_EQ(output.find("(#IF"), std::string::npos);
    EXPECT_EQ(output.find("##Invalid If-Then-Else format##"), std::string::npos);
    EXPECT_EQ(output.find("-START -->"), std::string::npos);
    // The shipped template escapes every value, so each name shows as written.
    for (int track = 1; track <= model.Info.TrackCount; ++track)
        EXPECT_NE(output.find(EscapeHtml(model.Track(track).Name)), std::string::npos) << "track " << track;
}

INSTANTIATE_TEST_SUITE_P(RealProjects, CorpusConversion, ::testing::ValuesIn(CorpusFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(0, info.param.size() - 4);
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c)))
                                     c = '_';
                             return name;
                         });

}  // namespace
}  // namespace sondrel
