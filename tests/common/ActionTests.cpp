// The totals of a clean: added field by field, each counter wrapping.
#include "common/Action.h"

#include <gtest/gtest.h>

TEST(CleanStats, AddsFieldByFieldAndEachCounterWraps)
{
    CleanStats total;
    total.dwReleasedSpace = 0xFFFFFFF0u;
    total.nDeletedFiles = 1;
    total.nUpdatedFiles = 0xFFFFFFFFu;
    total.nRebootFiles = 3;
    total.nDeletedRegEntries = 4;
    const CleanStats step = {0x20, 2, 1, 10, 5};

    total += step;
    const CleanStats expected = {0x10, 3, 0, 13, 9};
    EXPECT_EQ(total, expected);
    EXPECT_EQ(CleanStats() + step, step);
    EXPECT_FALSE(CleanStats() == step);
}
