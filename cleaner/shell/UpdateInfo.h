// The update-information file that the maker's server publishes, and how its
// version compares with the running one. Portable code.
#pragma once

#include <string>

// "LatestVersion=250\nShowURL "http://host/download.htm"": the latest version
// times 100 and the download page.
struct CUpdateInfo {
    int nLatestVersion = 0;
    std::string strDownloadPage;
};

// Reads the zero-terminated text of the file byte by byte: "LatestVersion" at
// the first byte, one separator of any kind, the version as a decimal number,
// the first line feed, "ShowURL" right after it, and the page between the
// next two double quotes. False, with the result untouched, when any step
// fails; null reads as an empty text.
bool ParseUpdateInfo(const char* pszText, CUpdateInfo& info);

// True when the latest version (times 100) is above the installed version,
// a decimal text such as "2.50" taken to whole hundredths; a text that is no
// number ("???") reads as 0.
bool IsNewerVersion(int nLatestVersion, const std::string& strInstalledVersion);
