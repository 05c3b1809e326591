#include "common/Action.h"

#include <cstring>
#include <tuple>

bool SysTime::operator==(const SysTime& other) const
{
    return std::memcmp(this, &other, sizeof(SysTime)) == 0;
}

bool FileTarget::operator==(const FileTarget& other) const
{
    return std::tie(strName, dwType, lstExclude, vecMasks, strMask, bUseMaskList, bWipe, bUseDate,
                    stDate, dwReportFlags) ==
           std::tie(other.strName, other.dwType, other.lstExclude, other.vecMasks, other.strMask,
                    other.bUseMaskList, other.bWipe, other.bUseDate, other.stDate,
                    other.dwReportFlags);
}

bool RegTarget::operator==(const RegTarget& other) const
{
    return std::tie(strName, strValue, strValueMask, dwKey, lstExcludeKeys, lstExcludeValues,
                    dwType) == std::tie(other.strName, other.strValue, other.strValueMask,
                                        other.dwKey, other.lstExcludeKeys,
                                        other.lstExcludeValues, other.dwType);
}

bool RegUpdate::operator==(const RegUpdate& other) const
{
    return std::tie(target, strData, dwData, dwDataType) ==
           std::tie(other.target, other.strData, other.dwData, other.dwDataType);
}

bool FileUpdate::operator==(const FileUpdate& other) const
{
    return std::tie(strPath, dwMethod, vecKeywords) ==
           std::tie(other.strPath, other.dwMethod, other.vecKeywords);
}

bool FilePairItem::operator==(const FilePairItem& other) const
{
    return std::tie(strFirst, strSecond, dwCode) ==
           std::tie(other.strFirst, other.strSecond, other.dwCode);
}

CleanStats& CleanStats::operator+=(const CleanStats& other)
{
    // Unsigned arithmetic: each counter wraps on its own.
    dwReleasedSpace += other.dwReleasedSpace;
    nDeletedFiles += other.nDeletedFiles;
    nUpdatedFiles += other.nUpdatedFiles;
    nRebootFiles += other.nRebootFiles;
    nDeletedRegEntries += other.nDeletedRegEntries;
    return *this;
}

bool CleanStats::operator==(const CleanStats& other) const
{
    return std::tie(dwReleasedSpace, nDeletedFiles, nUpdatedFiles, nRebootFiles,
                    nDeletedRegEntries) == std::tie(other.dwReleasedSpace, other.nDeletedFiles,
                                                    other.nUpdatedFiles, other.nRebootFiles,
                                                    other.nDeletedRegEntries);
}

CleanStats operator+(CleanStats left, const CleanStats& right)
{
    return left += right;
}

void CAction::Reset()
{
    *this = CAction();
}

bool CAction::operator==(const CAction& other) const
{
    return std::tie(dwKind, lstFiles, lstKeys, lstFreeSpaceDrives, lstRecycleBinDrives,
                    lstCommands, lstFilePairs, lstKeyUpdates, lstFileUpdates, strId, strTitle,
                    dwWarningLevel, strDescription, strCategory, bWarned, bEnabled) ==
           std::tie(other.dwKind, other.lstFiles, other.lstKeys, other.lstFreeSpaceDrives,
                    other.lstRecycleBinDrives, other.lstCommands, other.lstFilePairs,
                    other.lstKeyUpdates, other.lstFileUpdates, other.strId, other.strTitle,
                    other.dwWarningLevel, other.strDescription, other.strCategory, other.bWarned,
                    other.bEnabled);
}
