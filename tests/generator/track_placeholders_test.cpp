#include "generator/track_placeholders.h"

#include <gtest/gtest.h>

#include "generator_fixture.h"

namespace sondrel {
namespace {

class TrackPlaceholders : public ::testing::Test, protected testing::GeneratorFixture {
protected:
    std::string Fill(std::string text, int track)
    {
        ReplaceTrackPlaceholders(text, track, Context());
        return text;
    }
};

TEST_F(TrackPlaceholders, EveryPlaceholderShowsItsValue)
{
    AddTrack("<b>R&B</b>");
    TrackRecord& bass = AddTrack("Bass");
    bass.Volume = 2.0F;
    bass.Pan = -0.5F;
    bass.Mute = true;
    bass.Solo = true;
    bass.IsGroup = true;
    bass.InGroup = true;
    bass.FxTable = {{"VST", "ReaEQ", "reaeq.dll", false}, {"JS", "Gate", "", true}};
    bass.ItemTable.push_back({0, 1, "Take A", 0, false, 1, 0});
    bass.ItemTable.push_back({1, 1, "Take B", 0, false, 1, 0});
    AddTrack("Bus");
    AddRoute(1, 2);
    AddRoute(2, 3);

    const std::string text =
        "##TRACK-NUM##|##TRACK-NAME##|##VOLUME##|##PAN##|##MUTE##|##SOLO##|##FX-LIST##|##ITEM-LIST##|"
        "##SEND-LIST##|##RCV-LIST##|##IS-GROUP##|##IN-GROUP##";
    // Names go in without escaping; lower case placeholders work.
    EXPECT_EQ(Fill(text, 2), "2|Bass|+6.00db|L 50%|Mute|Solo|ReaEQ<BR>Gate|Take A<BR>Take B|Trk 3:Bus|"
                             "Trk 1:<b>R&B</b>|Is Group|In Group");
    EXPECT_EQ(Fill("##track-num##:##Track-Name##", 3), "3:Bus");
    EXPECT_EQ(Fill("[##MUTE##][##SOLO##][##IS-GROUP##][##IN-GROUP##][##FX-LIST##] ##VOLUME## ##PAN##", 3),
              "[][][][][] 0.00db C");
    prefs.ListSeparator = "Comma";
    EXPECT_EQ(Fill("##FX-LIST##", 2), "ReaEQ,Gate");
}

TEST_F(TrackPlaceholders, SectionBodiesAndSectionPlaceholdersAreLeftForLater)
{
    TrackRecord& track = AddTrack("Keys");
    track.Mute = true;
    track.FxTable.push_back({"VST", "Synth", "synth.dll", false});
    EXPECT_EQ(Fill("<!-- FX-START -->##TRACK-NAME##:##FX-NAME##:##MUTE##:##ITEM-MUTE##<!-- FX-END -->", 1),
              "<!-- FX-START -->Keys:##FX-NAME##:Mute:##ITEM-MUTE##<!-- FX-END -->");
}

TEST_F(TrackPlaceholders, AValueHoldingALaterPlaceholderHasItReplacedButNotAnEarlierOne)
{
    AddTrack("##SOLO## and ##TRACK-NUM## and ##TRACK-NAME##").Solo = true;
    EXPECT_EQ(Fill("##TRACK-NAME##", 1), "Solo and ##TRACK-NUM## and ##TRACK-NAME##");
}

}  // namespace
}  // namespace sondrel
