// What the cleaner's model leaves in the registry when a real process starts
// and ends: the probe beside this test program builds the process-wide model.
#include "common/RegistryKeys.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

typedef CProductKeyTest ModelLifecycle;

// Every general setting is stored in its own form, with the masks the manager stores
// into the settings at its end: the manager goes before the settings write themselves.
TEST_F(ModelLifecycle, FirstRunStoresEverySettingAfterTheManagerStoredIntoThem)
{
    CProgramRun probe("model_lifecycle_probe.exe");
    ASSERT_TRUE(probe.Start("--disk-scan-masks \"*.log||*.dmp\"")) << "error " << GetLastError();
    ASSERT_TRUE(probe.HasEnded());
    ASSERT_EQ(probe.ExitCode(), 0u);

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
