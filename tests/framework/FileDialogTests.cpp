// The open-file dialog's selection, split into full paths.
#include "framework/FileDialog.h"

#include <gtest/gtest.h>

typedef std::vector<std::string> Paths;

// As the dialog writes it, zeros included: one file, or a folder and names.
TEST(FileDialog, SelectionSplitsIntoFullPaths)
{
    EXPECT_EQ(SplitFileSelection("C:\\Plugins\\one.pld\0"), Paths({"C:\\Plugins\\one.pld"}));
    EXPECT_EQ(SplitFileSelection("C:\\Downloads\0one.pld\0two.pld\0"),
              Paths({"C:\\Downloads\\one.pld", "C:\\Downloads\\two.pld"}));
    EXPECT_EQ(SplitFileSelection("C:\\\0a.pld\0b.pld\0"), Paths({"C:\\a.pld", "C:\\b.pld"}));
    EXPECT_EQ(SplitFileSelection("\0"), Paths());
}
