#include "cleaner/engine/NetscapeLocators.h"

#include "cleaner/engine/KeyHolder.h"
#include "cleaner/engine/ProfileParsing.h"
#include "cleaner/engine/WholeFile.h"
#include "common/RegValue.h"

#include <windows.h>

namespace {

const char kNetscapeBiff[] = "Software\\Netscape\\Netscape Navigator\\biff";
const char kShellFolders[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// A string value of the current user; empty when the key or the value is
// missing or holds no text.
std::string ReadUserText(const std::string& strKey, const char* pszName)
{
    HKEY hOpened;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_QUERY_VALUE, &hOpened) !=
        ERROR_SUCCESS)
        return std::string();
    const KeyHolder key(hOpened);
    std::string strText;
    if (QueryStringValue(key.get(), pszName, strText) != ERROR_SUCCESS)
        return std::string();
    return strText;
}

}  // namespace

std::string FindNetscape4Root()
{
    const std::string strProfile = ReadUserText(kNetscapeBiff, "CurrentUser");
    if (strProfile.empty())
        return std::string();
    const std::string strUserKey = std::string(kNetscapeBiff) + "\\users\\" + strProfile;
    std::string strServer = ReadUserText(strUserKey, "defaultServer");
    if (strServer.empty())
        strServer = "mail";
    return Netscape4RootFromPopstatePath(
        ReadUserText(strUserKey + "\\servers\\" + strServer, "popstatePath"));
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
    const std::string strAppData = ReadUserText(kShellFolders, "AppData");
    if (strAppData.empty())
        return std::string();
    std::string bytes;
    if (!ReadWholeFile(strAppData + "\\Mozilla\\registry.dat", bytes))
        return std::string();
    return MozillaProfileFromRegistryDat(bytes);
}
