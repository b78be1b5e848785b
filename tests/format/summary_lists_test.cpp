#include <gtest/gtest.h>

#include <string>
#include <utility>
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

using Entries = std::vector<std::pair<std::string, std::string>>;  // kind and other track, as stored

// Tracks 1 Drums, 2 Sub and 3 Bus: track 2 receives from track 1 and track 3
// from track 2, each receive mirrored as a send on its source track; track 5
// exists without a name; then the given entries on track 4.
ProjectModel ChainOfThreeTracksAnd(const Entries& onTrackFour = {})
{
    ProjectModel model;
    model.SlotForWriting(1).Name = "Drums";
    model.SlotForWriting(2).Name = "Sub";
    model.SlotForWriting(3).Name = "Bus";
    model.SlotForWriting(5);
    const std::pair<int, Entries> chain[] = {
        {2, {{"R", "1"}, {"S", "3"}}}, {1, {{"S", "2"}}}, {3, {{"R", "2"}}}, {4, onTrackFour}};
    for (const auto& [track, entries] : chain)
        for (const auto& [kind, other] : entries)
            model.SlotForWriting(track).ReceiveTable.push_back(ReceiveRecord{kind, other, 0, 0, false});
    return model;
}

TEST(SummaryLists, SeparatorChoiceJoinsTheNames)
{
    const std::pair<const char*, const char*> choices[] = {
        {"<BR>", "<BR>"}, {"Space", " "}, {"Tab", "\t"}, {"Comma", ","},
        // Anything else, letter case included, is a comma and a space.
        {"comma", ", "}, {"<br>", ", "}, {"", ", "}, {"Semicolon", ", "}, {" Tab", ", "}};
    ProjectModel model;
    model.SlotForWriting(1).FxTable = {FxRecord{"VST", "A", "a.dll", false}, FxRecord{"JS", "B", "", true}};
    for (const auto& [choice, separator] : choices) {
        EXPECT_EQ(ListSeparatorText(WithSeparator(choice)), separator) << choice;
        EXPECT_EQ(FxListText(model, 1, WithSeparator(choice)), "A" + std::string(separator) + "B") << choice;
    }
}

TEST(SummaryLists, NamesAreListedAsStoredInProjectOrderEmptyOnesIncluded)
{
    ProjectModel model;
    TrackRecord& track = model.SlotForWriting(2);
    for (const char* name : {"Verse", "", "Chorus"})
        track.ItemTable.push_back(ItemRecord{0, 0, name, 0, false, 0, 0});
    track.FxTable = {FxRecord{"VST", "VST: ReaEQ (Cockos)", "reaeq.dll", false},
                     FxRecord{"JS", "utility/volume", "", false}, FxRecord{"AU", "<b>x</b> & y", "", false},
                     FxRecord{"VST", "", "", false}};
    EXPECT_EQ(ItemListText(model, 2, WithSeparator("Comma")), "Verse,,Chorus");
    EXPECT_EQ(FxListText(model, 2, WithSeparator("Space")), "VST: ReaEQ (Cockos) utility/volume <b>x</b> & y ");
}

TEST(SummaryLists, ATrackWithoutEntriesGivesEmptyLists)
{
    const ProjectModel model = ChainOfThreeTracksAnd();
    const Preferences preferences;
    for (int track : {0, 4, 5, 40000, -1}) {
        EXPECT_EQ(FxListText(model, track, preferences), "") << track;
        EXPECT_EQ(ItemListText(model, track, preferences), "") << track;
        EXPECT_EQ(SendListText(model, track, preferences), "") << track;
        EXPECT_EQ(ReceiveListText(model, track, preferences), "") << track;
    }
}

TEST(SummaryLists, RoutingListsNameTheOtherTrack)
{
    const ProjectModel model = ChainOfThreeTracksAnd();
    const Preferences preferences;
    EXPECT_EQ(ReceiveListText(model, 2, preferences), "Trk 1:Drums");
    EXPECT_EQ(SendListText(model, 2, preferences), "Trk 3:Bus");
    EXPECT_EQ(SendListText(model, 1, preferences), "Trk 2:Sub");
    EXPECT_EQ(ReceiveListText(model, 1, preferences), "");
    EXPECT_EQ(ReceiveListText(model, 3, preferences), "Trk 2:Sub");
    EXPECT_EQ(SendListText(model, 3, preferences), "");
}

TEST(SummaryLists, RoutingEntriesOfTrackFour)
{
    struct Case {
        const char* name;
        Entries entries;
        const char* sends;
        const char* receives;
    };
    const std::vector<Case> cases = {
        {"separators stand only between listed entries, the other kind first and last",
         {{"R", "1"}, {"S", "2"}, {"R", "3"}, {"S", "3"}, {"S", "2"}, {"R", "2"}},
         "Trk 2:Sub,Trk 3:Bus,Trk 2:Sub", "Trk 1:Drums,Trk 3:Bus,Trk 2:Sub"},
        {"two sends to one track are listed twice", {{"S", "2"}, {"S", "2"}}, "Trk 2:Sub,Trk 2:Sub", ""},
        // Slot 5 has no name, 32767 has no slot, slot 0 never has a name shown.
        {"an unnamed or unknown track leaves the entry ending in a colon", {{"S", "5"}, {"S", "32767"}, {"S", "0"}},
         "Trk 5:,Trk 32767:,Trk 0:", ""},
    };
    for (const Case& c : cases) {
        const ProjectModel model = ChainOfThreeTracksAnd(c.entries);
        EXPECT_EQ(SendListText(model, 4, WithSeparator("Comma")), c.sends) << c.name;
        EXPECT_EQ(ReceiveListText(model, 4, WithSeparator("Comma")), c.receives) << c.name;
    }
}

}  // namespace
}  // namespace sondrel
