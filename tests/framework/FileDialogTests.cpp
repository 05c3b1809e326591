// The open-file dialog: what it hands back, split into full paths, and the
// system's own dialog answered as a user would.
#include "framework/FileDialog.h"

#include "tests/support/ModalAnswers.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <dlgs.h>

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

TEST(FileDialog, ReturnsTheFilesTheUserPicked)
{
    CTempFolder folder;
    for (const char* pszName : {"one.pld", "two.pld", "three.txt"})
        ASSERT_TRUE(WriteFileBytes(folder / pszName, pszName));
    // The user goes to the folder, then names two of its files.
    CModalAnswers answers;
    const std::string strFolder = folder.Path();
    answers.Add([strFolder](HWND hDialog) {
        SetDlgItemTextA(hDialog, cmb13, strFolder.c_str());
        ClickButton(hDialog, IDOK);
        SetDlgItemTextA(hDialog, cmb13, "\"one.pld\" \"three.txt\"");
        ClickButton(hDialog, IDOK);
    });
    Paths paths = ChooseFilesToOpen(nullptr);
    EXPECT_EQ(answers.Pending(), 0u);
    for (std::string& strPath : paths) {
        char szLong[MAX_PATH] = "";
        GetLongPathNameA(strPath.c_str(), szLong, MAX_PATH);
        strPath = szLong;
    }
    EXPECT_EQ(paths, Paths({folder / "one.pld", folder / "three.txt"}));

    answers.Press(IDCANCEL);
    EXPECT_TRUE(ChooseFilesToOpen(nullptr).empty());
}
