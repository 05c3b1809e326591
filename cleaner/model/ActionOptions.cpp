#include "cleaner/model/ActionOptions.h"

#include "cleaner/model/ActionIds.h"
#include "common/RegValue.h"
#include "common/RegistryKeys.h"
#include "common/StringList.h"

#include <cstdio>

namespace {

enum class Direction { Load, Save };

// A value name with a four-digit, zero-padded index: "ExcludeFile0003".
std::string IndexedName(const char* pszName, int nIndex)
{
    char szName[64];
    std::snprintf(szName, sizeof(szName), "%s%04d", pszName, nIndex);
    return szName;
}

void TransferList(const std::string& strKey, const std::string& strName, StringList& lst,
                  Direction direction)
{
    CRegString value(RK_CURRENT_USER, strKey.c_str(), strName.c_str(), "");
    if (direction == Direction::Load) {
        value.SetNoWriteBack(true);
        for (std::string& piece : SplitAtSeparator(value, kListSeparator))
            lst.push_back(std::move(piece));
        return;
    }
    const std::string strText = JoinWithSeparator(lst, kListSeparator);
    if (strText.empty())
        value.DeleteValue();
    else
        value = strText;
}

void TransferText(const std::string& strKey, const char* pszName, std::string& strText,
                  Direction direction)
{
    CRegString value(RK_CURRENT_USER, strKey.c_str(), pszName, strText.c_str());
    if (direction == Direction::Load) {
        value.SetNoWriteBack(true);
        strText = value.Get();
    } else {
        value = strText;
    }
}

void TransferActionOptions(CAction& action, Direction direction)
{
    // An action without an identifier has no key of its own; writing would
    // land in the settings key itself.
    if (action.strId.empty())
        return;
    const std::string strKey = ActionKeyPath(action.strId);
    {
        CRegBool enabled(RK_CURRENT_USER, strKey.c_str(), "bEnabled", action.bEnabled);
        if (direction == Direction::Load)
            action.bEnabled = enabled;
        else
            enabled = action.bEnabled;
    }
    if (CarriesUserText(action))
        TransferText(strKey, "strText", action.lstKeyUpdates.front().strData, direction);

    // One index runs through the file targets and then the registry targets.
    int nIndex = 0;
    for (FileTarget& target : action.lstFiles)
        TransferList(strKey, IndexedName("ExcludeFile", nIndex++), target.lstExclude, direction);
    for (RegTarget& target : action.lstKeys) {
        TransferList(strKey, IndexedName("ExcludeRegKey", nIndex), target.lstExcludeKeys,
                     direction);
        TransferList(strKey, IndexedName("ExcludeRegVal", nIndex), target.lstExcludeValues,
                     direction);
        ++nIndex;
    }
}

}  // namespace

bool CarriesUserText(const CAction& action)
{
    return (action.strId == kIdIEPropWindowTitle || action.strId == kIdIEPropHomePage) &&
           !action.lstKeyUpdates.empty() &&
           action.lstKeyUpdates.front().dwDataType == RegUpdate::DT_TEXT;
}

std::string ActionKeyPath(const std::string& strId)
{
    return std::string(kSettingsKey) + "\\" + strId;
}

void LoadActionOptions(CAction& action)
{
    TransferActionOptions(action, Direction::Load);
}

void SaveActionOptions(CAction& action)
{
    TransferActionOptions(action, Direction::Save);
}

void StoreCustomTargets(CAction& action)
{
    const std::string strKey = ActionKeyPath(action.strId);
    auto storeDword = [&strKey](const std::string& strName, uint32_t dwValue) {
        CRegDword value(RK_CURRENT_USER, strKey.c_str(), strName.c_str(), 0);
        value = dwValue;
    };
    auto storeString = [&strKey](const std::string& strName, const std::string& strText) {
        CRegString value(RK_CURRENT_USER, strKey.c_str(), strName.c_str(), "");
        value = strText;
    };

    storeDword("nSFILECount", uint32_t(action.lstFiles.size()));
    storeDword("nSREGCount", uint32_t(action.lstKeys.size()));
    int i = 0;
    for (const FileTarget& target : action.lstFiles) {
        storeString(IndexedName("strFName", i), target.strName);
        storeString(IndexedName("strFMask", i), target.strMask);
        storeDword(IndexedName("dwFType", i), target.dwType);
        ++i;
    }
    i = 0;
    for (const RegTarget& target : action.lstKeys) {
        storeString(IndexedName("strRName", i), target.strName);
        storeDword(IndexedName("dwRKey", i), target.dwKey);
        storeDword(IndexedName("dwRType", i), target.dwType);
        ++i;
    }
}

void LoadCustomTargets(CAction& action)
{
    const std::string strKey = ActionKeyPath(action.strId);
    auto readDword = [&strKey](const std::string& strName, bool& bFound) {
        CRegDword value(RK_CURRENT_USER, strKey.c_str(), strName.c_str(), 0);
        value.SetNoWriteBack(true);
        bFound = bFound || value.GetStatus() == RS_OK;
        return value.Get();
    };
    auto readString = [&strKey](const std::string& strName, bool& bFound) {
        CRegString value(RK_CURRENT_USER, strKey.c_str(), strName.c_str(), "");
        value.SetNoWriteBack(true);
        bFound = bFound || value.GetStatus() == RS_OK;
        return value.Get();
    };

    // A count larger than the values that follow it (a damaged block) ends at
    // the first target of which no value is stored.
    bool bFound = false;
    const uint32_t nFiles = readDword("nSFILECount", bFound);
    const uint32_t nKeys = readDword("nSREGCount", bFound);
    for (uint32_t i = 0; i < nFiles; ++i) {
        FileTarget target;
        bFound = false;
        target.strName = readString(IndexedName("strFName", int(i)), bFound);
        target.strMask = readString(IndexedName("strFMask", int(i)), bFound);
        target.dwType = readDword(IndexedName("dwFType", int(i)), bFound);
        if (!bFound)
            break;
        action.lstFiles.push_back(std::move(target));
    }
    for (uint32_t i = 0; i < nKeys; ++i) {
        RegTarget target;
        bFound = false;
        target.strName = readString(IndexedName("strRName", int(i)), bFound);
        target.dwKey = readDword(IndexedName("dwRKey", int(i)), bFound);
        target.dwType = readDword(IndexedName("dwRType", int(i)), bFound);
        if (!bFound)
            break;
        action.lstKeys.push_back(std::move(target));
    }
}
