// What the Plug-Ins page tells of a plugin beyond its description: the
// programs it starts and the targets that reach a drive root, the Windows
// folder or a whole registry key tree, as the engine would really run them.
#include "cleaner/plugins/PluginReach.h"

#include "cleaner/model/ActionIds.h"
#include "tests/support/ManagerTest.h"
#include "tests/support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::string WindowsFolder()
{
    char szFolder[MAX_PATH];
    GetWindowsDirectoryA(szFolder, MAX_PATH);
    return szFolder;
}

std::string SystemFolder()
{
    char szFolder[MAX_PATH];
    GetSystemDirectoryA(szFolder, MAX_PATH);
    return szFolder;
}

std::string UserName()
{
    char szName[256];
    DWORD cchName = sizeof(szName);
    GetUserNameA(szName, &cchName);
    return szName;
}

FileTarget FileAt(const std::string& strPath, uint32_t dwType, const char* pszMask = "*.*")
{
    FileTarget target;
    target.strName = strPath;
    target.dwType = dwType;
    target.strMask = dwType == TT_SINGLE ? "" : pszMask;
    return target;
}

RegTarget KeyAt(uint32_t dwRoot, const std::string& strKey, uint32_t dwType = TT_RECURSIVE)
{
    RegTarget target;
    target.dwKey = dwRoot;
    target.strName = strKey;
    target.dwType = dwType;
    return target;
}

struct FileCase {
    FileTarget target;
    StringVector expected;
};

class PluginReach : public CManagerTest {
protected:
    StringVector Reach(const CAction& action) const
    {
        return DescribePluginReach(action, *m_settings);
    }
    StringVector ReachOf(const FileTarget& target) const
    {
        CAction action;
        action.lstFiles = {target};
        return Reach(action);
    }
    void ExpectFileCases(const std::vector<FileCase>& cases) const
    {
        for (const FileCase& test : cases)
            EXPECT_EQ(ReachOf(test.target), test.expected) << test.target.strName;
    }
};

}  // namespace

TEST_F(PluginReach, CommandLinesAreShownAsStartedOnlyByTheKindThatStartsThem)
{
    CAction action;
    action.lstCommands = {"notepad.exe C:\\readme.txt", "", "%WinDir%\\regedit.exe /s x.reg"};
    // The engine starts a command line as it stands: no macro is expanded.
    EXPECT_EQ(Reach(action),
              StringVector({"Starts the program: notepad.exe C:\\readme.txt",
                            "Starts the program: %WinDir%\\regedit.exe /s x.reg"}));

    for (uint32_t dwKind : {uint32_t(AK_NONE), uint32_t(9)}) {
        action.dwKind = dwKind;
        EXPECT_EQ(Reach(action), StringVector()) << dwKind;
    }

    // A plugin in the place of a registry tool runs the program the settings
    // name, not its own.
    m_settings->strMiscCleanRegistryProgramPath = "C:\\Tools\\regclean.exe";
    action.dwKind = AK_STANDARD;
    action.strId = kIdMiscCleanRegistry;
    EXPECT_EQ(Reach(action), StringVector({"Starts the program: C:\\Tools\\regclean.exe"}));
}

TEST_F(PluginReach, TextsWrittenWhereWindowsStartsProgramsAreTold)
{
    CAction action;
    auto update = [](uint32_t dwRoot, const char* pszKey, const char* pszValue,
                     const char* pszData) {
        RegUpdate update;
        update.target = KeyAt(dwRoot, pszKey, TT_SINGLE);
        update.target.strValue = pszValue;
        update.strData = pszData;
        return update;
    };
    action.lstKeyUpdates = {
        update(RK_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "Helper",
               "C:\\helper.exe"),
        update(RK_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\runonce", "x",
               "y.exe"),
        update(RK_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
               "Shell", "evil.exe"),
        // Where a browser keeps its start page: no program starts from it.
        update(RK_CURRENT_USER, "Software\\Microsoft\\Internet Explorer\\Main", "Start Page",
               "about:blank"),
        update(RK_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon",
               "DefaultUserName", "someone"),
    };
    RegUpdate number = update(RK_CURRENT_USER,
                              "Software\\Microsoft\\Windows\\CurrentVersion\\Run", "n", "");
    number.dwDataType = RegUpdate::DT_NUMBER;
    action.lstKeyUpdates.push_back(number);

    EXPECT_EQ(Reach(action),
              StringVector({"Makes Windows start a program: writes \"C:\\helper.exe\" to "
                            "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run "
                            "(value \"Helper\")",
                            "Makes Windows start a program: writes \"y.exe\" to "
                            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                            "runonce (value \"x\")",
                            "Makes Windows start a program: writes \"evil.exe\" to "
                            "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\"
                            "Winlogon (value \"Shell\")"}));
}

