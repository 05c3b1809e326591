// What the cleaner's model leaves in the registry when a real process starts
// and ends: the probe beside this test program builds the process-wide model.
#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

namespace {

class ModelLifecycle : public CProductKeyTest {};

// Runs the probe and returns its exit code. Wine now and then fails to
// start a process, so a failed start is tried once more.
DWORD RunProbe(const std::string& strArguments)
{
    char szPath[MAX_PATH];
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strProgram = szPath;
    strProgram = strProgram.substr(0, strProgram.rfind('\\') + 1) + "model_lifecycle_probe.exe";
    std::string strCommand = "\"" + strProgram + "\" " + strArguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    auto start = [&] {
        return CreateProcessA(strProgram.c_str(), &strCommand[0], nullptr, nullptr, FALSE, 0,
                              nullptr, nullptr, &startup, &process) != FALSE;
    };
    if (!start()) {
        const DWORD dwFirstError = GetLastError();
        Sleep(200);
        if (!start()) {
            ADD_FAILURE() << "cannot start " << strProgram << " (error " << dwFirstError
                          << ", then " << GetLastError() << ")";
            return DWORD(-1);
        }
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD dwExitCode = DWORD(-1);
    GetExitCodeProcess(process.hProcess, &dwExitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return dwExitCode;
}

RawValue Text(const char* pszText)
{
    return {REG_SZ, std::string(pszText) + '\0'};
}

RawValue Number(DWORD dwNumber)
{
    return {REG_DWORD, std::string(reinterpret_cast<const char*>(&dwNumber), sizeof(dwNumber))};
}

}  // namespace

// Every general setting is stored in its own form, and the masks that the
// manager stores into the settings at its end are there: the manager goes
// before the settings write themselves.
TEST_F(ModelLifecycle, FirstRunStoresEverySettingAfterTheManagerStoredIntoThem)
{
    ASSERT_EQ(RunProbe("--disk-scan-masks \"*.log||*.dmp\""), 0u);
    const std::pair<const char*, RawValue> expected[] = {
        {"Settings\\strNetscape4UserPath", Text("")},
        {"Settings\\strNetscape4UserCachePath", Text("")},
        {"Settings\\strNetscape6UserPath", Text("")},
        {"Settings\\strNetscape6UserCachePath", Text("")},
        {"Settings\\strAOLMessangerPath", Text("")},
        {"Settings\\strNetScapeHiddenFilesMask", Text("*.snm")},
        {"Settings\\strDiskOpsIncludeList", Text("*.log||*.dmp")},
        {"Settings\\strDiskOpsDriveList", Text("C:\\")},
        {"Settings\\strMiscCleanRegistryProgramPath", Text("")},
        {"Settings\\strMiscDefragmentnRegistryProgramPath", Text("")},
        {"Settings\\bFileOpsWarp", Number(0)},
        {"Settings\\bIECookiesAllowDate", Number(0)},
        {"Settings\\bFileOpsWipeMode", Number(0)},
        {"Settings\\bDiskOpsNeedToSetDefaultData", Number(0)},
        {"Settings\\Custom\\bEnabled", Number(0)},
        {"Settings\\Custom\\nSFILECount", Number(0)},
        {"Settings\\Custom\\nSREGCount", Number(0)},
    };
    const KeySnapshot stored = SnapshotKey(kProductKey);
    for (const auto& value : expected) {
        const auto found = stored.find(value.first);
        ASSERT_NE(found, stored.end()) << value.first;
        EXPECT_TRUE(found->second == value.second) << value.first;
    }
}
