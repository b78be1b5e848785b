#include <gtest/gtest.h>

#include "model/project_model.h"

namespace sondrel {
namespace {

TEST(ProjectModel, SlotsGrowOnWritingReadAsEmptyBeyondAndClearLeavesSlotZero)
{
    ProjectModel model;
    ASSERT_EQ(model.Tracks.size(), 1u) << "slot 0 exists from the start";
    model.SlotForWriting(3).Name = "three";
    model.SlotForWriting(2).FxTable.emplace_back();
    EXPECT_EQ(model.Tracks.size(), 4u) << "writing an existing slot does not grow the table";
    EXPECT_EQ(model.Track(3).Name, "three");
    EXPECT_EQ(model.Track(2).FxCount(), 1);
    EXPECT_EQ(model.Track(4).ItemCount(), 0);
    EXPECT_EQ(model.Track(-1).FxCount(), 0);
    model.Info.TrackCount = 2;
    model.Info.Notes = "|x";
    model.Info.Tempo = 120;
    model.Clear();
    EXPECT_EQ(model.Info.TrackCount, 0);
    EXPECT_EQ(model.Info.Notes, "");
    EXPECT_EQ(model.Info.Tempo, 0.0f);
    ASSERT_EQ(model.Tracks.size(), 1u);
    EXPECT_EQ(model.Track(2).FxCount(), 0);
}

}  // namespace
}  // namespace sondrel
