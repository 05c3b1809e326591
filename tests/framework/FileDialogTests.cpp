// The open-file dialog: what it hands back, split into full paths, and the
// system's own dialog answered as a user would.
#include "framework/FileDialog.h"

#include "tests/support/ModalAnswers.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <dlgs.h>

namespace {

typedef std::vector<std::string> Paths;

}  // namespace

TEST(FileDialog, SelectionSplitsIntoFullPaths)
{
    const struct {
        std::string selection;  // as the dialog writes it, zeros included
        Paths expected;
    } cases[] = {
        {std::string("C:\\Plugins\\one.pld\0\0", 20), {"C:\\Plugins\\one.pld"}},
        {std::string("C:\\Downloads\0one.pld\0two.pld\0\0", 30),
         {"C:\\Downloads\\one.pld", "C:\\Downloads\\two.pld"}},
        {std::string("C:\\\0a.pld\0b.pld\0\0", 17), {"C:\\a.pld", "C:\\b.pld"}},
        {std::string("\0\0", 2), {}},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.selection.c_str());
        EXPECT_EQ(SplitFileSelection(test.selection.c_str()), test.expected);
    }
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
    const Paths paths = ChooseFilesToOpen(nullptr);
    EXPECT_EQ(answers.Pending(), 0u);
    ASSERT_EQ(paths.size(), 2u);
    for (size_t n = 0; n < paths.size(); ++n) {
        char szLong[MAX_PATH] = "";
        GetLongPathNameA(paths[n].c_str(), szLong, MAX_PATH);
        EXPECT_EQ(lstrcmpiA(szLong, (folder / (n == 0 ? "one.pld" : "three.txt")).c_str()), 0)
            << paths[n];
    }

    answers.Press(IDCANCEL);
    EXPECT_TRUE(ChooseFilesToOpen(nullptr).empty());
}
