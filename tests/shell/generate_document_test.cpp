#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "model/file_error.h"
#include "shell/generate_document.h"
#include "support/fakes.h"
#include "temp_folder.h"

namespace sondrel {
namespace {

using testing::FixedClock;
using testing::FixedLocale;
using testing::RecordingUi;
using testing::TempFolder;

class GenerateDocumentTest : public ::testing::Test {
protected:
    bool Generate(const std::string& output, const std::string& templatePath)
    {
        const GenerationContext context{model, preferences, locale, clock};
        return GenerateDocument(output, templatePath, context, ui);
    }

    TempFolder folder;
    ProjectModel model;
    Preferences preferences;
    FixedLocale locale;
    FixedClock clock;
    RecordingUi ui;
};

TEST_F(GenerateDocumentTest, DecliningAnOverwriteReadsWritesAndShowsNothing)
{
    const std::string output = folder.Write("out.htm", "keep me");
    // The template does not exist: reading it would throw.
    ui.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(Generate(output, folder.Path("missing-template.htm")));
    EXPECT_EQ(TempFolder::Read(output), "keep me");
    EXPECT_TRUE(ui.shownPaths.empty());
}

TEST_F(GenerateDocumentTest, ANewOutputIsWrittenWithoutAQuestion)
{
    model.Info.SourcePath = "C:\\p\\song.rpp";
    const std::string output = folder.Path("new.htm");
    EXPECT_TRUE(Generate(output, folder.Write("tpl.htm", "[##FILE-NAME##|##OUTPUT-NAME##]")));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(TempFolder::Read(output), "[C:\\p\\song.rpp|" + output + "]");
    EXPECT_EQ(ui.shownPaths, std::vector<std::string>{output});
}

TEST_F(GenerateDocumentTest, AFolderAtTheOutputPathIsNotTakenForAnExistingFile)
{
    // No question for a folder: the write itself fails and says so.
    std::filesystem::create_directory(folder.Path("dir.htm"));
    EXPECT_THROW(Generate(folder.Path("dir.htm"), folder.Write("tpl.htm", "x")), FileError);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ui.shownPaths.empty());
}

}  // namespace
}  // namespace sondrel
