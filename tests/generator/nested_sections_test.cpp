#include "generator/nested_sections.h"

#include <gtest/gtest.h>

#include "generator_fixture.h"

namespace sondrel {
namespace {

class NestedSections : public ::testing::Test, protected testing::GeneratorFixture {
protected:
    std::string Expand(std::string text, NestedSectionKind kind)
    {
        ExpandNestedSection(text, 1, kind, Context());
        return text;
    }
};

TEST_F(NestedSections, FxAndItemEntriesShowEveryValueInOrder)
{
    TrackRecord& track = AddTrack("Gtr");
    track.FxTable = {{"VST", "ReaEQ", "reaeq.dll", false}, {"JS", "Gate", "gate", true}};
    track.ItemTable.push_back({61.0F, 3600.0F, "Verse", -0.5F, true, 0.5F, 0});
    track.ItemTable.push_back({0.0F, 59.4F, "Chorus", 0.0F, false, 1.0F, -3});
    EXPECT_EQ(Expand("<ul><!-- FX-START --><li>##FX-NUM## ##FX-NAME## ##FX-DLL## ##FX-TYPE## [##FX-ACTIVE##]</li>"
                     "<!-- FX-END --></ul>",
                     NestedSectionKind::Fx),
              "<ul><li>1 ReaEQ reaeq.dll VST [Active]</li><li>2 Gate gate JS []</li></ul>");
    EXPECT_EQ(Expand("<!-- ITEM-START -->##ITEM-NUM##|##ITEM-NAME##|##ITEM-POS##|##ITEM-LEN##|##ITEM-GROUP##|"
                     "##ITEM-MUTE##|##ITEM-VOLUME##|##ITEM-PAN##;<!-- ITEM-END -->",
                     NestedSectionKind::Item),
              "1|Verse|0:01:01|1:00:00|0|Mute|-6.00db|L 50%;2|Chorus|0:00:00|0:00:59|-3||0.00db|C;");
}

TEST_F(NestedSections, RoutingEntries)
{
    // Kinds are compared exactly; a source without a slot shows no name.
    AddTrack("Only").ReceiveTable = {{"R", "9", 1.0F, 0.0F, false}, {"R", "x", 1.0F, 0.0F, false},
                                     {"s", "1", 1.0F, 0.0F, false}, {"S ", "1", 1.0F, 0.0F, false}};
    EXPECT_EQ(Expand("<!-- RECEIVE-START -->(##RCV-TRACK-NUM##:##RCV-TRACK-NAME##)<!-- RECEIVE-END -->",
                     NestedSectionKind::Receive),
              "(9:)(x:)");
    EXPECT_EQ(Expand("<!-- SEND-START -->x<!-- SEND-END -->", NestedSectionKind::Send), "");
}

TEST_F(NestedSections, SectionBoundsAndValues)
{
    AddTrack("Gtr").FxTable = {{"VST", "EQ", "", false}, {"##FX-ACTIVE##", "##FX-NUM##/##FX-TYPE##", "", false}};
    const struct {
        std::string text, expected;
    } cases[] = {
        // Markers in any case; only the first section counts.
        {"<!-- fx-Start -->(##fx-num##)<!-- FX-end -->|<!-- FX-START -->##FX-NUM##<!-- FX-END -->",
         "(1)(2)|<!-- FX-START -->##FX-NUM##<!-- FX-END -->"},
        // Placeholders outside the section stay literal.
        {"##FX-DLL##<!-- FX-START -->[##FX-DLL##]<!-- FX-END -->##FX-DLL##", "##FX-DLL##[][]##FX-DLL##"},
        // A value holding a later placeholder of its kind has it filled in, an earlier one not.
        {"<!-- FX-START -->##FX-NAME##;<!-- FX-END -->", "EQ;##FX-NUM##/Active;"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Expand(c.text, NestedSectionKind::Fx), c.expected) << c.text;
    AddTrack("Empty");
    std::string empty = "a<!-- FX-START -->##FX-NAME##<!-- FX-END -->b";
    ExpandNestedSection(empty, 2, NestedSectionKind::Fx, Context());
    EXPECT_EQ(empty, "ab");
}

}  // namespace
}  // namespace sondrel
