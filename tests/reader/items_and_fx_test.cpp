// Items with their takes, and the FX of a track.
#include <gtest/gtest.h>

#include "reader_test_support.h"

namespace sondrel {
namespace {

using testing::Project;
using testing::Read;

TEST(ReadItems, BlocksInsideAnItemDoNotEndIt)
{
    const ProjectModel model = Read(Project({
        "<TRACK",
        "  NAME track",
        "  VOLPAN 0.5 0.5",
        "  <ITEM",
        "    POSITION 2",
        "    <SOURCE SECTION",
        "      LENGTH 99",
        "      <SOURCE WAVE",
        "        FILE \"a.wav\"",
        "      >",
        "    >",
        "    LENGTH 4",
        "    NAME item",
        "    VOLPAN 0.25 -1",
        "    MUTE 1 0",
        "    GROUP 3",
        "  >",
        ">",
    }));
    const TrackRecord& track = model.Track(1);
    EXPECT_EQ(track.Name, "track");
    EXPECT_EQ(track.Volume, 0.5f);
    EXPECT_EQ(track.Pan, 0.5f);
    ASSERT_EQ(track.ItemCount(), 1);
    const ItemRecord& item = track.ItemTable[0];
    EXPECT_EQ(item.Position, 2.0f);
    EXPECT_EQ(item.Length, 4.0f);
    EXPECT_EQ(item.Name, "item");
    EXPECT_EQ(item.Volume, 0.25f);
    EXPECT_EQ(item.Pan, -1.0f);
    EXPECT_TRUE(item.Mute);
    EXPECT_EQ(item.Group, 3);
}

TEST(ReadItems, NothingInsideAnItemReachesTheTrack)
{
    const ProjectModel model = Read(Project({
        "<TRACK",
        "  <FXCHAIN",
        "    BYPASS 0 0",
        "  >",
        "  <ITEM",
        "    BYPASS 1 0",
        "    ISBUS 1 1",
        "    MUTESOLO 1 1",
        "    AUXRECV 0 0 1 0 0",
        "    <ITEM",
        "    >",
        "    <TRACK",
        "    >",
        "    <TAKEFX",
        "      BYPASS 1 0",
        "      <VST \"VST: take fx\" take.dll",
        "      >",
        "    >",
        "  >",
        "  <FXCHAIN",
        "    <VST \"VST: track fx\" track.dll",
        "    >",
        "  >",
        ">",
    }));
    ASSERT_EQ(model.Info.TrackCount, 1);
    const TrackRecord& track = model.Track(1);
    EXPECT_EQ(track.ItemCount(), 1);
    EXPECT_FALSE(track.IsGroup);
    EXPECT_FALSE(track.Mute);
    EXPECT_EQ(track.ReceiveCount(), 0);
    ASSERT_EQ(track.FxCount(), 1);
    EXPECT_EQ(track.FxTable[0].Name, "VST: track fx");
    EXPECT_FALSE(track.FxTable[0].Bypassed);
}

TEST(ReadItems, ItemKeywordsOfNestedBlocksAreSkipped)
{
    const ProjectModel model = Read(Project({
        "<TRACK",
        "  <ITEM",
        "    POSITION 1",
        "    NAME own",
        "    <NOTES",
        "      |NAME not",
        "    >",
        "    <VOLENV",
        "      POSITION 5",
        "      NAME envelope",
        "      VOLPAN 0 0",
        "    >",
        "  >",
        ">",
    }));
    const ItemRecord& item = model.Track(1).ItemTable.at(0);
    EXPECT_EQ(item.Position, 1.0f);
    EXPECT_EQ(item.Name, "own");
    EXPECT_EQ(item.Volume, 0.0f);
}

// The item's name is that of its active take.
TEST(ReadItems, ActiveTakeNames)
{
    struct Case {
        const char* name;
        std::vector<std::string> lines;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"first take by default", {"NAME one", "TAKE", "NAME two"}, "one"},
        {"a selected later take", {"NAME one", "TAKE SEL", "NAME two", "TAKE", "NAME three"}, "two"},
        {"the last selected counts", {"NAME one", "TAKE SEL", "NAME two", "TAKE NULL SEL", "NAME three"}, "three"},
        {"a selected take without a name", {"NAME one", "TAKE SEL", "TAKE", "NAME three"}, ""},
        {"an empty first take", {"TAKE NULL", "NAME two"}, ""},
        {"the last name within a take", {"NAME one", "NAME again"}, "again"},
        {"SEL among later fields", {"NAME one", "TAKE NULL SEL", "NAME two"}, "two"},
        {"the item's own SEL line is not a take", {"NAME one", "SEL 1", "TAKE", "NAME two"}, "one"},
    };
    for (const Case& c : cases) {
        std::string text = "<TRACK\n<ITEM\n";
        for (const std::string& line : c.lines)
            text += line + "\n";
        text += ">\n>\n";
        const ProjectModel model = Read(text);
        ASSERT_EQ(model.Track(1).ItemCount(), 1) << c.name;
        EXPECT_EQ(model.Track(1).ItemTable[0].Name, c.expected) << c.name;
    }
}

TEST(ReadItems, VolumeFromTheItemsOwnLevelLastLineCounts)
{
    const ProjectModel model = Read(Project({
        "<TRACK",
        "  <ITEM",
        "    VOLPAN 1",
        "    TAKE SEL",
        "    TAKEVOLPAN 0.1 0.2 1 -1",
        "    VOLPAN 0.5 0.5 1 -1",
        "  >",
        ">",
    }));
    const ItemRecord& item = model.Track(1).ItemTable.at(0);
    EXPECT_EQ(item.Volume, 0.5f);
    EXPECT_EQ(item.Pan, 0.5f);
}

TEST(ReadItems, ExactNameOfTheActiveTake)
{
    const ProjectModel model = Read(Project({
        "<TRACK",
        "  <ITEM",
        "    NAME `a\"b'c`",
        "    <NAME",
        "      |a\"b'c`d",
        "    >",
        "    TAKE",
        "    NAME other",
        "    <NAME",
        "      |not active",
        "    >",
        "  >",
        ">",
    }));
    EXPECT_EQ(model.Track(1).ItemTable.at(0).Name, "a\"b'c`d");
}

TEST(ReadItems, ItemFieldsAreLenientExceptVolumeAndPan)
{
    const ProjectModel model = Read(Project({
        "<TRACK", "  <ITEM", "    POSITION abc", "    LENGTH", "    MUTE x", "    GROUP y", "  >", ">"}));
    const ItemRecord& item = model.Track(1).ItemTable.at(0);
    EXPECT_EQ(item.Position, 0.0f);
    EXPECT_EQ(item.Length, 0.0f);
    EXPECT_FALSE(item.Mute);
    EXPECT_EQ(item.Group, 0);
    EXPECT_EQ(testing::ReadFailure(Project({"<TRACK", "  <ITEM", "    VOLPAN abc 0", "  >", ">"})),
              "test.rpp, line 3: \"abc\" is not a number");
}

TEST(ReadFx, EveryPluginKindIsAnFx)
{
    const ProjectModel model = Read(Project({
        "<TRACK",
        "  <FXCHAIN",
        "    <VST \"VST: ReaEQ (Cockos)\" reaeq.dll 0 \"\"",
        "    >",
        "    <DX \"DX: Old\" \"old dx.dll\"",
        "    >",
        "    <JS utility/volume \"\"",
        "    >",
        "    <AU \"AU: AUBandpass (Apple)\" \"Apple: AUBandpass\" \"\" 1",
        "    >",
        "    <CLAP \"CLAPi: Surge XT (Surge Synth Team)\" org.surge-synth-team.surge-xt \"\"",
        "    >",
        "    <LV2 \"LV2: Calf Reverb\" http://calf.sourceforge.net/plugins/Reverb",
        "    >",
        "    <VIDEO_EFFECT \"Video processor\" \"\"",
        "      <CODE",
        "        |// code",
        "      >",
        "    >",
        "    <CONTAINER Container \"\"",
        "      <JS inner/one \"\"",
        "      >",
        "      <CONTAINER Inner \"\"",
        "        <VST \"VST: deep\" deep.dll",
        "        >",
        "      >",
        "    >",
        "    <JS_SER",
        "    >",
        "  >",
        ">",
    }));
    const TrackRecord& track = model.Track(1);
    struct Expected {
        const char* type;
        const char* name;
        const char* dll;
    };
    const Expected expected[] = {
        {"VST", "VST: ReaEQ (Cockos)", "reaeq.dll"},
        {"DX", "DX: Old", "old dx.dll"},
        {"JS", "utility/volume", ""},
        {"AU", "AU: AUBandpass (Apple)", "Apple: AUBandpass"},
        {"CLAP", "CLAPi: Surge XT (Surge Synth Team)", "org.surge-synth-team.surge-xt"},
        {"LV2", "LV2: Calf Reverb", "http://calf.sourceforge.net/plugins/Reverb"},
        {"VIDEO_EFFECT", "Video processor", ""},
        {"JS", "inner/one", ""},
        {"VST", "VST: deep", "deep.dll"},
    };
    ASSERT_EQ(track.FxCount(), 9);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(track.FxTable[i].FxType, expected[i].type) << i;
        EXPECT_EQ(track.FxTable[i].Name, expected[i].name) << i;
        EXPECT_EQ(track.FxTable[i].Dll, expected[i].dll) << i;
    }
}

