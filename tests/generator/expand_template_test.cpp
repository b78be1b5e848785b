#include "generator/expand_template.h"

#include <gtest/gtest.h>

#include "generator/marker_search.h"
#include "generator_fixture.h"

namespace sondrel {
namespace {

class ExpandTemplateTest : public ::testing::Test, protected testing::GeneratorFixture {
protected:
    std::string Expand(const std::string& text)
    {
        return ExpandTemplate(text, "C:\\t\\sheet.htm", "C:\\out\\song.htm", Context());
    }
};

TEST_F(ExpandTemplateTest, DocumentPlaceholdersShowTheProjectAndTheRun)
{
    model.Info.SourcePath = "C:\\p\\song.rpp";
    model.Info.VersionText = "0.1";
    model.Info.Tempo = 99.5F;
    model.Info.TimeSigNumerator = 7;
    model.Info.TimeSigDenominator = 8;
    model.Info.SampleRateText = "48000";
    model.Info.Notes = "|first|line<br>|second";
    EXPECT_EQ(Expand("##FILE-NAME##;##TEMPLATE-NAME##;##OUTPUT-NAME##;##VERSION##;##TEMPO##;##SAMPLE-RATE##;"
                     "##NOTES##;##DATE##;##TIME##"),
              "C:\\p\\song.rpp;C:\\t\\sheet.htm;C:\\out\\song.htm;0.1;99.5 BPM 7/8;48000;firstline<br>second;"
              "6/14/2021;17:42");
    EXPECT_EQ(model.Info.Notes, "|first|line<br>|second");
    // A value holding a later document placeholder has it filled in, not an earlier one.
    model.Info.Notes = "|Mixed ##DATE## from ##FILE-NAME##";
    EXPECT_EQ(Expand("##NOTES##"), "Mixed 6/14/2021 from ##FILE-NAME##");
}

TEST_F(ExpandTemplateTest, TempoUsesTheLocaleSeparatorAndDateTimeTheChosenForms)
{
    model.Info.Tempo = 120.25F;
    model.Info.TimeSigNumerator = 4;
    model.Info.TimeSigDenominator = 4;
    locale.decimalSeparator = ",";
    prefs.DateFormat = "Long";
    prefs.TimeFormat = "Long";
    EXPECT_EQ(Expand("##tempo## ##Date## ##time##"), "120,25 BPM 4/4 Monday, June 14, 2021 5:42:07 PM");
}

TEST_F(ExpandTemplateTest, TheTrackSection)
{
    AddTrack("Drums").Mute = true;
    AddTrack("Bass");
    model.Info.VersionText = "v6";
    const struct {
        std::string text, expected;
    } cases[] = {
        // Without a start marker only document placeholders change.
        {"##VERSION## ##TRACK-NAME## (#IF-IS-MUTED m##ELSE u##END-IF#) <!-- FX-START -->x",
         "v6 ##TRACK-NAME## (#IF-IS-MUTED m##ELSE u##END-IF#) <!-- FX-START -->x"},
        // A start marker without an end is dropped and nothing repeats.
        {"head<!-- TRACK-START -->##TRACK-NAME##<!-- TRACK-START -->tail", "head##TRACK-NAME##<!-- TRACK-START -->tail"},
        {"a<!-- TRACK-END -->b<!-- TRACK-START -->c", "a<!-- TRACK-END -->bc"},
        // Markers in any case; only the first pair counts.
        {"<!-- Track-Start -->[##TRACK-NUM##<!-- TRACK-START -->]<!-- track-end --><!-- TRACK-START -->x<!-- TRACK-END -->",
         "[1<!-- TRACK-START -->][2<!-- TRACK-START -->]<!-- TRACK-START -->x<!-- TRACK-END -->"},
        {"<!--TRACK-START-->##TRACK-NUM##<!--TRACK-END-->", "<!--TRACK-START-->##TRACK-NUM##<!--TRACK-END-->"},
        {"<!-- TRACK-START -->##VERSION##/##TRACK-NAME##;<!-- TRACK-END -->", "v6/Drums;v6/Bass;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Expand(c.text), c.expected) << c.text;
}

TEST_F(ExpandTemplateTest, TrackCopyStepsRunInOrder)
{
    TrackRecord& track = AddTrack("Lead");
    track.Mute = true;
    track.FxTable = {{"VST", "EQ", "eq.dll", false}};
    // The conditional keeps a placeholder and a section for the later steps.
    EXPECT_EQ(Expand("<!-- TRACK-START -->(#IF-IS-MUTED ##TRACK-NAME##<!-- FX-START -->/##FX-NAME##<!-- FX-END -->"
                     "##ELSE##END-IF#)<!-- TRACK-END -->"),
              " Lead/EQ");
}

TEST_F(ExpandTemplateTest, TracksWithoutASlotAreEmpty)
{
    model.Info.TrackCount = 2;  // counted, never filled
    EXPECT_EQ(Expand("<!-- TRACK-START -->[##TRACK-NUM##:##TRACK-NAME##:##MUTE##]<!-- TRACK-END -->"), "[1::][2::]");
}

TEST(FindIgnoringCase, LettersFoldOtherBytesDoNot)
{
    constexpr auto none = std::string_view::npos;
    EXPECT_EQ(FindIgnoringCase("xx<!-- fx-START -->", "<!-- FX-START -->", 0), 2U);
    EXPECT_EQ(FindIgnoringCase("abAB", "ab", 1), 2U);
    EXPECT_EQ(FindIgnoringCase("a\xC4" "b", "a\xE4" "b", 0), none);
    EXPECT_EQ(FindIgnoringCase("[", "{", 0), none);
    EXPECT_EQ(FindIgnoringCase("a", "abc", 0), none);
    EXPECT_EQ(FindIgnoringCase("abc", "c", 9), none);
    EXPECT_EQ(FindIgnoringCase("!<!<!-- a -->", "<!-- A -->", 0), 3U);
    EXPECT_EQ(FindIgnoringCase("<!-- a --", "<!-- a -->", 0), none);
    // Both ends of the alphabet fold, and a key's exact-match anchor may stand anywhere in it.
    EXPECT_EQ(FindIgnoringCase("xxZZ", "zz", 0), 2U);
    EXPECT_EQ(FindIgnoringCase("zAz", "Z", 1), 2U);
    EXPECT_EQ(FindIgnoringCase("ab! AB!C", "ab!c", 0), 4U);
}

}  // namespace
}  // namespace sondrel
