#include "cleaner/engine/PathMacros.h"

#include "cleaner/model/GeneralSettings.h"

std::string ExpandPath(const std::string& strPath, const CGeneralSettings&, bool* pbResolved)
{
    if (pbResolved)
        *pbResolved = true;
    return strPath;  // written next
}

std::string ExpandUserName(const std::string& strKeyPath)
{
    return strKeyPath;
}

std::string ExpandHiddenMask(const std::string& strMask, const CGeneralSettings&)
{
    return strMask;
}

std::string GetAppPath(const std::string&)
{
    return std::string();
}

std::string GetFixedDrives()
{
    return std::string();
}

std::string FindAOLMessengerFolder()
{
    return std::string();
}