TEST(ReadFx, BypassStaysUntilTheNextBypassLine)
{
    const ProjectModel model = Read(Project({
        "<TRACK",
        "  <FXCHAIN",
        "    BYPASS 1 0",
        "    <VST one",
        "    >",
        "    <VST two",
        "    >",
        "    BYPASS 0 0 0",
        "    <VST three",
        "    >",
        "    BYPASS 2",
        "    <VST four",
        "    >",
        "  >",
        "  <FXCHAIN_REC",
        "    BYPASS 1",
        "    <JS input",
        "    >",
        "  >",
        ">",
    }));
    const TrackRecord& track = model.Track(1);
    ASSERT_EQ(track.FxCount(), 5);
    EXPECT_TRUE(track.FxTable[0].Bypassed);
    EXPECT_TRUE(track.FxTable[1].Bypassed);
    EXPECT_FALSE(track.FxTable[2].Bypassed);
    EXPECT_FALSE(track.FxTable[3].Bypassed);
    EXPECT_TRUE(track.FxTable[4].Bypassed);
}

TEST(ReadFx, FrozenMaterialIsSkippedWhole)
{
    const ProjectModel model = Read(Project({
        "<TRACK",
        "  NAME frozen",
        "  <FREEZE 0",
        "    <FXCHAIN",
        "      BYPASS 1 0",
        "      <VST \"VSTi: stored\" stored.dll",
        "      >",
        "    >",
        "    <ITEM {GUID}",
        "      NAME stored",
        "    >",
        "    NAME inside",
        "  >",
        "  <FXCHAIN",
        "    <VST \"VST: live\" live.dll",
        "    >",
        "  >",
        "  <ITEM",
        "  >",
        ">",
    }));
    const TrackRecord& track = model.Track(1);
    EXPECT_EQ(track.Name, "frozen");
    ASSERT_EQ(track.FxCount(), 1);
    EXPECT_EQ(track.FxTable[0].Name, "VST: live");
    EXPECT_FALSE(track.FxTable[0].Bypassed);
    EXPECT_EQ(track.ItemCount(), 1);
}

}  // namespace
}  // namespace sondrel
