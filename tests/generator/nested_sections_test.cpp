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

    // The four kinds in the generator's order.
    std::string ExpandAll(std::string text, int track)
    {
        for (const NestedSectionKind kind :
             {NestedSectionKind::Fx, NestedSectionKind::Item, NestedSectionKind::Send, NestedSectionKind::Receive})
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

TEST_F(NestedSections, RoutingNumbersCountBothKinds)
{
    AddTrack("Drums");
    AddTrack("Sub");
    AddTrack("Bus");
    AddTrack("Verb");
    AddRoute(1, 2, 0.5F, 0.25F, true);  // track 2 entry 1: receive from 1
    AddRoute(2, 3);                     // track 2 entry 2: send to 3
    AddRoute(2, 4, 2.0F, -1.0F);        // track 2 entry 3: send to 4
    const std::string sends = "<!-- SEND-START -->[##SEND-NUM##:##SEND-TRACK-NUM##:##SEND-TRACK-NAME##:"
                              "##SEND-MUTE##:##SEND-VOLUME##:##SEND-PAN##]<!-- SEND-END -->";
    const std::string receives = "<!-- RECEIVE-START -->[##RCV-NUM##:##RCV-TRACK-NUM##:##RCV-TRACK-NAME##:"
                                 "##RCV-MUTE##:##RCV-VOLUME##:##RCV-PAN##]<!-- RECEIVE-END -->";
    EXPECT_EQ(Expand(sends, 2, NestedSectionKind::Send), "[2:3:Bus::0.00db:C][3:4:Verb::+6.00db:L 100%]");
    EXPECT_EQ(Expand(receives, 2, NestedSectionKind::Receive), "[1:1:Drums:Mute:-6.00db:R 25%]");
    EXPECT_EQ(Expand(sends, 3, NestedSectionKind::Send), "");
    EXPECT_EQ(Expand(receives, 1, NestedSectionKind::Receive), "");
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

TEST_F(NestedSections, MissingMarkers)
{
    AddTrack("Gtr").FxTable = {{"VST", "EQ", "", false}, {"VST", "Comp", "", false}};
    EXPECT_EQ(Expand("no section ##FX-NAME##", 1, NestedSectionKind::Fx), "no section ##FX-NAME##");
    EXPECT_EQ(Expand("a<!-- FX-START -->##FX-NAME## b", 1, NestedSectionKind::Fx), "a##FX-NAME## b");
    EXPECT_EQ(Expand("a<!-- FX-END -->##FX-NAME##<!-- FX-START -->b", 1, NestedSectionKind::Fx),
              "a<!-- FX-END -->##FX-NAME##b");
    EXPECT_EQ(Expand("a<!--FX-START-->x<!--FX-END-->", 1, NestedSectionKind::Fx), "a<!--FX-START-->x<!--FX-END-->");
}

TEST_F(NestedSections, MarkersInAnyCaseOnlyTheFirstSectionCounts)
{
    AddTrack("Gtr").FxTable = {{"VST", "EQ", "", false}, {"VST", "Comp", "", false}};
    EXPECT_EQ(Expand("<!-- fx-Start -->(##fx-name##)<!-- FX-end -->|<!-- FX-START -->##FX-NAME##<!-- FX-END -->", 1,
                     NestedSectionKind::Fx),
              "(EQ)(Comp)|<!-- FX-START -->##FX-NAME##<!-- FX-END -->");
}

TEST_F(NestedSections, OrderOfKindsNotOfTheTemplate)
{
    TrackRecord& track = AddTrack("T");
    track.FxTable = {{"VST", "F1", "", false}, {"VST", "F2", "", false}};
    track.ItemTable.push_back({0, 0, "I1", 0, false, 1, 0});
    track.ItemTable.push_back({0, 0, "I2", 0, false, 1, 0});
    // An FX section inside an item body is expanded first, then repeated per item.
    EXPECT_EQ(ExpandAll("<!-- ITEM-START -->##ITEM-NAME##(<!-- FX-START -->##FX-NAME##<!-- FX-END -->)"
                        "<!-- ITEM-END -->",
                        1),
              "I1(F1F2)I2(F1F2)");
    // An item section inside an FX body is copied per FX; only the first copy is expanded.
    EXPECT_EQ(ExpandAll("<!-- FX-START -->##FX-NAME##[<!-- ITEM-START -->##ITEM-NAME##<!-- ITEM-END -->]"
                        "<!-- FX-END -->",
                        1),
              "F1[I1I2]F2[<!-- ITEM-START -->##ITEM-NAME##<!-- ITEM-END -->]");
    // A receive section placed before the FX section gives the same as after it.
    AddTrack("Src");
    AddRoute(2, 1);
    EXPECT_EQ(ExpandAll("<!-- RECEIVE-START -->##RCV-TRACK-NAME##<!-- RECEIVE-END -->|"
                        "<!-- FX-START -->##FX-NAME##<!-- FX-END -->",
                        1),
              "Src|F1F2");
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
