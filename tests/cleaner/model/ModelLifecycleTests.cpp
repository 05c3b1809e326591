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

TEST_F(ModelLifecycle, EverySettingOfTheWrongTypeOrSizeReadsAsItsDefaultOrItsText)
{
    ASSERT_EQ(RunProbe(), 0u);
    const KeySnapshot defaults = SnapshotKey(kProductKey);
    ASSERT_GT(defaults.size(), 50u);

    // Each round gives every value a wrong form at once: numbers and texts
    // of the other type, numbers of two or eight bytes, texts without their
    // zero, texts of a mebibyte.
    const std::string strHuge(1024 * 1024, 'h');
    const WORD wShort = 1;
    const unsigned char eightBytes[8] = {1, 0, 0, 0, 1, 0, 0, 0};
    const DWORD dwNumber = 65;
    struct Round {
        const char* pszName;
        RawValue number;  // what each number value is given
        RawValue text;    // what each text value is given
        std::string strTextRead;  // what a text value reads as; empty: its default
    };
    const Round rounds[] = {
        {"other types", {REG_SZ, std::string("12", 3)},
         {REG_DWORD, std::string(reinterpret_cast<const char*>(&dwNumber), 4)}, ""},
        {"short numbers, unterminated texts",
         {REG_DWORD, std::string(reinterpret_cast<const char*>(&wShort), 2)},
         {REG_SZ, "abc"}, "abc"},
        {"long numbers, huge texts",
         {REG_BINARY, std::string(reinterpret_cast<const char*>(eightBytes), 8)},
         {REG_SZ, strHuge + '\0'}, strHuge},
    };
    for (const Round& round : rounds) {
        SCOPED_TRACE(round.pszName);
        for (const auto& entry : defaults) {
            const size_t nSlash = entry.first.rfind('\\');
            const std::string strKey =
                nSlash == std::string::npos
                    ? std::string(kProductKey)
                    : std::string(kProductKey) + "\\" + entry.first.substr(0, nSlash);
            const std::string strName =
                nSlash == std::string::npos ? entry.first : entry.first.substr(nSlash + 1);
            const RawValue& given = entry.second.dwType == REG_DWORD ? round.number : round.text;
            WriteRawValue(strKey, strName, given.dwType, given.bytes.data(),
                          DWORD(given.bytes.size()));
        }

        ASSERT_EQ(RunProbe(), 0u);

        // Written back at the end in their own form: a number as its default,
        // a text as what could be read of it, or as its default where the
        // first run's rules replace it.
        const KeySnapshot after = SnapshotKey(kProductKey);
        for (const auto& entry : defaults) {
            const auto found = after.find(entry.first);
            ASSERT_NE(found, after.end()) << entry.first;
            if (entry.second.dwType == REG_DWORD || round.strTextRead.empty()) {
                EXPECT_TRUE(found->second == entry.second) << entry.first;
                continue;
            }
            EXPECT_EQ(found->second.dwType, DWORD(REG_SZ)) << entry.first;
            const bool bRead = found->second.bytes == round.strTextRead + '\0';
            EXPECT_TRUE(bRead || found->second == entry.second) << entry.first;
        }
        DeleteProductKey();
        ASSERT_EQ(RunProbe(), 0u);
    }
}
