#include "cleaner/engine/RecycleBin.h"

#include "cleaner/engine/FileRemoval.h"

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
    return stats;
}
