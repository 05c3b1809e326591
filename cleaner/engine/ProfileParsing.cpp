#include "cleaner/engine/ProfileParsing.h"

#include <algorithm>

namespace {

// Only the doubled backslash: anything else a path could hold is written
// as it is.
std::string UnescapeBackslashes(const std::string& strQuoted)
{
    std::string strText;
    strText.reserve(strQuoted.size());
    for (size_t n = 0; n < strQuoted.size(); ++n) {
        strText += strQuoted[n];
        if (strQuoted[n] == '\\' && n + 1 < strQuoted.size() && strQuoted[n + 1] == '\\')
            ++n;
    }
    return strText;
}

}  // namespace

std::string Netscape4RootFromPopstatePath(const std::string& strPopstatePath)
{
    const size_t nMail = strPopstatePath.find("\\mail\\");
    return nMail == std::string::npos ? std::string() : strPopstatePath.substr(0, nMail);
}

bool FindCacheDirectoryPref(const std::string& prefs, std::string& strFolder)
{
    static const char kName[] = "\"browser.cache.directory\"";
    const size_t nName = prefs.find(kName);
    if (nName == std::string::npos)
        return false;
    const size_t nOpen = prefs.find('"', nName + sizeof(kName) - 1);
    if (nOpen == std::string::npos)
        return false;
    const size_t nClose = prefs.find('"', nOpen + 1);
    if (nClose == std::string::npos)
        return false;
    strFolder = UnescapeBackslashes(prefs.substr(nOpen + 1, nClose - nOpen - 1));
    return true;
}

std::string MozillaProfileFromRegistryDat(const std::string& bytes)
{
    const char kSeparator = '\xFF';
    std::string text = bytes;
    std::replace(text.begin(), text.end(), '\0', kSeparator);
    const size_t nFound = text.find("\\Mozilla");
    if (nFound == std::string::npos || nFound == 0)
        return std::string();
    const size_t nBefore = text.rfind(kSeparator, nFound - 1);
    const size_t nAfter = text.find(kSeparator, nFound);
    if (nBefore == std::string::npos || nAfter == std::string::npos)
        return std::string();
    return text.substr(nBefore + 1, nAfter - nBefore - 1);
}
