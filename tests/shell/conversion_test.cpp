#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/file_error.h"
#include "shell/conversion.h"
#include "shell/generate_document.h"
#include "support/fakes.h"
#include "temp_folder.h"

namespace sondrel {
namespace {

using testing::RecordingUi;
using testing::TempFolder;

const char* const kProject =
    "<REAPER_PROJECT 0.1 \"6.80/linux-x86_64\" 1690000000\n"
    "  <TRACK\n"
    "    NAME \"Drums\"\n"
    "  >\n"
    "  <TRACK\n"
    "    NAME Bass\n"
    "  >\n"
    ">\n";

const char* const kTemplate = "<h1>##FILE-NAME##</h1><!-- TRACK-START --><p>##TRACK-NAME##</p><!-- TRACK-END -->";

// One conversion's worth of application state, with the paths remembered
// from an earlier run so that changes to them show.
class RunConversionTest : public ::testing::Test {
protected:
    ConversionOutcome Run(const ConversionRequest& request)
    {
        ui = RecordingUi{};
        ui.answers = answers;
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

    bool Remembered(const ConversionRequest& request) const
    {
        return paths.LastReaperFile == request.ProjectPath && paths.LastHTMLFile == request.OutputPath &&
               paths.LastTemplateFile == request.TemplatePath;
    }

    TempFolder folder;
    ProjectModel model;
    Preferences preferences;
    RememberedPaths paths{"earlier.rpp", "earlier.htm", "earlier-template.htm"};
    testing::FixedLocale locale;
    testing::FixedClock clock;
    RecordingUi ui;
    std::vector<MessageAnswer> answers;
};

TEST_F(RunConversionTest, WritesTheDocumentAndShowsIt)
{
    const ConversionRequest request = ValidRequest();
    EXPECT_EQ(Run(request), ConversionOutcome::Written);
    EXPECT_EQ(TempFolder::Read(request.OutputPath), Expected(request));
    EXPECT_EQ(ui.shownPaths, std::vector<std::string>{request.OutputPath});
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_GE(ui.hideCount, 1);
    EXPECT_TRUE(Remembered(request));
}

TEST_F(RunConversionTest, AnEmptyFieldIsRejectedBeforeAnythingIsTouched)
{
    const ConversionRequest valid = ValidRequest();
    const ConversionRequest requests[] = {{"", valid.OutputPath, valid.TemplatePath},
                                          {valid.ProjectPath, "", valid.TemplatePath},
                                          {valid.ProjectPath, valid.OutputPath, ""}};
    for (const ConversionRequest& request : requests) {
        EXPECT_EQ(Run(request), ConversionOutcome::Rejected);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "You must enter all information");
        EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(ui.messages[0].title, "Sondrel");
        EXPECT_EQ(ui.hideCount, 1);  // hidden before the check, whatever its result
        EXPECT_TRUE(ui.shownPaths.empty());
    }
    EXPECT_TRUE(Remembered({"earlier.rpp", "earlier.htm", "earlier-template.htm"}));
    EXPECT_FALSE(std::filesystem::exists(valid.OutputPath));
    EXPECT_EQ(model.Info.TrackCount, 0);
}

// Each failure is one message that begins with what it names, after the
// paths were remembered; nothing is written or shown.
TEST_F(RunConversionTest, AFailureNamesTheFileAndGoesOn)
{
    const std::string bad = folder.Write("bad.rpp", "<REAPER_PROJECT 0.1 \"6.80\" 1\n  TEMPO fast 4 4\n>\n");
    const ConversionRequest valid = ValidRequest();
    const struct {
        ConversionRequest request;
        std::string start;
    } cases[] = {
        {{folder.Path("missing.rpp"), valid.OutputPath, valid.TemplatePath}, folder.Path("missing.rpp")},
        {{bad, valid.OutputPath, valid.TemplatePath}, bad + ", line 2: "},
        {{valid.ProjectPath, valid.OutputPath, folder.Path("none.htm")}, folder.Path("none.htm")},
        {{valid.ProjectPath, folder.Path("no-folder/out.htm"), valid.TemplatePath}, folder.Path("no-folder/out.htm")},
        // Blanks count as a field and are passed on as typed.
        {{" ", " ", " "}, " "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Run(c.request), ConversionOutcome::Failed) << c.start;
        EXPECT_TRUE(Remembered(c.request)) << c.start;
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text.rfind(c.start, 0), 0u) << ui.messages[0].text;
        EXPECT_GT(ui.messages[0].text.size(), c.start.size() + 1) << "the reason is missing";
        EXPECT_EQ(ui.messages[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(ui.messages[0].title, "Sondrel");
        EXPECT_FALSE(std::filesystem::exists(valid.OutputPath));
        EXPECT_TRUE(ui.shownPaths.empty());
    }
}

TEST_F(RunConversionTest, AnExistingOutputIsReplacedOnlyAfterOk)
{
    const ConversionRequest request = ValidRequest();
    folder.Write("out.htm", "keep me");

    answers = {MessageAnswer::Cancel};
    EXPECT_EQ(Run(request), ConversionOutcome::Declined);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "The file " + request.OutputPath + " already exists.  Do you want to overwrite it?");
    EXPECT_EQ(ui.messages[0].title, "Overwrite file?");
    EXPECT_EQ(ui.messages[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(TempFolder::Read(request.OutputPath), "keep me");
    EXPECT_TRUE(ui.shownPaths.empty());

    answers = {MessageAnswer::Ok};
    EXPECT_EQ(Run(request), ConversionOutcome::Written);
    EXPECT_EQ(TempFolder::Read(request.OutputPath), Expected(request));
    EXPECT_EQ(ui.shownPaths, std::vector<std::string>{request.OutputPath});
}

// An output that is one of the inputs, however spelled, is refused before any
// question, and both files stay as they were.
TEST_F(RunConversionTest, TheOutputNeverReplacesTheProjectOrTheTemplate)
{
    const ConversionRequest valid = ValidRequest();
    std::filesystem::create_directory(folder.Path("sub"));
    std::filesystem::create_symlink(valid.ProjectPath, folder.Path("link.rpp"));
    std::filesystem::create_hard_link(valid.TemplatePath, folder.Path("hard.htm"));
    const struct {
        std::string output;
        std::string input;
        const char* role;
    } cases[] = {
        {valid.ProjectPath, valid.ProjectPath, "project"},
        {folder.Path("sub/../song.rpp"), valid.ProjectPath, "project"},
        {folder.Path("./link.rpp"), valid.ProjectPath, "project"},
        {valid.TemplatePath, valid.TemplatePath, "template"},
        {folder.Path("hard.htm"), valid.TemplatePath, "template"},
    };
    for (const auto& c : cases) {
        answers = {MessageAnswer::Ok};
        EXPECT_EQ(Run({valid.ProjectPath, c.output, valid.TemplatePath}), ConversionOutcome::Failed) << c.output;
        ASSERT_EQ(ui.messages.size(), 1u) << c.output;
        EXPECT_EQ(ui.messages[0].text, c.output + ": this is the " + c.role + " file " + c.input +
                                           ", which the output must not replace; choose another output file");
        EXPECT_EQ(TempFolder::Read(valid.ProjectPath), kProject);
        EXPECT_EQ(TempFolder::Read(valid.TemplatePath), kTemplate);
        EXPECT_TRUE(ui.shownPaths.empty());
    }
}
// A document that would pass 1 GiB stops before it takes the memory, and the
// old output stays: here one 1 MiB track name, asked for 1100 times.
TEST_F(RunConversionTest, AnOversizedDocumentStopsAndKeepsTheOldOutput)
{
    const std::string project =
        folder.Write("big.rpp", "<REAPER_PROJECT 0.1\n<TRACK\nNAME \"" + std::string(1 << 20, 'n') + "\"\n>\n>\n");
    std::string section;
    for (int copy = 0; copy < 1100; ++copy)
        section += "##TRACK-NAME##,";
    const std::string tpl = folder.Write("big.htm", "<!-- TRACK-START -->" + section + "<!-- TRACK-END -->");
    const std::string output = folder.Write("out.htm", "keep me");
    answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    EXPECT_EQ(Run({project, output, tpl}), ConversionOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, output + ": the document would be larger than 1 GiB, so nothing was written");
    EXPECT_EQ(TempFolder::Read(output), "keep me");
}

TEST_F(RunConversionTest, GenerationAsksBeforeReadingAndTakesNoFolderForAFile)
{
    const GenerationContext context{model, preferences, locale, clock};
    // Declined: the missing template is never read, so nothing throws.
    ui.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(GenerateDocument(folder.Write("out.htm", "keep me"), folder.Path("none.htm"), context, ui));
    EXPECT_EQ(TempFolder::Read(folder.Path("out.htm")), "keep me");
    // No question for a folder: the write itself fails and says so.
    ui = RecordingUi{};
    std::filesystem::create_directory(folder.Path("dir.htm"));
    EXPECT_THROW(GenerateDocument(folder.Path("dir.htm"), folder.Write("tpl.htm", "x"), context, ui), FileError);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.shownPaths.empty());
}

}  // namespace
}  // namespace sondrel