TEST_F(PluginReach, TargetsAtADriveRootAreToldWithTheirMasks)
{
    FileTarget masks = FileAt("C:\\", TT_CONTENT);
    masks.bUseMaskList = true;
    masks.vecMasks = {"*.bak", "", "*.old"};
    FileTarget noMasks = masks;
    noMasks.vecMasks.clear();

    ExpectFileCases({
        {FileAt("C:\\", TT_CONTENT), {"Deletes files in the root of drive C:\\ (C:\\*.*)"}},
        {FileAt("C:\\", TT_RECURSIVE, "*.tmp|*.log"),
         {"Deletes files in every folder of drive C:\\ (C:\\*.tmp, *.log)"}},
        {masks, {"Deletes files in the root of drive C:\\ (C:\\*.bak, *.old)"}},
        // Every folder of a list is cleaned; only the root is told.
        {FileAt("C:\\Veltrin no such folder|C:/", TT_CONTENT),
         {"Deletes files in the root of drive C:\\ (C:\\*.*, written as C:/)"}},
        {FileAt("C:\\Veltrin no such folder\\..\\..", TT_RECURSIVE),
         {"Deletes files in every folder of drive C:\\ (C:\\*.*, written as "
          "C:\\Veltrin no such folder\\..\\..)"}},
        {FileAt("C:\\veltrin-test.ini", TT_SINGLE),
         {"Deletes the file C:\\veltrin-test.ini in the root of drive C:\\"}},
        {FileAt("\\\\server\\share", TT_RECURSIVE),
         {"Deletes files in every folder of the network share \\\\server\\share "
          "(\\\\server\\share\\*.*)"}},
        // What the engine would not clean is not told.
        {noMasks, {}},
        {FileAt("C:\\", TT_CONTENT, ""), {}},
        {FileAt("C:\\", 1), {}},
        {FileAt("C:\\", TT_SINGLE), {}},
        {FileAt("C:\\a.txt|C:\\b.txt", TT_SINGLE), {}},
    });
}

TEST_F(PluginReach, TargetsInTheWindowsAndSystemFoldersAreTold)
{
    const std::string strWindows = WindowsFolder();
    const std::string strSystem = SystemFolder();
    ExpectFileCases({
        {FileAt(strWindows, TT_CONTENT),
         {"Deletes files in the Windows folder (" + strWindows + "\\*.*)"}},
        {FileAt(strWindows + "\\", TT_RECURSIVE, "*.log"),
         {"Deletes files in the Windows folder and in all its subfolders (" + strWindows +
          "\\*.log)"}},
        {FileAt(strWindows + "\\veltrin-none", TT_RECURSIVE),
         {"Deletes files in a folder inside the Windows folder and in all its subfolders (" +
          strWindows + "\\veltrin-none\\*.*)"}},
        {FileAt(strSystem, TT_CONTENT, "*.dll"),
         {"Deletes files in the system folder (" + strSystem + "\\*.dll)"}},
        {FileAt(strSystem + "\\veltrin-none", TT_CONTENT),
         {"Deletes files in a folder inside the system folder (" + strSystem +
          "\\veltrin-none\\*.*)"}},
        {FileAt(strWindows + "\\veltrin-none.ini", TT_SINGLE),
         {"Deletes the file " + strWindows + "\\veltrin-none.ini in the Windows folder"}},
        // The folder itself is no file to delete.
        {FileAt(strSystem, TT_SINGLE), {}},
    });

    CAction updates;
    updates.lstFileUpdates = {{strWindows + "\\veltrin-none.ini", FileUpdate::FU_CLEAR_FILE, {}},
                              {strSystem + "\\veltrin-none.ini", FileUpdate::FU_CLEAR_LINES, {}},
                              {strWindows + "\\veltrin-none.ini", 7, {}}};
    EXPECT_EQ(Reach(updates),
              StringVector({"Empties the file " + strWindows +
                                "\\veltrin-none.ini in the Windows folder",
                            "Removes lines from the file " + strSystem +
                                "\\veltrin-none.ini in the system folder"}));
}

