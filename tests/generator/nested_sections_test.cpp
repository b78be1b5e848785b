#include "generator/nested_sections.h"

#include <gtest/gtest.h>

#include "generator_fixture.h"

namespace sondrel {
namespace {

using testing::GeneratorFixture;

class NestedSections : public ::testing::Test, protected GeneratorFixture {
protected:
    std::string Expand(std::string text, int track, NestedSectionKind kind)
    {
        ExpandNestedSection(text, track, kind, Context());
        return text;
    }
};

TEST_F(NestedSections, FxEntriesShowEveryValueInOrder)
{
    AddTrack("Gtr").FxTable = {{"VST", "ReaEQ", "reaeq.dll", false}, {"JS", "Gate", "gate", true}};
    EXPECT_EQ(Expand("<ul><!-- FX-START --><li>##FX-NUM## ##FX-NAME## ##FX-DLL## ##FX-TYPE## [##FX-ACTIVE##]</li>"
                     "<!-- FX-END --></ul>",
                     1, NestedSectionKind::Fx),
              "<ul><li>1 ReaEQ reaeq.dll VST [Active]</li><li>2 Gate gate JS []</li></ul>");
}

TEST_F(NestedSections, ItemEntriesShowEveryValueInOrder)
{
    TrackRecord& track = AddTrack("Vox");
    track.ItemTable.push_back({61.0F, 3600.0F, "Verse", -0.5F, true, 0.5F, 0});
    track.ItemTable.push_back({0.0F, 59.4F, "Chorus", 0.0F, false, 1.0F, -3});
    EXPECT_EQ(Expand("<!-- ITEM-START -->##ITEM-NUM##|##ITEM-NAME##|##ITEM-POS##|##ITEM-LEN##|##ITEM-GROUP##|"
                     "##ITEM-MUTE##|##ITEM-VOLUME##|##ITEM-PAN##;<!-- ITEM-END -->",
                     1, NestedSectionKind::Item),
              "1|Verse|0:01:01|1:00:00|0|Mute|-6.00db|L 50%;2|Chorus|0:00:00|0:00:59|-3||0.00db|C;");
}

TEST_F(NestedSections, AnEntryNamingATrackWithoutASlotShowsNoName)
{
    AddTrack("Only").ReceiveTable = {{"R", "9", 1.0F, 0.0F, false}, {"R", "x", 1.0F, 0.0F, false}};
    EXPECT_EQ(Expand("<!-- RECEIVE-START -->(##RCV-TRACK-NUM##:##RCV-TRACK-NAME##)<!-- RECEIVE-END -->", 1,
                     NestedSectionKind::Receive),
              "(9:)(x:)");
}

TEST_F(NestedSections, KindsAreComparedExactly)
{
    AddTrack("A").ReceiveTable = {{"s", "1", 1.0F, 0.0F, false}, {"S ", "1", 1.0F, 0.0F, false}};
    EXPECT_EQ(Expand("<!-- SEND-START -->x<!-- SEND-END -->", 1, NestedSectionKind::Send), "");
}

TEST_F(NestedSections, NoEntriesLeavesOnlyTheTextAround)
{
    AddTrack("Empty");
    EXPECT_EQ(Expand("a<!-- FX-START -->##FX-NAME##<!-- FX-END -->b", 1, NestedSectionKind::Fx), "ab");
}

TEST_F(NestedSections, MarkersInAnyCaseOnlyTheFirstSectionCounts)
{
    AddTrack("Gtr").FxTable = {{"VST", "EQ", "", false}, {"VST", "Comp", "", false}};
    EXPECT_EQ(Expand("<!-- fx-Start -->(##fx-name##)<!-- FX-end -->|<!-- FX-START -->##FX-NAME##<!-- FX-END -->", 1,
                     NestedSectionKind::Fx),
              "(EQ)(Comp)|<!-- FX-START -->##FX-NAME##<!-- FX-END -->");
}

TEST_F(NestedSections, AnEntryValueHoldingALaterPlaceholderOfItsKind)
{
    AddTrack("T").FxTable = {{"##FX-ACTIVE##", "##FX-NUM##/##FX-TYPE##", "", false}};
    EXPECT_EQ(Expand("<!-- FX-START -->##FX-NAME##<!-- FX-END -->", 1, NestedSectionKind::Fx),
              "##FX-NUM##/Active");
}

TEST_F(NestedSections, FxPlaceholdersOutsideTheSectionStayLiteral)
{
    AddTrack("T").FxTable = {{"VST", "EQ", "", false}};
    EXPECT_EQ(Expand("##FX-NAME##<!-- FX-START -->##FX-NAME##<!-- FX-END -->##FX-NAME##", 1, NestedSectionKind::Fx),
              "##FX-NAME##EQ##FX-NAME##");
}

}  // namespace
}  // namespace sondrel
