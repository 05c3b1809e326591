#include "editor/PageItems.h"

#include "common/StringList.h"

#include <cctype>
#include <cstdint>

namespace {

const char kKeywordSeparator = ';';

std::string RootedPath(uint32_t dwKey, const std::string& strName)
{
    return RootKeyTable().NameOf(dwKey) + "\\" + strName;
}

}  // namespace

CCodeTable::CCodeTable(std::initializer_list<Entry> entries, size_t nInitial)
    : m_nInitial(nInitial)
{
    for (const Entry& entry : entries) {
        m_codes.push_back(entry.dwCode);
        m_names.push_back(entry.pszName);
    }
}

std::string CCodeTable::NameOf(uint32_t dwCode) const
{
    for (size_t n = 0; n < m_codes.size(); ++n) {
        if (m_codes[n] == dwCode)
            return m_names[n];
    }
    return std::string();
}

const CCodeTable& FileFlagTable()
{
    static const CCodeTable table({{"File", TT_SINGLE},
                                   {"Dir content", TT_CONTENT},
                                   {"Dir recursion", TT_RECURSIVE},
                                   {"Dir recursion + self", TT_TREE_AND_SELF}},
                                  0);
    return table;
}

const CCodeTable& UpdateMethodTable()
{
    static const CCodeTable table({{"Clear lines", FileUpdate::FU_CLEAR_LINES},
                                   {"Clear keywords", FileUpdate::FU_CLEAR_KEYWORDS},
                                   {"Clear whole file", FileUpdate::FU_CLEAR_FILE}},
                                  0);
    return table;
}

const CCodeTable& RootKeyTable()
{
    static const CCodeTable table({{"HKEY_CLASSES_ROOT", RK_CLASSES_ROOT},
                                   {"HKEY_CURRENT_USER", RK_CURRENT_USER},
                                   {"HKEY_LOCAL_MACHINE", RK_LOCAL_MACHINE},
                                   {"HKEY_USERS", RK_USERS},
                                   {"HKEY_CURRENT_CONFIG", RK_CURRENT_CONFIG}},
                                  1);
    return table;
}

const CCodeTable& KeyFlagTable()
{
    static const CCodeTable table(
        {{"Value", TT_SINGLE}, {"Key content", TT_CONTENT}, {"Key recursion", TT_RECURSIVE}}, 0);
    return table;
}

const CCodeTable& DataTypeTable()
{
    static const CCodeTable table(
        {{"Sting value", RegUpdate::DT_TEXT}, {"DWORD value", RegUpdate::DT_NUMBER}}, 0);
    return table;
}

std::optional<FileTarget> MakeFileTarget(const std::string& strPath, uint32_t dwType,
                                         const std::string& strMask)
{
    if (strPath.empty())
        return std::nullopt;
    FileTarget target;
    target.strName = strPath;
    target.dwType = dwType;
    if (dwType == TT_SINGLE)
        target.strMask.clear();
    else
        target.strMask = strMask.empty() ? "*.*" : strMask;
    target.dwReportFlags = RF_ALL;
    return target;
}

std::optional<FileUpdate> MakeFileUpdate(const std::string& strPath, uint32_t dwMethod,
                                         const std::string& strKeywords)
{
    if (strPath.empty() || strKeywords.empty())
        return std::nullopt;
    FileUpdate update;
    update.strPath = strPath;
    update.dwMethod = dwMethod;
    update.vecKeywords = SplitKeywords(strKeywords);
    return update;
}

std::optional<RegTarget> MakeRegTarget(const std::string& strPath, uint32_t dwKey,
                                       uint32_t dwType, const std::string& strValue,
                                       const std::string& strMask)
{
    if (strPath.empty())
        return std::nullopt;
    RegTarget target;
    target.strName = strPath;
    target.dwKey = dwKey;
    target.dwType = dwType;
    if (dwType == TT_SINGLE)
        target.strValue = strValue;
    if (dwType == TT_CONTENT)
        target.strValueMask = strMask;
    return target;
}

std::optional<RegUpdate> MakeRegUpdate(const std::string& strPath, uint32_t dwKey,
                                       uint32_t dwDataType, const std::string& strName,
                                       const std::string& strData)
{
    if (strPath.empty() || strName.empty())
        return std::nullopt;
    RegUpdate update;
    update.target.strName = strPath;
    update.target.dwKey = dwKey;
    update.target.strValue = strName;
    update.target.dwType = TT_SINGLE;
    if (dwDataType == RegUpdate::DT_NUMBER) {
        update.dwData = LeadingNumber(strData);
        update.dwDataType = RegUpdate::DT_NUMBER;
    } else {
        update.strData = strData;
        update.dwDataType = RegUpdate::DT_TEXT;
    }
    return update;
}

