#include "cleaner/engine/FileRemoval.h"

CleanStats EraseFile(const std::string&, const FileRemoval&)
{
    return CleanStats();
}

bool WipeFile(const std::string&, uint32_t)
{
    return false;
}

CleanStats CleanFolder(const std::string&, const StringList&, const StringVector&,
                       const std::string&, bool, const FileRemoval&)
{
    return CleanStats();
}

CleanStats CleanFolderTree(const std::string&, const StringList&, const StringVector&,
                           const std::string&, bool, const FileRemoval&)
{
    return CleanStats();
}
