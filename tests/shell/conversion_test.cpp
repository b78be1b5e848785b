#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "shell/conversion.h"
#include "support/fakes.h"
#include "temp_folder.h"

namespace sondrel {
namespace {

using testing::FixedClock;
using testing::FixedLocale;
using testing::RecordingUi;
using testing::TempFolder;

const char* const kProject =
    "<REAPER_PROJECT 0.1 \"6.80/linux-x86_64\" 1690000000\n"
    "  TEMPO 120 4 4\n"
    "  <TRACK\n"
    "    NAME \"Drums\"\n"
    "  >\n"
    "  <TRACK\n"
    "    NAME \"Bass\"\n"
    "  >\n"
    ">\n";

const char* const kTemplate = "<h1>##FILE-NAME##</h1><!-- TRACK-START --><p>##TRACK-NAME##</p><!-- TRACK-END -->";

// One conversion's worth of application state, with the paths remembered
// from an earlier run so that changes to them show.
class RunConversionTest : public ::testing::Test {
protected:
    ConversionOutcome Run(const ConversionRequest& request)
    {
        ConversionContext context{model, preferences, paths, locale, clock, ui};
        return RunConversion(request, context);
    }

    ConversionRequest ValidRequest() const
    {
        return {folder.Write("song.rpp", kProject), folder.Path("out.htm"), folder.Write("tpl.htm", kTemplate)};
    }

    std::string Expected(const ConversionRequest& request) const
    {
        return "<h1>" + request.ProjectPath + "</h1><p>Drums</p><p>Bass</p>";
    }

