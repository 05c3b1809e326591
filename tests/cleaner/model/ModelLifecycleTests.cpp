// What the cleaner's model leaves in the registry when a real process starts
// and ends: the probe beside this test program builds the process-wide model.
#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

typedef CProductKeyTest ModelLifecycle;

// Every general setting is stored in its own form, with the masks the manager stores
// into the settings at its end: the manager goes before the settings write themselves.
TEST_F(ModelLifecycle, FirstRunStoresEverySettingAfterTheManagerStoredIntoThem)
{
    char szPath[MAX_PATH];
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strProgram = szPath;
    strProgram = strProgram.substr(0, strProgram.rfind('\\') + 1) + "model_lifecycle_probe.exe";
    std::string strCommand = "\"" + strProgram + "\" --disk-scan-masks \"*.log||*.dmp\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    auto start = [&] {
        return CreateProcessA(strProgram.c_str(), &strCommand[0], nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &startup, &process) != FALSE;
    };
    // Wine now and then fails to start a process: a failed start is tried once more.
    if (!start()) {
        const DWORD dwFirstError = GetLastError();
        Sleep(200);
        ASSERT_TRUE(start()) << "cannot start " << strProgram << " (error " << dwFirstError
                             << ", then " << GetLastError() << ")";
    }
    DWORD dwExitCode = DWORD(-1);
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &dwExitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(dwExitCode, 0u);

    const KeySnapshot stored = SnapshotKey(kSettingsKey);
    const std::pair<const char*, std::string> texts[] = {
        {"strNetscape4UserPath", ""}, {"strNetscape4UserCachePath", ""},
        {"strNetscape6UserPath", ""}, {"strNetscape6UserCachePath", ""},
        {"strAOLMessangerPath", ""}, {"strNetScapeHiddenFilesMask", "*.snm"},
        {"strDiskOpsIncludeList", "*.log||*.dmp"}, {"strDiskOpsDriveList", "C:\\"},
        {"strMiscCleanRegistryProgramPath", ""}, {"strMiscDefragmentnRegistryProgramPath", ""},
    };
    for (const auto& text : texts) {
        EXPECT_TRUE(stored.count(text.first) &&
                    stored.at(text.first) == (RawValue{REG_SZ, text.second + '\0'}))
            << text.first;
    }
    for (const char* pszName : {"bFileOpsWarp", "bIECookiesAllowDate", "bFileOpsWipeMode",
                                "bDiskOpsNeedToSetDefaultData", "Custom\\bEnabled",
                                "Custom\\nSFILECount", "Custom\\nSREGCount"}) {
        EXPECT_TRUE(stored.count(pszName) &&
                    stored.at(pszName) == (RawValue{REG_DWORD, std::string(4, '\0')}))
            << pszName;
    }
}
