#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "format/summary_lists.h"

namespace sondrel {
namespace {

Preferences WithSeparator(const std::string& choice)
{
    Preferences preferences;
    preferences.ListSeparator = choice;
    return preferences;
}

void AddRouting(ProjectModel& model, int track, const std::string& kind, const std::string& other)
{
    ReceiveRecord entry;
    entry.Kind = kind;
    entry.TrackNumText = other;
    model.SlotForWriting(track).ReceiveTable.push_back(entry);
}

// Tracks 1 Drums, 2 Sub and 3 Bus: track 2 receives from track 1 and track 3
// from track 2, each receive mirrored as a send on its source track.
ProjectModel ChainOfThreeTracks()
{
    ProjectModel model;
    model.SlotForWriting(1).Name = "Drums";
    model.SlotForWriting(2).Name = "Sub";
    model.SlotForWriting(3).Name = "Bus";
    AddRouting(model, 2, "R", "1");
    AddRouting(model, 1, "S", "2");
    AddRouting(model, 3, "R", "2");
    AddRouting(model, 2, "S", "3");
    return model;
}

struct SeparatorCase {
    const char* choice;
    const char* separator;
    const char* fxList;
};

class SeparatorChoice : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(SeparatorChoice, JoinsTheFxNames)
{
    ProjectModel model;
    model.SlotForWriting(1).FxTable = {FxRecord{"VST", "A", "a.dll", false}, FxRecord{"JS", "B", "", true}};
    const Preferences preferences = WithSeparator(GetParam().choice);
    EXPECT_EQ(ListSeparatorText(preferences), GetParam().separator);
    EXPECT_EQ(FxListText(model, 1, preferences), GetParam().fxList);
}

INSTANTIATE_TEST_SUITE_P(Choices, SeparatorChoice,
                         ::testing::Values(SeparatorCase{"<BR>", "<BR>", "A<BR>B"}, SeparatorCase{"Space", " ", "A B"},
                                           SeparatorCase{"Tab", "\t", "A\tB"}, SeparatorCase{"Comma", ",", "A,B"},
                                           // Anything else, letter case included, is a comma and a space.
                                           SeparatorCase{"comma", ", ", "A, B"}, SeparatorCase{"<br>", ", ", "A, B"},
                                           SeparatorCase{"", ", ", "A, B"}, SeparatorCase{"Semicolon", ", ", "A, B"},
                                           SeparatorCase{" Tab", ", ", "A, B"}));

TEST(SummaryLists, ATrackWithoutEntriesGivesEmptyLists)
{
    ProjectModel model = ChainOfThreeTracks();
    model.SlotForWriting(4).Name = "Alone";
    const Preferences preferences;
    for (int track : {0, 4, 5, 40000, -1}) {
        EXPECT_EQ(FxListText(model, track, preferences), "") << track;
        EXPECT_EQ(ItemListText(model, track, preferences), "") << track;
        EXPECT_EQ(SendListText(model, track, preferences), "") << track;
        EXPECT_EQ(ReceiveListText(model, track, preferences), "") << track;
    }
}

TEST(SummaryLists, AnEmptyNameStillTakesItsPlaceBetweenSeparators)
{
    ProjectModel model;
    TrackRecord& track = model.SlotForWriting(1);
    for (const char* name : {"Verse", "", "Chorus"}) {
        ItemRecord item;
        item.Name = name;
        track.ItemTable.push_back(item);
    }
    track.FxTable = {FxRecord{"VST", "", "", false}, FxRecord{"VST", "", "", false}};
    EXPECT_EQ(ItemListText(model, 1, WithSeparator("Comma")), "Verse,,Chorus");
    EXPECT_EQ(FxListText(model, 1, WithSeparator("<BR>")), "<BR>");
}

TEST(SummaryLists, NamesAreListedAsStoredInProjectOrder)
{
    ProjectModel model;
    TrackRecord& track = model.SlotForWriting(2);
    track.FxTable = {FxRecord{"VST", "VST: ReaEQ (Cockos)", "reaeq.dll", false},
                     FxRecord{"JS", "utility/volume", "", false}, FxRecord{"AU", "<b>x</b> & y", "", false}};
    EXPECT_EQ(FxListText(model, 2, WithSeparator("Space")), "VST: ReaEQ (Cockos) utility/volume <b>x</b> & y");
    EXPECT_EQ(FxListText(model, 1, WithSeparator("Space")), "");
}

TEST(SummaryLists, RoutingListsNameTheOtherTrack)
{
    const ProjectModel model = ChainOfThreeTracks();
    const Preferences preferences;
    EXPECT_EQ(ReceiveListText(model, 2, preferences), "Trk 1:Drums");
    EXPECT_EQ(SendListText(model, 2, preferences), "Trk 3:Bus");
    EXPECT_EQ(SendListText(model, 1, preferences), "Trk 2:Sub");
    EXPECT_EQ(ReceiveListText(model, 1, preferences), "");
    EXPECT_EQ(ReceiveListText(model, 3, preferences), "Trk 2:Sub");
    EXPECT_EQ(SendListText(model, 3, preferences), "");
}

TEST(SummaryLists, SeparatorsStandOnlyBetweenListedEntries)
{
    ProjectModel model = ChainOfThreeTracks();
    model.SlotForWriting(4).Name = "Keys";
    // Track 4's entries mix both kinds, the other kind first and last.
    for (const auto& [kind, other] : std::vector<std::pair<std::string, std::string>>{
             {"R", "1"}, {"S", "2"}, {"R", "3"}, {"S", "3"}, {"S", "2"}, {"R", "2"}})
        AddRouting(model, 4, kind, other);
    const Preferences comma = WithSeparator("Comma");
    EXPECT_EQ(SendListText(model, 4, comma), "Trk 2:Sub,Trk 3:Bus,Trk 2:Sub");
    EXPECT_EQ(ReceiveListText(model, 4, comma), "Trk 1:Drums,Trk 3:Bus,Trk 2:Sub");
}

TEST(SummaryLists, TwoSendsToOneTrackAreListedTwice)
{
    ProjectModel model = ChainOfThreeTracks();
    AddRouting(model, 1, "S", "2");
    EXPECT_EQ(SendListText(model, 1, WithSeparator("Tab")), "Trk 2:Sub\tTrk 2:Sub");
}

TEST(SummaryLists, KindsAreMatchedExactly)
{
    ProjectModel model = ChainOfThreeTracks();
    AddRouting(model, 3, "r", "1");
    AddRouting(model, 3, "s", "1");
    AddRouting(model, 3, "S ", "1");
    AddRouting(model, 3, "", "1");
    EXPECT_EQ(ReceiveListText(model, 3, WithSeparator("Space")), "Trk 2:Sub");
    EXPECT_EQ(SendListText(model, 3, WithSeparator("Space")), "");
}

TEST(SummaryLists, AnUnnamedOrUnknownTrackLeavesTheEntryEndingInAColon)
{
    ProjectModel model = ChainOfThreeTracks();
    model.SlotForWriting(5);  // exists, has no name
    AddRouting(model, 1, "S", "5");
    AddRouting(model, 1, "S", "32767");  // no slot this high
    AddRouting(model, 1, "S", "0");      // slot 0 never has a name shown
    EXPECT_EQ(SendListText(model, 1, WithSeparator("Space")), "Trk 2:Sub Trk 5: Trk 32767: Trk 0:");
}

TEST(SummaryLists, TheNumberIsShownAsStored)
{
    ProjectModel model = ChainOfThreeTracks();
    AddRouting(model, 3, "R", "x");
    AddRouting(model, 3, "R", "99999999999999999999");
    EXPECT_EQ(ReceiveListText(model, 3, WithSeparator("Comma")), "Trk 2:Sub,Trk x:,Trk 99999999999999999999:");
}

}  // namespace
}  // namespace sondrel
