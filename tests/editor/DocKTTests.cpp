// The plugin document: a plugin file read into one action and written back.
#include "editor/DocKT.h"

#include "tests/support/ModalAnswers.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A view that notes when the document asks it to store its fields.
class CNotingView : public CView {
public:
    void OnUpdate(CView*, long) override { ++m_nUpdates; }
    int m_nUpdates = 0;
};

CAction SomePlugin()
{
    CAction action;
    action.strId = "Cookies";
    action.strTitle = "Clear the cookies";
    action.bEnabled = true;
    action.dwKind = AK_RECYCLEBIN;
    FileTarget target;
    target.strName = "[PATH_SYS_SHELL_COOKIES]";
    target.dwType = TT_CONTENT;
    action.lstFiles = {target};
    action.lstFreeSpaceDrives = {"D:\\"};
    action.lstFilePairs = {{"a", "b", 7}};
    action.dwWarningLevel = WL_WARNING;
    action.strDescription = "Two\r\nlines";
    return action;
}

class PluginDocument : public ::testing::Test {
protected:
    CTempFolder m_folder;
};

}  // namespace

TEST_F(PluginDocument, ANewDocumentSavesAsTheEmptyPluginAfterTheViewsStoredTheirFields)
{
    CDocKT document;
    CNotingView view;
    document.AddView(&view);
    const std::string strPath = m_folder / "Plugin1.pld";
    ASSERT_TRUE(document.OnSaveDocument(strPath));
    EXPECT_EQ(view.m_nUpdates, 1);
    const std::string bytes = ReadFileBytes(strPath);
    EXPECT_EQ(bytes.size(), 77u);
    EXPECT_EQ(bytes, PluginBytes(CAction()));
    EXPECT_EQ(document.GetPathName(), strPath);
    EXPECT_EQ(document.GetTitle(), "Plugin1.pld");
}

TEST_F(PluginDocument, OpensAndSavesEveryFieldAndTheOlderLayoutSilently)
{
    const CAction plugin = SomePlugin();
    const std::string strOld = m_folder / "old.pld";
    // The older layout ends after the file pairs: no updates, warning level
    // or description.
    CAction older = plugin;
    older.dwWarningLevel = WL_INFORMATION;
    older.strDescription.clear();
    const std::string full = PluginBytes(older);
    ASSERT_TRUE(WriteFileBytes(strOld, full.substr(0, full.size() - 16)));

    CModalAnswers answers;  // none expected
    CDocKT document;
    ASSERT_TRUE(document.OnOpenDocument(strOld));
    EXPECT_EQ(document.m_plugin, older);
    const std::string strNew = m_folder / "new.pld";
    ASSERT_TRUE(document.OnSaveDocument(strNew));
    EXPECT_EQ(ReadFileBytes(strNew), full);
    EXPECT_TRUE(answers.Seen().empty());

    ASSERT_TRUE(WriteFileBytes(strOld, PluginBytes(plugin)));
    CDocKT reopened;
    ASSERT_TRUE(reopened.OnOpenDocument(strOld));
    EXPECT_EQ(reopened.m_plugin, plugin);
}

TEST_F(PluginDocument, ACorruptFileSaysSoAndAnEmptyFileIsAnEmptyPlugin)
{
    const std::string strPath = m_folder / "bad.pld";
    ASSERT_TRUE(WriteFileBytes(strPath, "not a plugin at all"));
    CModalAnswers answers;
    answers.Press(IDOK);
    CDocKT corrupt;
    EXPECT_TRUE(corrupt.OnOpenDocument(strPath));
    ASSERT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(answers.Seen()[0], "\nDocument file is corrupt");
    EXPECT_EQ(corrupt.m_plugin, CAction());
    EXPECT_EQ(corrupt.GetTitle(), "bad.pld");

    ASSERT_TRUE(WriteFileBytes(strPath, ""));
    CDocKT empty;
    EXPECT_TRUE(empty.OnOpenDocument(strPath));
    EXPECT_EQ(answers.Seen().size(), 1u);
    EXPECT_EQ(empty.m_plugin, CAction());

    // A file that cannot be opened is the caller's to report.
    CDocKT missing;
    EXPECT_FALSE(missing.OnOpenDocument(m_folder / "missing.pld"));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_FILE_NOT_FOUND));
}

TEST_F(PluginDocument, ASaveThatCannotFinishLeavesTheOldFile)
{
    const std::string strPath = m_folder / "kept.pld";
    const std::string old = PluginBytes(SomePlugin());
    ASSERT_TRUE(WriteFileBytes(strPath, old));
    // A folder where the file's temporary twin would go.
    ASSERT_TRUE(CreateDirectoryA((strPath + ".saving").c_str(), nullptr));
    CDocKT document;
    EXPECT_FALSE(document.OnSaveDocument(strPath));
    EXPECT_EQ(ReadFileBytes(strPath), old);
    RemoveDirectoryA((strPath + ".saving").c_str());
}
