// Tests of an action manager, and of a clean through one with its log recorded.
#pragma once

#include "cleaner/engine/StopRequest.h"
#include "cleaner/model/ActionManager.h"
#include "cleaner/model/GeneralSettings.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

// Settings and a manager of the test's own between two removals of the product
// key; both go first, so what they store at the end goes too.
class CManagerTest : public CProductKeyTest {
protected:
    void SetUp() override
    {
        CProductKeyTest::SetUp();
        m_settings.reset(new CGeneralSettings);
    }
    void TearDown() override
    {
        m_manager.reset();
        m_settings.reset();
        CProductKeyTest::TearDown();
    }
    // The manager as the program builds it, from the settings as they are now.
    CActionManager& Build()
    {
        m_manager.reset();
        m_manager.reset(new CActionManager(*m_settings));
        return *m_manager;
    }

    std::unique_ptr<CGeneralSettings> m_settings;
    std::unique_ptr<CActionManager> m_manager;
};

typedef CRecordingLog::Line Line;
typedef std::vector<Line> Lines;

inline Lines operator+(Lines left, const Lines& right)
{
    left.insert(left.end(), right.begin(), right.end());
    return left;
}

inline Lines Summary(unsigned nDeleted, unsigned nRegistry, unsigned nKbytes)
{
    return {{5, "Statistics:"}, {5, "Deleted: " + std::to_string(nDeleted) + " file(s)"},
            {5, "Updated: 0 file(s)"},
            {5, "Deleted: " + std::to_string(nRegistry) + " registry entry(ies)"},
            {5, "Released Space: " + std::to_string(nKbytes) + " Kbytes"}};
}

inline Lines Ran(const std::string& strTitle, const Lines& inner = {})
{
    return Lines{{3, strTitle}} + inner + Lines{{4, strTitle + " Complete"}};
}

inline Line Deleted(const std::string& strPath)
{
    return {0, "File " + strPath + " was deleted"};
}

// Puts the text on the clipboard, as a program the user copied from does.
inline bool PutTextOnClipboard(const char* pszText)
{
    if (!OpenClipboard(nullptr))
        return false;
    EmptyClipboard();
    const size_t cbText = strlen(pszText) + 1;
    HGLOBAL hText = GlobalAlloc(GMEM_MOVEABLE, cbText);
    memcpy(GlobalLock(hText), pszText, cbText);
    GlobalUnlock(hText);
    const bool bPut = SetClipboardData(CF_TEXT, hText) != nullptr;
    CloseClipboard();
    return bPut;
}

// A target that erases every file of the folder.
inline FileTarget FolderContent(const std::string& strFolder)
{
    return {strFolder, TT_CONTENT};
}

class CleaningRun : public CManagerTest {
protected:
    // The manager with every action off: each test enables only what it cleans.
    void Build()
    {
        for (auto& entry : CManagerTest::Build().m_actions)
            entry.second.bEnabled = false;
    }
    void Enable(const char* pszId) { m_manager->GetAction(pszId).bEnabled = true; }
    bool Run() { return m_manager->RunCleaning(m_stop); }

    std::string MakeFile(const std::string& strName, const std::string& content)
    {
        EXPECT_TRUE(WriteFileBytes(m_folder / strName, content)) << strName;
        return m_folder / strName;
    }
    std::string MakeFile(const std::string& strName, size_t nSize)
    {
        return MakeFile(strName, std::string(nSize, 'x'));
    }
    std::string MakeFolder(const std::string& strName)
    {
        CreateDirectoryA((m_folder / strName).c_str(), nullptr);
        return m_folder / strName;
    }

    CTempFolder m_folder;
    CStopRequest m_stop;
    CRecordingLog m_log;
};
