// The cleaner's main window created in the test's own process over a
// manager of the test's own, and driven by the messages a user's clicks
// would send.
#pragma once

#include "cleaner/shell/DlgVeltrin.h"
#include "cleaner/shell/resource.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/ModalAnswers.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

class CMainWindowTest : public CleaningRun {
protected:
    void TearDown() override
    {
        m_pDialog.reset();
        CleaningRun::TearDown();
    }

    // The window as the program shows it, over the manager built now.
    CDlgVeltrin& Open()
    {
        m_pDialog.reset(new CDlgVeltrin(*m_manager));
        EXPECT_TRUE(m_pDialog->Create(nullptr));
        return *m_pDialog;
    }
    void Command(UINT nId) { m_pDialog->SendMessage(WM_COMMAND, nId); }
    // Serves the window's messages (the clean's lines among them) until the
    // clean has ended. The limit only keeps a broken run from hanging.
    void WaitForCleanEnd()
    {
        const DWORD dwLimit = GetTickCount() + 60000;
        while (m_pDialog->IsCleaning() && GetTickCount() < dwLimit)
            ServeMessages(50);
        EXPECT_FALSE(m_pDialog->IsCleaning());
    }
    static std::vector<std::string> Items(const CListView& list)
    {
        std::vector<std::string> items;
        for (int n = 0; n < list.GetItemCount(); ++n)
            items.push_back(list.GetItemText(n));
        return items;
    }
    // The log's lines without their time prefix, which is checked apart.
    std::vector<std::string> LogMessages() const
    {
        std::vector<std::string> messages;
        for (const std::string& strLine : Items(m_pDialog->m_listLog))
            messages.push_back(strLine.substr(strLine.find(">> ") + 3));
        return messages;
    }
    // Whether the log list shows its newest line, as after every repaint.
    bool NewestLineInView() const
    {
        const HWND hLog = m_pDialog->m_listLog;
        const int nCount = ListView_GetItemCount(hLog);
        return nCount == 0 ||
               ListView_GetTopIndex(hLog) + ListView_GetCountPerPage(hLog) >= nCount;
    }
    // An action of the test that deletes the files of its folder.
    void AddFolderAction(const char* pszId, const std::string& strFolder)
    {
        CAction& action = m_manager->GetAction(pszId);
        action.strTitle = std::string("Clean ") + pszId;
        action.bEnabled = true;
        action.lstFiles = {FolderContent(strFolder)};
    }
    // An action of the test that deletes a whole folder tree.
    void AddTreeAction(const char* pszId, const std::string& strFolder)
    {
        AddFolderAction(pszId, strFolder);
        m_manager->GetAction(pszId).lstFiles.front().dwType = TT_RECURSIVE;
    }
    void MakeFiles(const std::string& strFolder, int nCount)
    {
        CreateDirectoryA(strFolder.c_str(), nullptr);
        for (int n = 0; n < nCount; ++n)
            ASSERT_TRUE(WriteFileBytes(strFolder + "\\f" + std::to_string(n) + ".tmp", "x"));
    }

    std::unique_ptr<CDlgVeltrin> m_pDialog;
};
