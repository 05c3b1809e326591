#include "cleaner/engine/RecycleBin.h"

#include "cleaner/engine/FileRemoval.h"
#include "cleaner/engine/FolderPattern.h"
#include "cleaner/engine/RegistryCleaning.h"
#include "common/StringList.h"

#include <windows.h>

namespace {

// The user's folder in the bin of Windows Vista and later: the files that
// were deleted ("$R...") with their records ("$I..."), and the folders that
// were deleted as a whole, which go with everything in them.
CleanStats EmptyUserBin(const std::string& strFolder, const FileRemoval& removal)
{
    CleanStats stats = CleanFolder(strFolder, StringList{"desktop.ini"}, StringVector(), "*.*",
                                   false, removal);
    // Its subfolders, never through a link.
    const StringVector subfolders = ExpandFolderPattern(strFolder + "\\*");
    if (!subfolders.empty())
        stats += CleanFolderTreeAndSelf(JoinWithSeparator(subfolders, kListSeparator),
                                        StringList(), StringVector(), "*.*", false, removal);
    return stats;
}

}  // namespace

CleanStats EmptyRecycleBin(const std::string& strDrive, const FileRemoval& removal)
{
    // The system family decides which of the two a drive has; both are
    // emptied everywhere, since a drive may have been used by either.
    CleanStats stats;
    if (strDrive.empty())
        return stats;  // the folders would be looked for on the current drive
    for (const char* pszFolder : {"\\Recycled", "\\Recycler"})
        stats += CleanFolderTree(strDrive + pszFolder, StringList(), StringVector(), "*.*", false,
                                 removal);
    const std::string strSid = CurrentUserSid();
    const std::string strRoot = strDrive.back() == '\\' ? strDrive : strDrive + "\\";
    const std::string strUserBin = strRoot + "$Recycle.Bin\\" + strSid;
    const DWORD dwAttributes = GetFileAttributesA(strUserBin.c_str());
    if (!strSid.empty() && dwAttributes != INVALID_FILE_ATTRIBUTES &&
        (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        stats += EmptyUserBin(strUserBin, removal);
    return stats;
}
