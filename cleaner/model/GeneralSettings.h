// The general settings of the action model, one registry value each under
// the settings key. Members are constructed in declaration order, so the
// values are read in this order when the object is created, and written in
// the reverse order when it is destroyed.
#pragma once

#include "common/Action.h"
#include "common/RegValue.h"
#include "common/RegistryKeys.h"

struct CGeneralSettings {
    CRegString strNetscape4UserPath{RK_CURRENT_USER, kSettingsKey, "strNetscape4UserPath", ""};
    CRegString strNetscape4UserCachePath{RK_CURRENT_USER, kSettingsKey,
                                         "strNetscape4UserCachePath", ""};
    CRegString strNetscape6UserPath{RK_CURRENT_USER, kSettingsKey, "strNetscape6UserPath", ""};
    CRegString strNetscape6UserCachePath{RK_CURRENT_USER, kSettingsKey,
                                         "strNetscape6UserCachePath", ""};
    CRegString strAOLMessangerPath{RK_CURRENT_USER, kSettingsKey, "strAOLMessangerPath", ""};
    CRegString strNetScapeHiddenFilesMask{RK_CURRENT_USER, kSettingsKey,
                                          "strNetScapeHiddenFilesMask", ""};
    CRegString strDiskOpsIncludeList{RK_CURRENT_USER, kSettingsKey, "strDiskOpsIncludeList", ""};
    CRegString strDiskOpsDriveList{RK_CURRENT_USER, kSettingsKey, "strDiskOpsDriveList", ""};
    CRegString strMiscCleanRegistryProgramPath{RK_CURRENT_USER, kSettingsKey,
                                               "strMiscCleanRegistryProgramPath", ""};
    CRegString strMiscDefragmentnRegistryProgramPath{RK_CURRENT_USER, kSettingsKey,
                                                     "strMiscDefragmentnRegistryProgramPath", ""};
    CRegBool bFileOpsWarp{RK_CURRENT_USER, kSettingsKey, "bFileOpsWarp", false};
    CRegBool bIECookiesAllowDate{RK_CURRENT_USER, kSettingsKey, "bIECookiesAllowDate", false};
    CRegDword bFileOpsWipeMode{RK_CURRENT_USER, kSettingsKey, "bFileOpsWipeMode", 0};
    CRegBool bDiskOpsNeedToSetDefaultData{RK_CURRENT_USER, kSettingsKey,
                                          "bDiskOpsNeedToSetDefaultData", true};
};
