// The action record: reset and the statistics.
#include "common/Action.h"

#include <gtest/gtest.h>

TEST(Action, ResetEmptiesEverything)
{
    CAction action;
    action.dwKind = AK_MRU;
    action.strId = "SMFindHistory";
    action.strTitle = "Title";
    action.strDescription = "Text";
    action.dwWarningLevel = WL_WARNING;
    action.bEnabled = action.bWarned = true;
    action.lstFiles.push_back(FileTarget());
    action.lstKeys.push_back(RegTarget());
    action.lstFreeSpaceDrives = {"C:\\"};
    action.lstRecycleBinDrives = {"C:\\"};
    action.lstCommands = {"cmd"};
    action.lstFilePairs.push_back(FilePairItem());
    action.lstKeyUpdates.push_back(RegUpdate());
    action.lstFileUpdates.push_back(FileUpdate());

    action.Reset();
    EXPECT_EQ(action, CAction());
}

TEST(CleanStats, AddsFieldByFieldAndEachCounterWraps)
{
    CleanStats total;
    total.dwReleasedSpace = 0xFFFFFFF0u;
    total.nDeletedFiles = 1;
    total.nUpdatedFiles = 0xFFFFFFFFu;
    total.nRebootFiles = 3;
    total.nDeletedRegEntries = 4;

    CleanStats step;
    step.dwReleasedSpace = 0x20;
    step.nDeletedFiles = 2;
    step.nUpdatedFiles = 1;
    step.nRebootFiles = 0;
    step.nDeletedRegEntries = 5;

    total += step;
    EXPECT_EQ(total.dwReleasedSpace, 0x10u);
    EXPECT_EQ(total.nDeletedFiles, 3u);
    EXPECT_EQ(total.nUpdatedFiles, 0u);
    EXPECT_EQ(total.nRebootFiles, 3u);
    EXPECT_EQ(total.nDeletedRegEntries, 9u);
    EXPECT_EQ(CleanStats() + step, step);
}
