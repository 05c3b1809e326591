#include "cleaner/engine/RegistryCleaning.h"

#include "cleaner/engine/KeyHolder.h"
#include "cleaner/engine/MatchMask.h"
#include "cleaner/engine/PathMacros.h"
#include "cleaner/engine/SystemVersion.h"
#include "common/RegValue.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

namespace {

const DWORD kEnumBufferSize = 4097;
// A value that keeps growing while it is read ends the enumeration.
const int kMaxGrowths = 4;

// A plugin names its key tree below the root; a path of one component would
// take a whole top-level key such as "Software" with it.
bool NamesKeyBelowTopLevel(const std::string& strKey)
{
    int nComponents = 0;
    size_t nStart = 0;
    for (;;) {
        const size_t nEnd = strKey.find('\\', nStart);
        const size_t nLength = (nEnd == std::string::npos ? strKey.size() : nEnd) - nStart;
        if (nLength > 0)
            ++nComponents;
        if (nEnd == std::string::npos)
            return nComponents >= 2;
        nStart = nEnd + 1;
    }
}

REGSAM AccessForType(uint32_t dwType)
{
    switch (dwType) {
    case TT_SINGLE:
        return KEY_SET_VALUE;
    case TT_CONTENT:
        return KEY_QUERY_VALUE | KEY_SET_VALUE;
    default:
        return KEY_READ | DELETE;
    }
}

// Makes room for the value at which the enumeration reported too little space.
void GrowBuffers(HKEY hKey, std::vector<char>& name, std::vector<char>& data)
{
    DWORD cchMaxName = 0;
    DWORD cbMaxData = 0;
    if (RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                         &cchMaxName, &cbMaxData, nullptr, nullptr) != ERROR_SUCCESS) {
        cchMaxName = 0;
        cbMaxData = 0;
    }
    name.resize(std::max(name.size() * 2, size_t(cchMaxName) + 1));
    data.resize(std::max(data.size() * 2, size_t(cbMaxData) + 1));
}

}  // namespace

bool RegistryKeyExists(HKEY hRoot, const std::string& strKey, REGSAM samView)
{
    HKEY hKey;
    const LONG nResult =
        RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_QUERY_VALUE | samView, &hKey);
    if (nResult == ERROR_SUCCESS)
        RegCloseKey(hKey);
    return nResult == ERROR_SUCCESS || nResult == ERROR_ACCESS_DENIED;
}

CleanStats CleanRegTarget(const RegTarget& target, IChanges& changes, REGSAM samView)
{
    CleanStats stats;
    if (target.dwType != TT_SINGLE && target.dwType != TT_CONTENT &&
        target.dwType != TT_RECURSIVE)
        return stats;
    const std::string strKey = ExpandUserName(target.strName);
    if (strKey.empty())
        return stats;
    if (target.dwType == TT_RECURSIVE && !NamesKeyBelowTopLevel(strKey))
        return stats;

    const HKEY hRoot = RootKeyHandle(target.dwKey);
    HKEY hOpened;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, AccessForType(target.dwType) | samView,
                      &hOpened) != ERROR_SUCCESS)
        return stats;
    const KeyHolder key(hOpened);

    switch (target.dwType) {
    case TT_SINGLE:
        changes.DeleteRegValue(hRoot, strKey, target.strValue, samView);
        stats.nDeletedRegEntries = 1;
        break;
    case TT_CONTENT:
        stats += DeleteValuesByMask(hRoot, strKey, key.get(), target.lstExcludeValues,
                                    target.strValueMask, changes, samView);
        break;
    case TT_RECURSIVE:
        changes.DeleteRegKeyTree(hRoot, strKey, std::string(), samView);
        stats.nDeletedRegEntries = 1;
        break;
    }
    return stats;
}

REGSAM OtherRegistryView(uint32_t dwRoot, const std::string& strKey)
{
    if (dwRoot != RK_LOCAL_MACHINE || lstrcmpiA(strKey.substr(0, 9).c_str(), "Software\\") != 0)
        return 0;
    // A 64-bit program reaches the 32-bit half; a 32-bit one, the 64-bit
    // half where it runs on a 64-bit Windows.
    return sizeof(void*) == 8 ? KEY_WOW64_32KEY : RunsUnderWow64() ? KEY_WOW64_64KEY : 0;
}

CleanStats CleanRegTargetInEveryView(const RegTarget& target, IChanges& changes)
{
    CleanStats stats = CleanRegTarget(target, changes);
    const REGSAM samOther = OtherRegistryView(target.dwKey, ExpandUserName(target.strName));
    if (samOther != 0)
        stats += CleanRegTarget(target, changes, samOther);
    return stats;
}

CleanStats DeleteValuesByMask(HKEY hRoot, const std::string& strKey, HKEY hKey,
                              const StringList& lstExcludeValues, const std::string& strMask,
                              IChanges& changes, REGSAM samView)
{
    std::vector<char> name(kEnumBufferSize);
    std::vector<char> data(kEnumBufferSize);
    std::vector<std::string> vecDoomed;

    DWORD dwIndex = 0;
    int nGrowths = 0;
    for (;;) {
        DWORD cchName = DWORD(name.size());
        DWORD cbData = DWORD(data.size());
        DWORD dwType = 0;
        const LONG nResult =
            RegEnumValueA(hKey, dwIndex, name.data(), &cchName, nullptr, &dwType,
                          reinterpret_cast<BYTE*>(data.data()), &cbData);
        if (nResult == ERROR_MORE_DATA && nGrowths < kMaxGrowths) {
            GrowBuffers(hKey, name, data);
            ++nGrowths;
            continue;
        }
        if (nResult != ERROR_SUCCESS)
            break;
        ++dwIndex;
        nGrowths = 0;

        const std::string strName(name.data(), std::min<size_t>(cchName, name.size()));
        if (!strMask.empty() && !MatchMask(strName, strMask))
            continue;
        const char* pData = data.data();
        const char* pDataEnd = pData + std::min<size_t>(cbData, data.size());
        const std::string strText(pData, std::find(pData, pDataEnd, '\0'));
        if (std::find(lstExcludeValues.begin(), lstExcludeValues.end(), strText) !=
            lstExcludeValues.end())
            continue;
        vecDoomed.push_back(strName);
    }

    CleanStats stats;
    for (const std::string& strName : vecDoomed) {
        if (changes.DeleteRegValue(hRoot, strKey, strName, samView))
            ++stats.nDeletedRegEntries;
    }
    return stats;
}

void ApplyRegUpdate(const RegUpdate& update, IChanges& changes)
{
    if (update.dwDataType != RegUpdate::DT_TEXT && update.dwDataType != RegUpdate::DT_NUMBER)
        return;
    const std::string strKey = ExpandUserName(update.target.strName);
    if (strKey.empty())
        return;
    const HKEY hRoot = RootKeyHandle(update.target.dwKey);
    if (update.dwDataType == RegUpdate::DT_TEXT) {
        // The text up to its first zero, with its zero.
        const char* pszText = update.strData.c_str();
        changes.SetRegValue(hRoot, strKey, update.target.strValue, REG_SZ,
                            std::string(pszText, std::strlen(pszText) + 1));
    } else {
        const DWORD dwData = update.dwData;
        changes.SetRegValue(hRoot, strKey, update.target.strValue, REG_DWORD,
                            std::string(reinterpret_cast<const char*>(&dwData), sizeof(dwData)));
    }
}
