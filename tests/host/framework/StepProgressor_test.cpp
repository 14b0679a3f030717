#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/framework/StepProgressor.h"

namespace {

using host::StepProgressor;

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
        SCOPED_TRACE(testing::Message() << "max " << c.max << " step " << c.step << " start " << c.start);
        EXPECT_EQ(bar.Position(), c.expected);
        EXPECT_EQ(bar.HistoryLines().back(), "Step " + std::to_string(c.expected));  // the bar shows each step
    }
}

}  // namespace
