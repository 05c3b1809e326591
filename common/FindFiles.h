// Listing a folder by a file mask, as people read the mask.
#pragma once

#include <windows.h>

#include <string>

// The entries of one folder, files and folders alike, whose long names
// match a mask (MatchFileMask), in the order of the system's search. An
// entry that the search returns only because its short alias matches is
// passed over. An empty folder path lists nothing: it would stand for the
// current folder, or the root of its drive.
class CFindFiles {
public:
    CFindFiles(const std::string& strFolder, const std::string& strMask);
    ~CFindFiles();
    CFindFiles(const CFindFiles&) = delete;
    CFindFiles& operator=(const CFindFiles&) = delete;

    // Fills data with the next entry; false when there is none left.
    bool Next(WIN32_FIND_DATAA& data);

private:
    std::string m_strFolder;
    std::string m_strMask;
    HANDLE m_hFind = INVALID_HANDLE_VALUE;
    bool m_bStarted = false;
};