    TempFolder folder;
    ProjectModel model;
    Preferences preferences;
    RememberedPaths paths{"earlier.rpp", "earlier.htm", "earlier-template.htm"};
    FixedLocale locale;
    FixedClock clock;
    RecordingUi ui;
};

TEST_F(RunConversionTest, WritesTheDocumentAndShowsIt)
{
    const ConversionRequest request = ValidRequest();
    EXPECT_EQ(Run(request), ConversionOutcome::Written);
    EXPECT_EQ(TempFolder::Read(request.OutputPath), Expected(request));
    EXPECT_EQ(ui.shownPaths, std::vector<std::string>{request.OutputPath});
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_GE(ui.hideCount, 1);
    EXPECT_EQ(paths.LastReaperFile, request.ProjectPath);
    EXPECT_EQ(paths.LastHTMLFile, request.OutputPath);
    EXPECT_EQ(paths.LastTemplateFile, request.TemplatePath);
    EXPECT_EQ(model.Info.TrackCount, 2);
}

TEST_F(RunConversionTest, AnEmptyFieldIsRejectedBeforeAnythingIsTouched)
{
    const ConversionRequest valid = ValidRequest();
    const ConversionRequest requests[] = {
        {"", valid.OutputPath, valid.TemplatePath},
        {valid.ProjectPath, "", valid.TemplatePath},
        {valid.ProjectPath, valid.OutputPath, ""},
        {"", "", ""},
    };
    for (const ConversionRequest& request : requests) {
        RecordingUi freshUi;
        ConversionContext context{model, preferences, paths, locale, clock, freshUi};
        EXPECT_EQ(RunConversion(request, context), ConversionOutcome::Rejected);
        ASSERT_EQ(freshUi.messages.size(), 1u);
        EXPECT_EQ(freshUi.messages[0].text, "You must enter all information");
        EXPECT_EQ(freshUi.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(freshUi.messages[0].title, "Sondrel");
        EXPECT_EQ(freshUi.hideCount, 1);  // hidden before the check, whatever its result
        EXPECT_TRUE(freshUi.shownPaths.empty());
    }
    EXPECT_EQ(paths.LastReaperFile, "earlier.rpp");
    EXPECT_EQ(paths.LastHTMLFile, "earlier.htm");
    EXPECT_EQ(paths.LastTemplateFile, "earlier-template.htm");
    EXPECT_FALSE(std::filesystem::exists(valid.OutputPath));
    EXPECT_EQ(model.Info.TrackCount, 0);
}

TEST_F(RunConversionTest, BlanksCountAsAFieldAndArePassedOnUnchanged)
{
    // " " names no file, so the read fails, but only after the blank path was
    // accepted and remembered as typed.
    const ConversionRequest request{" ", " ", " "};
    EXPECT_EQ(Run(request), ConversionOutcome::Failed);
    EXPECT_EQ(paths.LastReaperFile, " ");
    EXPECT_EQ(paths.LastHTMLFile, " ");
    EXPECT_EQ(paths.LastTemplateFile, " ");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text, "You must enter all information");
}

TEST_F(RunConversionTest, AMissingProjectIsReportedWithThePathsAlreadyRemembered)
{
    const ConversionRequest request{folder.Path("missing.rpp"), folder.Path("out.htm"),
                                    folder.Write("tpl.htm", kTemplate)};
    EXPECT_EQ(Run(request), ConversionOutcome::Failed);
    EXPECT_EQ(paths.LastReaperFile, request.ProjectPath);
    EXPECT_EQ(paths.LastHTMLFile, request.OutputPath);
    EXPECT_EQ(paths.LastTemplateFile, request.TemplatePath);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind(request.ProjectPath, 0), 0u) << ui.messages[0].text;
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(ui.messages[0].title, "Sondrel");
    EXPECT_FALSE(std::filesystem::exists(request.OutputPath));
    EXPECT_TRUE(ui.shownPaths.empty());
}

TEST_F(RunConversionTest, AFailingLineIsNamedWithItsNumber)
{
    const std::string project = folder.Write("bad.rpp",
                                             "<REAPER_PROJECT 0.1 \"6.80\" 1\n"
                                             "  TEMPO fast 4 4\n"
                                             ">\n");
    const ConversionRequest request{project, folder.Path("out.htm"), folder.Write("tpl.htm", kTemplate)};
    EXPECT_EQ(Run(request), ConversionOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    const std::string& message = ui.messages[0].text;
    EXPECT_EQ(message.rfind(project + ", line 2: ", 0), 0u) << message;
    EXPECT_GT(message.size(), (project + ", line 2: ").size()) << "the reason is missing";
    EXPECT_FALSE(std::filesystem::exists(request.OutputPath));
}

TEST_F(RunConversionTest, AMissingTemplateIsNamedAndNothingIsWritten)
{
    const ConversionRequest request{folder.Write("song.rpp", kProject), folder.Path("out.htm"),
                                    folder.Path("no-template.htm")};
    EXPECT_EQ(Run(request), ConversionOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind(request.TemplatePath, 0), 0u) << ui.messages[0].text;
    EXPECT_FALSE(std::filesystem::exists(request.OutputPath));
    EXPECT_TRUE(ui.shownPaths.empty());
    EXPECT_EQ(model.Info.TrackCount, 2) << "the model keeps what was read";
}

TEST_F(RunConversionTest, AnUnwritableOutputIsNamedAndNothingIsShown)
{
    ConversionRequest request = ValidRequest();
    request.OutputPath = folder.Path("no-such-folder/out.htm");
    EXPECT_EQ(Run(request), ConversionOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(request.OutputPath), std::string::npos) << ui.messages[0].text;
    EXPECT_TRUE(ui.shownPaths.empty());
}

TEST_F(RunConversionTest, AnExistingOutputIsReplacedOnlyAfterOk)
{
    const ConversionRequest request = ValidRequest();
    folder.Write("out.htm", "keep me");

    ui.answers = {MessageAnswer::Cancel};
    EXPECT_EQ(Run(request), ConversionOutcome::Declined);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "The file " + request.OutputPath + " already exists.  Do you want to overwrite it?");
    EXPECT_EQ(ui.messages[0].title, "Overwrite file?");
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(TempFolder::Read(request.OutputPath), "keep me");
    EXPECT_TRUE(ui.shownPaths.empty());

    ui.answers = {MessageAnswer::Ok};
    EXPECT_EQ(Run(request), ConversionOutcome::Written);
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(TempFolder::Read(request.OutputPath), Expected(request));
    EXPECT_EQ(ui.shownPaths, std::vector<std::string>{request.OutputPath});
}

TEST_F(RunConversionTest, TheOutputMayReplaceItsOwnTemplate)
{
    const std::string both = folder.Write("page.htm", kTemplate);
    const ConversionRequest request{folder.Write("song.rpp", kProject), both, both};
    EXPECT_EQ(Run(request), ConversionOutcome::Written);
    EXPECT_EQ(ui.messages.size(), 1u) << "the overwrite question is asked";
    EXPECT_EQ(TempFolder::Read(both), Expected(request));
}

}  // namespace
}  // namespace sondrel
