// A library's index from real projects: each project's key facts, the plug-ins over all of them, the media
// that cannot be found and the projects that could not be read, checked against the files themselves.
#include "generator/library_index.h"

#include <gtest/gtest.h>

#include <regex>

#include "format/text_ops.h"
#include "reader/read_project.h"
#include "shell/media_check.h"
#include "support/corpus.h"
#include "support/fakes.h"

namespace sondrel {
namespace {

LibraryProject Summary(const std::string& name)
{
    ProjectModel model;
    ReadProject(model, std::string(SONDREL_CORPUS_DIR "/") + name + ".rpp");
    MarkMissingMedia(model);
    return SummarizeProject(model, name + ".rpp", name + ".htm");
}

TEST(LibraryIndex, ShowsEachProjectsFactsThePluginsOverAllAndWhatFailed)
{
    SONDREL_REQUIRE_CORPUS();
    std::vector<LibraryProject> projects{Summary("JamesDunne__rpp-parser__R1391"),
                                         Summary("hemisphera__Hsp.Reaper.ApiClient__testproject"),
                                         Summary("GriffinSauce__reaper-project-parser__with-external-files")};
    projects.emplace_back().Project = "notes.rpp";
    projects.back().Failure = "notes.rpp: the file is not a REAPER project";
    const ProjectModel none;
    const GenerationContext context{none, Preferences{"Comma"}, testing::FixedLocale{}, testing::FixedClock{}};
    const std::string index = ExpandIndex(
        "##PROJECT-COUNT## ##FAILED-COUNT##\n<!-- PROJECT-START -->##PROJECT-NUM## ##PROJECT-DOCUMENT## "
        "##PROJECT-VERSION## ##PROJECT-SAVED## ##PROJECT-LENGTH## ##PROJECT-TEMPO## ##PROJECT-TRACKS## "
        "##PROJECT-ITEMS## ##PROJECT-PLUGINS## ##PROJECT-MISSING##\n<!-- PROJECT-END --><!-- LIBRARY-PLUGIN-BY-COUNT-START -->"
        "##LIBRARY-PLUGIN-NAME##:##LIBRARY-PLUGIN-INSTANCES##:##LIBRARY-PLUGIN-PROJECTS##|<!-- LIBRARY-PLUGIN-BY-COUNT-END -->"
        "\n<!-- FAILED-START -->##FAILED-FILE##: ##FAILED-REASON##<!-- FAILED-END -->"
        "\n<!-- LIBRARY-PLUGIN-START -->##LIBRARY-PLUGIN-NAME##=##LIBRARY-PLUGIN-TRACKS##;<!-- LIBRARY-PLUGIN-END -->",
        projects, context);
    // R1391: TEMPO 120, 27 tracks, 77 items each with its own file, none of them here, 56 plug-in instances.
    // testproject: no items, no FX. with-external-files: TEMPO 205, 48 items playing 27 distinct files, 6 ReaComp.
    EXPECT_EQ(index.substr(0, index.find("ReaComp")),
              "3 1\n"
              "1 JamesDunne__rpp-parser__R1391.htm 5.40/OSX64 8/31/2017 1:10:21.620 120 27 77 56 77\n"
              "2 hemisphera__Hsp.Reaper.ApiClient__testproject.htm 6.73/win64 2/13/2023 0:00:00.000 120 4 0 0 0\n"
              "3 GriffinSauce__reaper-project-parser__with-external-files.htm 6.11/x64 1/13/2021 0:07:34.829 205 19 "
              "88 9 27\n");
    EXPECT_NE(index.find("ReaComp:18:JamesDunne__rpp-parser__R1391.rpp,"
                         "GriffinSauce__reaper-project-parser__with-external-files.rpp|ReaEQ:17:"), std::string::npos);
    EXPECT_NE(index.find("\nnotes.rpp: notes.rpp: the file is not a REAPER project"), std::string::npos);
    // The tracks, from the files: R1391's loudness meter is on its master only; with-external-files has ReaComp
    // on tracks 14 to 16, all named Lead, and 17 to 19, all named Backing.
    EXPECT_NE(index.find(";TB/ebur128_analysis=JamesDunne__rpp-parser__R1391.rpp (Master);"), std::string::npos);
    EXPECT_NE(index.find("GriffinSauce__reaper-project-parser__with-external-files.rpp (Lead, Lead, Lead, Backing, "
                         "Backing, Backing);"), std::string::npos);
    // The shipped index leaves nothing of the language behind.
    const std::string shipped = ExpandIndex(ReadTextFile(SONDREL_SOURCE_DIR "/templates/index.htm"), projects, context);
    EXPECT_FALSE(std::regex_search(shipped, std::regex("##[A-Z]+(-[A-Z]+)*##|-START -->|-END -->")));
    EXPECT_NE(shipped.find("<a href=\"JamesDunne__rpp-parser__R1391.htm\">"), std::string::npos);
}

// Rows made as the projects come are the rows made at the end, also where a library-wide count stands in a row.
TEST(LibraryIndex, RowsMadeAsProjectsComeMatchTheWholeIndex)
{
    std::vector<LibraryProject> projects(3);
    projects[0].Project = "a.rpp", projects[0].Missing = {{"Vox", "take 1", "vox.wav"}};
    projects[1].Project = "b.rpp", projects[1].Failure = "b.rpp: not a project";
    projects[2].Project = "c.rpp", projects[2].Missing = {{"Kick", "", "k.wav"}, {"Snare", "", "s.wav"}};
    const ProjectModel none;
    const GenerationContext context{none, Preferences{}, testing::FixedLocale{}, testing::FixedClock{}};
    const std::string templateText = "<!-- PROJECT-START -->[##PROJECT-NUM##/##PROJECT-COUNT## ##PROJECT-NAME##]"
                                     "<!-- PROJECT-END --><!-- FAILED-START -->(##FAILED-FILE##)<!-- FAILED-END -->"
                                     "<!-- MISSING-START -->{##MISSING-NUM## ##MISSING-PROJECT## ##MISSING-FILE##}"
                                     "<!-- MISSING-END -->";
    IndexBuilder builder(templateText, context);
    for (const LibraryProject& project : projects)
        builder.Add(project);
    const std::string expected = "[1/2 a.rpp][2/2 c.rpp](b.rpp){1 a.rpp vox.wav}{2 c.rpp k.wav}{3 c.rpp s.wav}";
    EXPECT_EQ(builder.Finish(), expected);
    EXPECT_EQ(ExpandIndex(templateText, projects, context), expected);
}

}  // namespace
}  // namespace sondrel
