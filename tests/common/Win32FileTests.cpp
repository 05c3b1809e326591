// How each open mode treats a missing and an existing file.
#include "common/Win32File.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

TEST(Win32File, OpenModes)
{
    const struct {
        CWin32File::OpenMode mode;
        bool bOpensMissing;
        const char* existingAfterWrite;  // "0123456789" before, "ab" written
    } cases[] = {
        {CWin32File::OM_READ, false, "0123456789"},
        {CWin32File::OM_WRITE_EXISTING, false, "ab23456789"},
        {CWin32File::OM_WRITE_ALWAYS, true, "ab23456789"},
        {CWin32File::OM_CREATE, true, "ab"},
    };
    CTempFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        const std::string strMissing = folder / "missing", strExisting = folder / "existing";
        CWin32File file;
        EXPECT_EQ(file.Open(strMissing.c_str(), c.mode), c.bOpensMissing);
        file.Close();
        EXPECT_EQ(FileExists(strMissing), c.bOpensMissing);
        DeleteFileA(strMissing.c_str());

        ASSERT_TRUE(WriteFileBytes(strExisting, "0123456789"));
        ASSERT_TRUE(file.Open(strExisting.c_str(), c.mode));
        EXPECT_EQ(file.Write("ab", 2), c.mode != CWin32File::OM_READ);
        file.Close();
        EXPECT_EQ(ReadFileBytes(strExisting), c.existingAfterWrite);
    }
}