TEST_F(PluginReach, MacrosAreExpandedAsTheEngineExpandsThem)
{
    const std::string strWindows = WindowsFolder();
    m_settings->strNetscape4UserPath = "C:\\";
    // A path that starts with a backslash starts at the root of the drive of
    // the current directory.
    CTempFolder current;
    char szPrevious[MAX_PATH];
    ASSERT_NE(GetCurrentDirectoryA(MAX_PATH, szPrevious), 0u);
    ASSERT_TRUE(SetCurrentDirectoryA(current.Path().c_str()));
    ExpectFileCases({
        {FileAt("\\", TT_RECURSIVE),
         {"Deletes files in every folder of drive C:\\ (C:\\*.*, written as \\)"}},
        {FileAt("%WinDir%", TT_CONTENT),
         {"Deletes files in the Windows folder (" + strWindows + "\\*.*, written as %WinDir%)"}},
        {FileAt("[PATH_APP_NN4_ROOT]", TT_RECURSIVE),
         {"Deletes files in every folder of drive C:\\ (C:\\*.*, written as "
          "[PATH_APP_NN4_ROOT])"}},
        // The temporary folder lies a few levels below the root of drive C:.
        {FileAt("[PATH_SYS_TEMP]..\\..\\..\\..\\..\\..\\..\\..", TT_CONTENT),
         {"Deletes files in the root of drive C:\\ (C:\\*.*, written as "
          "[PATH_SYS_TEMP]..\\..\\..\\..\\..\\..\\..\\..)"}},
        {FileAt("[PATH_SYS_TEMP]|%WinDir%\\win.ini", TT_SINGLE), {}},
        // Without the program its macro would leave "\", the root of the
        // current drive; the engine skips such a target, and so do we.
        {FileAt("[PATH_APP_OPERA_ROOT]\\", TT_RECURSIVE), {}},
    });
    SetCurrentDirectoryA(szPrevious);
}

