// The action file format through files on disk.
#include "common/Action.h"
#include "common/MemFile.h"
#include "common/Win32File.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

CAction SampleAction()
{
    CAction action;
    action.strId = "DiskSample";
    action.strTitle = "Sample";
    action.lstCommands = {"one", "two"};
    FileTarget target;
    target.strName = "C:\\Temp";
    target.dwType = TT_CONTENT;
    action.lstFiles.push_back(target);
    action.strDescription = "On disk.";
    return action;
}

}  // namespace

TEST(Win32File, ActionOnDiskHasTheSameBytesAsInMemoryAndReadsBack)
{
    CTempFolder folder;
    const std::string strPath = folder / "sample.pld";
    const CAction action = SampleAction();
    {
        CWin32File file;
        ASSERT_TRUE(file.Open(strPath.c_str(), CWin32File::OM_CREATE));
        ASSERT_TRUE(action.Write(file));
        EXPECT_EQ(file.GetPosition(), file.GetLength());
    }
    CMemFile memory;
    action.Write(memory);
    const std::vector<unsigned char>& expected = memory.GetData();
    EXPECT_EQ(ReadFileBytes(strPath), std::string(expected.begin(), expected.end()));

    CWin32File file;
    ASSERT_TRUE(file.Open(strPath.c_str(), CWin32File::OM_READ));
    CAction read;
    ASSERT_TRUE(read.Read(file));
    EXPECT_EQ(read, action);
}

TEST(Win32File, OpenModes)
{
    CTempFolder folder;
    const std::string strMissing = folder / "missing.pld";
    CWin32File file;
    EXPECT_FALSE(file.Open(strMissing.c_str(), CWin32File::OM_READ));
    EXPECT_FALSE(file.Open(strMissing.c_str(), CWin32File::OM_WRITE_EXISTING));
    EXPECT_EQ(GetFileAttributesA(strMissing.c_str()), INVALID_FILE_ATTRIBUTES);

    // Writing into an existing file overwrites from the start and keeps the rest.
    const std::string strExisting = folder / "existing.bin";
    ASSERT_TRUE(WriteFileBytes(strExisting, "0123456789"));
    ASSERT_TRUE(file.Open(strExisting.c_str(), CWin32File::OM_WRITE_EXISTING));
    EXPECT_TRUE(file.Write("ab", 2));
    file.Close();
    EXPECT_EQ(ReadFileBytes(strExisting), "ab23456789");

    ASSERT_TRUE(file.Open(strExisting.c_str(), CWin32File::OM_CREATE));
    file.Close();
    EXPECT_EQ(ReadFileBytes(strExisting), "");
}