std::optional<std::string> MakeCommandLine(const std::string& strPath,
                                           const std::string& strParameters)
{
    if (strPath.empty())
        return std::nullopt;
    std::string strCommand = "\"" + strPath + "\"";
    if (!strParameters.empty())
        strCommand += " " + strParameters;
    return strCommand;
}

StringVector SplitKeywords(const std::string& strText)
{
    return SplitString(strText + kKeywordSeparator, kKeywordSeparator);
}

uint32_t LeadingNumber(const std::string& strText)
{
    size_t nPos = 0;
    while (nPos < strText.size() && std::isspace(static_cast<unsigned char>(strText[nPos])))
        ++nPos;
    bool bNegative = false;
    if (nPos < strText.size() && (strText[nPos] == '+' || strText[nPos] == '-'))
        bNegative = strText[nPos++] == '-';
    // Beyond the 32-bit range the conversion stops at its limit rather than
    // wrapping.
    const int64_t nLimit = bNegative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    int64_t nValue = 0;
    for (; nPos < strText.size() && std::isdigit(static_cast<unsigned char>(strText[nPos]));
         ++nPos) {
        nValue = nValue * 10 + (strText[nPos] - '0');
        if (nValue > nLimit)
            nValue = nLimit;
    }
    return static_cast<uint32_t>(static_cast<int32_t>(bNegative ? -nValue : nValue));
}

bool IsSameItem(const FileTarget& a, const FileTarget& b)
{
    return a.strName == b.strName && a.dwType == b.dwType && a.bUseMaskList == b.bUseMaskList &&
           a.bWipe == b.bWipe && a.strMask == b.strMask && a.bUseDate == b.bUseDate;
}

bool IsSameItem(const FileUpdate& a, const FileUpdate& b)
{
    return a.strPath == b.strPath && a.dwMethod == b.dwMethod;
}

bool IsSameItem(const RegTarget& a, const RegTarget& b)
{
    return a.strName == b.strName && a.dwType == b.dwType && a.strValue == b.strValue &&
           a.dwKey == b.dwKey;
}

bool IsSameItem(const RegUpdate& a, const RegUpdate& b)
{
    return a.target.strName == b.target.strName && a.dwDataType == b.dwDataType &&
           a.target.strValue == b.target.strValue && a.target.dwKey == b.target.dwKey;
}

bool IsSameItem(const std::string& a, const std::string& b)
{
    return a == b;
}

std::string ItemText(const FileTarget& item, int nColumn)
{
    switch (nColumn) {
    case 0:
        return item.strName;
    case 1:
        return item.strMask;
    default:
        return std::string();
    }
}

std::string ItemText(const FileUpdate& item, int nColumn)
{
    switch (nColumn) {
    case 0:
        return item.strPath;
    case 1:
        return JoinStrings(item.vecKeywords, kKeywordSeparator);
    default:
        return std::string();
    }
}

std::string ItemText(const RegTarget& item, int nColumn)
{
    switch (nColumn) {
    case 0:
        return RootedPath(item.dwKey, item.strName);
    case 1:
        return item.strValue;
    case 2:
        return item.strValueMask;
    default:
        return std::string();
    }
}

std::string ItemText(const RegUpdate& item, int nColumn)
{
    switch (nColumn) {
    case 0:
        return RootedPath(item.target.dwKey, item.target.strName);
    case 1:
        return item.target.strValue;
    case 2:
        return item.dwDataType == RegUpdate::DT_NUMBER ? std::to_string(item.dwData)
                                                        : item.strData;
    default:
        return std::string();
    }
}

std::string ItemText(const std::string& item, int nColumn)
{
    return nColumn == 0 ? item : std::string();
}

int ItemImage(const FileTarget& item)
{
    switch (item.dwType) {
    case TT_SINGLE:
        return 0;
    case TT_CONTENT:
        return 1;
    case TT_RECURSIVE:
        return 2;
    case TT_TREE_AND_SELF:
        return 10;
    default:
        return -1;
    }
}

int ItemImage(const FileUpdate& item)
{
    switch (item.dwMethod) {
    case FileUpdate::FU_CLEAR_LINES:
        return 7;
    case FileUpdate::FU_CLEAR_KEYWORDS:
        return 8;
    case FileUpdate::FU_CLEAR_FILE:
        return 9;
    default:
        return -1;
    }
}

int ItemImage(const RegTarget& item)
{
    switch (item.dwType) {
    case TT_SINGLE:
        return 6;
    case TT_CONTENT:
        return 1;
    case TT_RECURSIVE:
        return 2;
    default:
        return -1;
    }
}

int ItemImage(const RegUpdate& item)
{
    switch (item.dwDataType) {
    case RegUpdate::DT_TEXT:
        return 3;
    case RegUpdate::DT_NUMBER:
        return 4;
    default:
        return -1;
    }
}

int ItemImage(const std::string&)
{
    return 5;
}