TEST_F(PluginReach, WholeKeyTreesAreToldAndMarkedNearTheTop)
{
    CAction action;
    action.lstKeys = {
        KeyAt(RK_CURRENT_USER, "Software\\Veltrin Test\\Sub"),
        KeyAt(RK_CURRENT_USER, "Software\\Microsoft"),
        KeyAt(RK_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\"),
        KeyAt(RK_USERS, ".DEFAULT\\Software\\Microsoft"),
        KeyAt(RK_CLASSES_ROOT, "CLSID\\{00000000-0000-0000-0000-000000000001}"),
        KeyAt(RK_CURRENT_USER, "Software\\[WIN_USERNAME]\\History"),
        // The engine leaves these alone: a top-level key, the root itself,
        // and targets that are no key tree.
        KeyAt(RK_CURRENT_USER, "Software"),
        KeyAt(RK_LOCAL_MACHINE, "\\Software\\"),
        KeyAt(RK_CURRENT_USER, ""),
        KeyAt(RK_CURRENT_USER, "Software\\Microsoft", TT_CONTENT),
        KeyAt(RK_CURRENT_USER, "Software\\Microsoft", TT_SINGLE),
    };
    EXPECT_EQ(Reach(action),
              StringVector({
                  "Deletes the whole registry key HKEY_CURRENT_USER\\Software\\Veltrin Test\\Sub "
                  "and all its subkeys",
                  "Deletes the whole registry key HKEY_CURRENT_USER\\Software\\Microsoft, near the "
                  "top of the registry, and all its subkeys",
                  "Deletes the whole registry key HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\, "
                  "near the top of the registry, and all its subkeys",
                  "Deletes the whole registry key HKEY_USERS\\.DEFAULT\\Software\\Microsoft, near "
                  "the top of the registry, and all its subkeys",
                  "Deletes the whole registry key "
                  "HKEY_CLASSES_ROOT\\CLSID\\{00000000-0000-0000-0000-000000000001} and all its "
                  "subkeys",
                  "Deletes the whole registry key HKEY_CURRENT_USER\\Software\\" + UserName() +
                      "\\History and all its subkeys (written as "
                      "HKEY_CURRENT_USER\\Software\\[WIN_USERNAME]\\History)",
              }));
}

TEST_F(PluginReach, KindsWithHandlersOfTheirOwnTellWhatTheyDo)
{
    CAction action;
    action.lstFiles = {FileAt("C:\\", TT_RECURSIVE)};
    action.lstCommands = {"cmd.exe"};
    action.lstFreeSpaceDrives = {"D:\\", ""};
    action.lstRecycleBinDrives = {"C:\\"};

    const std::vector<std::pair<uint32_t, StringVector>> cases = {
        {AK_CLIPBOARD, {"Empties the clipboard"}},
        {AK_FREESPACE, {"Wipes the free space of drive D:\\"}},
        {AK_RECYCLEBIN, {"Empties the recycle bin of drive C:\\"}},
        {AK_PSTORE, {"Deletes the AutoComplete form data of Internet Explorer"}},
        {AK_MRU, {"Deletes the search history lists of Windows"}},
        {AK_NONE, {}},
    };
    for (const auto& test : cases) {
        action.dwKind = test.first;
        EXPECT_EQ(Reach(action), test.second) << test.first;
    }

    // The browser history handler deletes the first file of each pair and
    // rewrites the second.
    action.dwKind = AK_NNHISTORY;
    action.lstFilePairs = {{"%WinDir%\\veltrin.hst", "C:\\veltrin.js", 4},
                           {"[PATH_APP_OPERA_ROOT]\\a.hst", "C:\\b.js", 4}};
    EXPECT_EQ(Reach(action),
              StringVector({"Deletes the file " + WindowsFolder() +
                                "\\veltrin.hst in the Windows folder (written as "
                                "%WinDir%\\veltrin.hst)",
                            "Removes lines from the file C:\\veltrin.js in the root of drive "
                            "C:\\"}));
}

TEST_F(PluginReach, TheDiskOperationsTakeTheirDrivesFromTheSettings)
{
    m_settings->strDiskOpsDriveList = "C:\\|E:\\";

    CAction scan;
    scan.strId = kIdDiskOpScan;
    FileTarget target = FileAt("", TT_RECURSIVE);
    target.bUseMaskList = true;
    target.vecMasks = {"*.tmp"};
    scan.lstFiles = {target};
    EXPECT_EQ(Reach(scan),
              StringVector({"Deletes files in every folder of drive C:\\ (C:\\*.tmp)",
                            "Deletes files in every folder of drive E:\\ (E:\\*.tmp)"}));

    CAction freeSpace;
    freeSpace.strId = kIdDiskOpFreeSpace;
    freeSpace.dwKind = AK_FREESPACE;
    freeSpace.lstFreeSpaceDrives = {"X:\\"};
    EXPECT_EQ(Reach(freeSpace), StringVector({"Wipes the free space of drive C:\\",
                                              "Wipes the free space of drive E:\\"}));
}

TEST_F(PluginReach, AnOrdinaryPluginShowsItsDescriptionAlone)
{
    CTempFolder folder;
    CAction action;
    action.lstFiles = {FileAt("[PATH_SYS_TEMP]Veltrin Test", TT_RECURSIVE),
                       FileAt(folder.Path(), TT_CONTENT),
                       FileAt("%UserProfile%\\veltrin.log", TT_SINGLE),
                       FileAt("C:\\Veltrin Test\\a.txt", TT_SINGLE)};
    action.lstKeys = {KeyAt(RK_CURRENT_USER, "Software\\Veltrin Test", TT_CONTENT),
                      KeyAt(RK_LOCAL_MACHINE, "Software\\Veltrin Test", TT_SINGLE)};
    RegUpdate update;
    update.target = KeyAt(RK_CURRENT_USER, "Software\\Veltrin Test", TT_SINGLE);
    action.lstKeyUpdates = {update};
    action.lstFileUpdates = {{folder / "prefs.js", FileUpdate::FU_CLEAR_KEYWORDS, {"url"}}};
    EXPECT_EQ(Reach(action), StringVector());
    EXPECT_EQ(PluginDetailsText("Clears the history.", Reach(action)), "Clears the history.");

    EXPECT_EQ(PluginDetailsText("Clears the history.", {"Starts the program: a.exe", "Empties b"}),
              "Clears the history.\r\n\r\nThis plug-in also:\r\n- Starts the program: a.exe\r\n"
              "- Empties b");
    EXPECT_EQ(PluginDetailsText("", {"Empties the clipboard"}),
              "This plug-in also:\r\n- Empties the clipboard");
}
