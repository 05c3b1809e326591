#include "cleaner/shell/UpdateInfo.h"

#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

const char kLatestVersion[] = "LatestVersion";
const char kShowUrl[] = "ShowURL";

bool StartsWith(const char* pszText, const char* pszPrefix)
{
    return std::strncmp(pszText, pszPrefix, std::strlen(pszPrefix)) == 0;
}

// The decimal number at the text's start, after any white space, up to the
// first character that is no digit; out-of-range numbers stop at the limits.
int ReadInteger(const char* pszText)
{
    const long nValue = std::strtol(pszText, nullptr, 10);
    if (nValue > INT_MAX)
        return INT_MAX;
    if (nValue < INT_MIN)
        return INT_MIN;
    return static_cast<int>(nValue);
}

}  // namespace

bool ParseUpdateInfo(const char* pszText, CUpdateInfo& info)
{
    if (!pszText || !StartsWith(pszText, kLatestVersion))
        return false;
    const char* pszAfterName = pszText + std::strlen(kLatestVersion);
    const char* pszLineFeed = std::strchr(pszAfterName, '\n');
    if (!pszLineFeed)
        return false;
    // The line feed lies at or after the separator, so the number starts
    // inside the text (at its terminating zero at the latest).
    const char* pszSecondLine = pszLineFeed + 1;
    if (!StartsWith(pszSecondLine, kShowUrl))
        return false;
    const char* pszOpenQuote = std::strchr(pszSecondLine, '"');
    if (!pszOpenQuote)
        return false;
    const char* pszCloseQuote = std::strchr(pszOpenQuote + 1, '"');
    if (!pszCloseQuote)
        return false;
    info.nLatestVersion = ReadInteger(pszAfterName + 1);
    info.strDownloadPage.assign(pszOpenQuote + 1, pszCloseQuote);
    return true;
}

bool IsNewerVersion(int nLatestVersion, const std::string& strInstalledVersion)
{
    // Rounded to whole hundredths: 2.51 times 100 is 250.99999... in binary
    // floating point, which would make version 251 look newer than itself.
    const double dInstalled = std::strtod(strInstalledVersion.c_str(), nullptr) * 100;
    if (std::isnan(dInstalled))
        return nLatestVersion > 0;
    if (dInstalled >= INT_MAX)
        return false;
    if (dInstalled <= INT_MIN)
        return true;
    return nLatestVersion > std::lround(dInstalled);
}
