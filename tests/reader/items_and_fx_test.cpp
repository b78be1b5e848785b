// Items with their takes, and the FX of a track.
#include <gtest/gtest.h>

#include "reader_test_support.h"

namespace sondrel {
namespace {

using namespace testing;

// Blocks inside an item neither end it nor give it their keywords.
TEST(ReadItems, BlocksInsideAnItemDoNotEndIt)
{
    const ProjectModel model = Read(Project({
        "<TRACK", "  NAME track", "  VOLPAN 0.5 0.5", "  <ITEM", "    POSITION 2",
        "    <SOURCE SECTION", "      LENGTH 99", "      <SOURCE WAVE", "        FILE \"a.wav\"", "      >", "    >",
        "    LENGTH 4", "    NAME item", "    VOLPAN 0.25 -1", "    MUTE 1 0", "    GROUP 3",
        "    <NOTES", "      |NAME not", "    >",
        "    <VOLENV", "      POSITION 5", "      NAME envelope", "      VOLPAN 0 0", "    >", "  >", ">",
    }));
    EXPECT_EQ(Mixer(model.Track(1)), "track 0.5 0.5");
    EXPECT_EQ(Items(model.Track(1)), Lines{"item 2 4 0.25 -1 3 mute"});
}

TEST(ReadItems, NothingInsideAnItemReachesTheTrack)
{
    const ProjectModel model = Read(Project({
        "<TRACK", "  <FXCHAIN", "    BYPASS 0 0", "  >",
        "  <ITEM", "    BYPASS 1 0", "    ISBUS 1 1", "    MUTESOLO 1 1", "    AUXRECV 0 0 1 0 0",
        "    <ITEM", "    >", "    <TRACK", "    >",
        "    <TAKEFX", "      BYPASS 1 0", "      <VST \"VST: take fx\" take.dll", "      >", "    >", "  >",
        "  <FXCHAIN", "    <VST \"VST: track fx\" track.dll", "    >", "  >", ">",
    }));
    ASSERT_EQ(model.Info.TrackCount, 1);
    const TrackRecord& track = model.Track(1);
    EXPECT_EQ(Mixer(track), " 0 0");
    EXPECT_EQ(track.ItemCount(), 1);
    EXPECT_EQ(track.ReceiveCount(), 0);
    EXPECT_EQ(Fx(track), Lines{"VST|VST: track fx|track.dll"});
}

// The item's name is that of its active take.
TEST(ReadItems, ActiveTakeNames)
{
    struct Case {
        const char* name;
        Lines lines;
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
        {"the exact name of the active take",
         {"NAME `a\"b'c`", "<NAME", "|a\"b'c`d", ">", "TAKE", "NAME other", "<NAME", "|not active", ">"}, "a\"b'c`d"},
    };
    for (const Case& c : cases) {
        std::string text = "<TRACK\n<ITEM\n";
        for (const std::string& line : c.lines)
            text += line + "\n";
        const ProjectModel model = Read(text + ">\n>\n");
        ASSERT_EQ(model.Track(1).ItemCount(), 1) << c.name;
        EXPECT_EQ(model.Track(1).ItemTable[0].Name, c.expected) << c.name;
    }
}

TEST(ReadItems, VolumeFromTheItemsOwnLevelLastLineCounts)
{
    const ProjectModel model = Read(Project({
        "<TRACK", "  <ITEM", "    VOLPAN 1", "    TAKE SEL", "    TAKEVOLPAN 0.1 0.2 1 -1", "    VOLPAN 0.5 0.5 1 -1",
        "  >", ">",
    }));
    EXPECT_EQ(Items(model.Track(1)), Lines{" 0 0 0.5 0.5 0"});
}

TEST(ReadItems, ItemFieldsAreLenientExceptVolumeAndPan)
{
    const ProjectModel model = Read(Project({
        "<TRACK", "  <ITEM", "    POSITION abc", "    LENGTH", "    MUTE x", "    GROUP y", "    VOLPAN 1 0", "  >", ">"}));
    EXPECT_EQ(Items(model.Track(1)), Lines{" 0 0 1 0 0"});
    EXPECT_EQ(ReadFailure(Project({"<TRACK", "  <ITEM", "    VOLPAN abc 0", "  >", ">"})),
              "test.rpp, line 3: \"abc\" is not a number");
}

TEST(ReadFx, EveryPluginKindIsAnFx)
{
    const ProjectModel model = Read(Project({
        "<TRACK", "  <FXCHAIN", "    <VST \"VST: ReaEQ (Cockos)\" reaeq.dll 0 \"\"", "    >",
        "    <DX \"DX: Old\" \"old dx.dll\"", "    >", "    <JS utility/volume \"\"", "    >",
        "    <AU \"AU: AUBandpass (Apple)\" \"Apple: AUBandpass\" \"\" 1", "    >",
        "    <CLAP \"CLAPi: Surge XT (Surge Synth Team)\" org.surge-synth-team.surge-xt \"\"", "    >",
        "    <LV2 \"LV2: Calf Reverb\" http://calf.sourceforge.net/plugins/Reverb", "    >",
        "    <VIDEO_EFFECT \"Video processor\" \"\"", "      <CODE", "        |// code", "      >", "    >",
        "    <CONTAINER Container \"\"", "      <JS inner/one \"\"", "      >",
        "      <CONTAINER Inner \"\"", "        <VST \"VST: deep\" deep.dll", "        >", "      >", "    >",
        "    <JS_SER", "    >", "  >", ">",
    }));
    EXPECT_EQ(Fx(model.Track(1)), (Lines{
                                      "VST|VST: ReaEQ (Cockos)|reaeq.dll", "DX|DX: Old|old dx.dll",
                                      "JS|utility/volume|", "AU|AU: AUBandpass (Apple)|Apple: AUBandpass",
                                      "CLAP|CLAPi: Surge XT (Surge Synth Team)|org.surge-synth-team.surge-xt",
                                      "LV2|LV2: Calf Reverb|http://calf.sourceforge.net/plugins/Reverb",
                                      "VIDEO_EFFECT|Video processor|", "JS|inner/one|", "VST|VST: deep|deep.dll",
                                  }));
}

TEST(ReadFx, BypassStaysUntilTheNextBypassLine)
{
    const ProjectModel model = Read(Project({
        "<TRACK", "  <FXCHAIN", "    BYPASS 1 0", "    <VST one", "    >", "    <VST two", "    >",
        "    BYPASS 0 0 0", "    <VST three", "    >", "    BYPASS 2", "    <VST four", "    >", "  >",
        "  <FXCHAIN_REC", "    BYPASS 1", "    <JS input", "    >", "  >", ">",
    }));
    EXPECT_EQ(Fx(model.Track(1)),
              (Lines{"VST|one||bypassed", "VST|two||bypassed", "VST|three|", "VST|four|", "JS|input||bypassed"}));
}

TEST(ReadFx, FrozenMaterialIsSkippedWhole)
{
    const ProjectModel model = Read(Project({
        "<TRACK", "  NAME frozen",
        "  <FREEZE 0", "    <FXCHAIN", "      BYPASS 1 0", "      <VST \"VSTi: stored\" stored.dll", "      >", "    >",
        "    <ITEM {GUID}", "      NAME stored", "    >", "    NAME inside", "  >",
        "  <FXCHAIN", "    <VST \"VST: live\" live.dll", "    >", "  >", "  <ITEM", "  >", ">",
    }));
    const TrackRecord& track = model.Track(1);
    EXPECT_EQ(track.Name, "frozen");
    EXPECT_EQ(Fx(track), Lines{"VST|VST: live|live.dll"});
    EXPECT_EQ(track.ItemCount(), 1);
}

}  // namespace
}  // namespace sondrel
