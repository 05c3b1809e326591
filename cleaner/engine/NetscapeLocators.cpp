#include "cleaner/engine/NetscapeLocators.h"

#include "cleaner/engine/ProfileParsing.h"
#include "cleaner/engine/WholeFile.h"
#include "common/RegValue.h"

#include <windows.h>

namespace {

const char kNetscapeBiff[] = "Software\\Netscape\\Netscape Navigator\\biff";
const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

}  // namespace

std::string FindNetscape4Root()
{
    const std::string strProfile = ReadRegText(HKEY_CURRENT_USER, kNetscapeBiff, "CurrentUser");
    if (strProfile.empty())
        return std::string();
    const std::string strUserKey = std::string(kNetscapeBiff) + "\\users\\" + strProfile;
    std::string strServer = ReadRegText(HKEY_CURRENT_USER, strUserKey, "defaultServer");
    if (strServer.empty())
        strServer = "mail";
    return Netscape4RootFromPopstatePath(
        ReadRegText(HKEY_CURRENT_USER, strUserKey + "\\servers\\" + strServer, "popstatePath"));
}

// Without a user folder the fallback would be "\Cache", a folder at the
// root of the current drive that nobody meant.
std::string FindNetscape4Cache()
{
    const std::string strRoot = FindNetscape4Root();
    if (strRoot.empty())
        return std::string();
    std::string prefs;
    std::string strCache;
    if (ReadWholeFile(strRoot + "\\prefs.js", prefs) && FindCacheDirectoryPref(prefs, strCache))
        return strCache;
    return strRoot + "\\Cache";
}

std::string FindMozillaRoot()
{
    const std::string strAppData = ReadRegText(HKEY_CURRENT_USER, kShellFolders, "AppData");
    if (strAppData.empty())
        return std::string();
    std::string bytes;
    if (!ReadWholeFile(strAppData + "\\Mozilla\\registry.dat", bytes))
        return std::string();
    return MozillaProfileFromRegistryDat(bytes);
}
