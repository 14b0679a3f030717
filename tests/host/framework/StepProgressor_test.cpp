#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/framework/StepProgressor.h"

namespace {

using host::StepProgressor;

// The list-click pipeline's bar: position 1 and nine steps end exactly at the upper bound.
TEST(StepProgressor, KeepsTheHistoryOfARunInOrder) {
    StepProgressor bar;
    bar.SetMinRange(1);
    bar.SetMaxRange(10);
    bar.SetStepValue(1);
    bar.SetPosition(1);
    bar.SetMessage("Locating and Buffering Feature...");
    bar.Step();
    bar.Show();
    for (int i = 0; i < 8; ++i) bar.Step();
    bar.Hide();

    std::vector<std::string> lines = bar.HistoryLines();
    ASSERT_EQ(lines.size(), 16u);
    EXPECT_EQ(lines[4], "Message \"Locating and Buffering Feature...\"");
    EXPECT_EQ(lines[5], "Step 2");
    EXPECT_EQ(lines[14], "Step 10");
    EXPECT_EQ(lines[15], "Hide");
}

TEST(StepProgressor, StepNeverPassesTheUpperBound) {
    struct Case {
        long max, step, start;
        int steps;
        long expected;
    };
    const Case cases[] = {
        {10, 1, 9, 3, 10},  // stops at the bound
        {10, 3, 8, 1, 10},  // a step that would jump past it lands on it
        {0, 1, 0, 1, 0},    // an empty table: range 0, one step
        {10, 0, 4, 5, 4},   // a step value of 0 (the export's rounding of a small count)
        {5, 1, 7, 1, 7},    // a position put past the bound by hand is not pulled back
        {10, -2, 6, 2, 2},  // a negative step goes back
    };
    for (const Case& c : cases) {
        StepProgressor bar;
        bar.SetMaxRange(c.max);
        bar.SetStepValue(c.step);
        bar.SetPosition(c.start);
        for (int i = 0; i < c.steps; ++i) bar.Step();
        EXPECT_EQ(bar.Position(), c.expected) << "max " << c.max << " step " << c.step << " start " << c.start;
    }
}

}  // namespace
