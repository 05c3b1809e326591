// What the cleaner's model leaves in the registry when a process starts and
// ends: a real process each time, started from the test.
#include "cleaner/model/ActionOptions.h"
#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

namespace {

class ModelLifecycle : public CProductKeyTest {};

// Runs the probe that sits beside this test program; returns its exit code.
DWORD RunProbe(const std::string& strArguments = "")
{
    char szPath[MAX_PATH];
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strProgram = szPath;
    strProgram = strProgram.substr(0, strProgram.rfind('\\') + 1) + "model_lifecycle_probe.exe";
    std::string strCommand = "\"" + strProgram + "\" " + strArguments;

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(strProgram.c_str(), &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process)) {
        ADD_FAILURE() << "cannot start " << strProgram;
        return DWORD(-1);
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD dwExitCode = DWORD(-1);
    GetExitCodeProcess(process.hProcess, &dwExitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return dwExitCode;
}

void ExpectText(const char* pszName, const std::string& strExpected)
{
    DWORD dwType = 0;
    std::string bytes;
    ASSERT_TRUE(ReadRawValue(kSettingsKey, pszName, dwType, bytes)) << pszName;
    EXPECT_EQ(dwType, DWORD(REG_SZ)) << pszName;
    EXPECT_EQ(bytes, strExpected + '\0') << pszName;
}

void ExpectNumber(const std::string& strKey, const char* pszName, DWORD dwExpected)
{
    DWORD dwValue = 0;
    ASSERT_TRUE(ReadDwordValue(strKey, pszName, dwValue)) << pszName;
    EXPECT_EQ(dwValue, dwExpected) << pszName;
}

}  // namespace

TEST_F(ModelLifecycle, FirstRunStoresEveryGeneralSettingAndTheCustomBlock)
{
    ASSERT_EQ(RunProbe(), 0u);

    ExpectText("strNetscape4UserPath", "");
    ExpectText("strNetscape4UserCachePath", "");
    ExpectText("strNetscape6UserPath", "");
    ExpectText("strNetscape6UserCachePath", "");
    ExpectText("strAOLMessangerPath", "");
    ExpectText("strNetScapeHiddenFilesMask", "*.snm");
    ExpectText("strDiskOpsIncludeList", "*.tmp|*.bak|*.gid|*.chk|*.old|*.$*|*.~*|*.---|~*.*");
    ExpectText("strDiskOpsDriveList", "C:\\");
    ExpectText("strMiscCleanRegistryProgramPath", "");
    ExpectText("strMiscDefragmentnRegistryProgramPath", "");
    ExpectNumber(kSettingsKey, "bFileOpsWarp", 0);
    ExpectNumber(kSettingsKey, "bIECookiesAllowDate", 0);
    ExpectNumber(kSettingsKey, "bFileOpsWipeMode", 0);
    ExpectNumber(kSettingsKey, "bDiskOpsNeedToSetDefaultData", 0);

    const std::string strCustom = ActionKeyPath("Custom");
    ExpectNumber(strCustom, "bEnabled", 0);
    ExpectNumber(strCustom, "nSFILECount", 0);
    ExpectNumber(strCustom, "nSREGCount", 0);
}

TEST_F(ModelLifecycle, StoredSettingsSurviveARun)
{
    WriteDwordValue(kSettingsKey, "bFileOpsWarp", 1);
    WriteDwordValue(kSettingsKey, "bFileOpsWipeMode", 2);
    WriteDwordValue(kSettingsKey, "bDiskOpsNeedToSetDefaultData", 0);
    WriteStringValue(kSettingsKey, "strDiskOpsDriveList", "D:\\|");
    ASSERT_EQ(RunProbe(), 0u);

    ExpectNumber(kSettingsKey, "bFileOpsWarp", 1);
    ExpectNumber(kSettingsKey, "bFileOpsWipeMode", 2);
    ExpectText("strDiskOpsDriveList", "D:\\|");
    ExpectText("strDiskOpsIncludeList", "");
}

TEST_F(ModelLifecycle, ManagerStoresIntoTheSettingsBeforeTheyAreWritten)
{
    ASSERT_EQ(RunProbe("--disk-scan-masks \"*.log||*.dmp\""), 0u);
    ExpectText("strDiskOpsIncludeList", "*.log||*.dmp");
}
