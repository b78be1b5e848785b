#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "format/text_ops.h"
#include "shell/conversion.h"
#include "support/fakes.h"
#include "temp_folder.h"

namespace sondrel {
namespace {

using enum ConversionOutcome;
using enum MessageAnswer;

// A request of the conversion dialog, the user's answers to its questions, and what comes of it:
// the outcome and every message shown, one a line, as "title [buttons] text". The conversions run
// one after another on the same application state, which starts with paths remembered earlier.
using Conversion = std::tuple<ConversionRequest, std::vector<MessageAnswer>, ConversionOutcome, std::string>;

TEST(RunConversion, WritesShowsRefusesAndReportsAsTheUserSees)
{
    const testing::TempFolder folder;
    const auto at = [&](const char* name) { return folder.Path(name); };
    const auto project = folder.Write("song.rpp", "<REAPER_PROJECT\n<TRACK\nNAME Drums\n>\n<TRACK\nNAME Bass\n>\n>");
    const auto tpl = folder.Write("tpl.htm", "##FILE-NAME##:<!-- TRACK-START -->,##TRACK-NAME##<!-- TRACK-END -->");
    const std::string output = at("out.htm"), old = folder.Write("old.htm", "keep me");
    const std::string document = project + ":,Drums,Bass";
    // A 1 MiB track name asked for 1100 times would pass 1 GiB.
    const std::string big = folder.Write("big.rpp", "<REAPER_PROJECT\n<TRACK\nNAME " + std::string(1 << 20, 'n'));
    const std::string copies = ReplaceAll(std::string(1100, '#'), "#", "##TRACK-NAME##,");
    const std::string bigTpl = folder.Write("big.htm", "<!-- TRACK-START -->" + copies + "<!-- TRACK-END -->");
    // Where the system makes no symbolic links, the project is spelled another way.
    std::error_code noLinks;
    std::filesystem::create_symlink(testing::NativeOf(project), testing::NativeOf(at("link.rpp")), noLinks);
    const std::string linked = noLinks ? at("./song.rpp") : at("./link.rpp");
    std::filesystem::create_hard_link(testing::NativeOf(tpl), testing::NativeOf(at("hard.htm")));
    const auto failure = [](const std::string& text) { return "Sondrel [OK] " + text + "\n"; };
    const auto question = [](const std::string& path) {
        return "Overwrite file? [OK|Cancel] The file " + path + " already exists.  Do you want to overwrite it?\n";
    };
    const std::string refused = ", which the output must not replace; choose another output file";
    const Conversion conversions[] = {
        {{"", output, tpl}, {}, Rejected, failure("You must enter all information")},
        {{project, "", tpl}, {}, Rejected, failure("You must enter all information")},
        {{project, output, ""}, {}, Rejected, failure("You must enter all information")},
        {{project, output, tpl}, {}, Written, ""},
        // Declined before the template is read, so a missing one is no failure.
        {{project, old, at("none.htm")}, {Cancel}, Declined, question(old)},
        {{project, old, tpl}, {Ok}, Written, question(old)},
        // Blanks count as a field and are taken as typed.
        {{" ", " ", " "}, {}, Failed, failure(" : cannot open the file (No such file or directory)")},
        {{project, at("no/out.htm"), tpl}, {}, Failed,
         failure(at("no/out.htm") + ": cannot write the file (No such file or directory)")},
        // An output that is one of the inputs, however spelled, is refused before any question.
        {{project, linked, tpl}, {Ok}, Failed, failure(linked + ": this is the project file " + project + refused)},
        {{project, at("hard.htm"), tpl}, {Ok}, Failed,
         failure(at("hard.htm") + ": this is the template file " + tpl + refused)},
        {{big, old, bigTpl}, {Ok}, Failed,
         question(old) + failure(old + ": the document would be larger than 1 GiB, so nothing was written")},
    };
    ProjectModel model;
    Preferences preferences;
    RememberedPaths paths{"earlier.rpp", "earlier.htm", "earlier-template.htm"};
    for (const auto& [request, answers, outcome, messages] : conversions) {
        const std::string before = testing::TempFolder::Read(request.OutputPath);
        testing::RecordingUi ui;
        ui.answers = answers;
        ConversionContext context{model, preferences, paths, testing::FixedLocale{}, testing::FixedClock{}, ui};
        EXPECT_EQ(RunConversion(request, context), outcome) << messages;
        std::string shown;
        for (const auto& m : ui.messages)
            shown += m.title + (m.buttons == MessageButtons::Ok ? " [OK] " : " [OK|Cancel] ") + m.text + "\n";
        EXPECT_EQ(shown, messages);
        EXPECT_GE(ui.hideCount, 1);  // hidden first, whatever comes of it
        // Only a written document is shown; otherwise the output, which may be an input, stays as it was.
        EXPECT_EQ(testing::TempFolder::Read(request.OutputPath), outcome == Written ? document : before) << messages;
        EXPECT_EQ(ui.shownPaths, outcome == Written ? std::vector{request.OutputPath} : std::vector<std::string>{});
        // Paths are remembered as typed once every field is filled in, before any file is touched.
        EXPECT_EQ(paths.LastReaperFile + "|" + paths.LastHTMLFile + "|" + paths.LastTemplateFile,
                  outcome == Rejected ? "earlier.rpp|earlier.htm|earlier-template.htm"
                                      : request.ProjectPath + "|" + request.OutputPath + "|" + request.TemplatePath);
    }
}

}  // namespace
}  // namespace sondrel
