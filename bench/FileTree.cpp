#include "bench/FileTree.h"

#include <windows.h>

#include <cstdio>
#include <vector>

bool BuildFileTree(const std::string& strTop, int nFiles, int nFolders)
{
    std::vector<char> content(1024, 'x');
    for (int nFolder = 0; nFolder < nFolders; ++nFolder) {
        char szFolder[32];
        std::snprintf(szFolder, sizeof(szFolder), "\\folder%03d", nFolder);
        const std::string strFolder = strTop + szFolder;
        if (!CreateDirectoryA(strFolder.c_str(), nullptr) &&
            GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
        const int nFirst = nFiles * nFolder / nFolders;
        const int nEnd = nFiles * (nFolder + 1) / nFolders;
        for (int nFile = nFirst; nFile < nEnd; ++nFile) {
            char szName[32];
            std::snprintf(szName, sizeof(szName), "\\cache%06d.tmp", nFile);
            HANDLE hFile = CreateFileA((strFolder + szName).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (hFile == INVALID_HANDLE_VALUE)
                return false;
            DWORD cbWritten = 0;
            const bool bWritten =
                WriteFile(hFile, content.data(), DWORD(content.size()), &cbWritten, nullptr) &&
                cbWritten == content.size();
            CloseHandle(hFile);
            if (!bWritten)
                return false;
        }
    }
    return true;
}

int DeleteTreeBare(const std::string& strTop)
{
    // Files first, then the subfolders, as the clean goes.
    int nDeleted = 0;
    std::vector<std::string> subfolders;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strTop + "\\*.*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do {
        const std::string strPath = strTop + "\\" + data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            if (DeleteFileA(strPath.c_str()))
                ++nDeleted;
        } else if (data.cFileName[0] != '.') {
            subfolders.push_back(strPath);
        }
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    for (const std::string& strFolder : subfolders) {
        nDeleted += DeleteTreeBare(strFolder);
        RemoveDirectoryA(strFolder.c_str());
    }
    return nDeleted;
}

int CountFiles(const std::string& strTop)
{
    int nFiles = 0;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strTop + "\\*.*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++nFiles;
        else if (data.cFileName[0] != '.')
            nFiles += CountFiles(strTop + "\\" + data.cFileName);
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return nFiles;
}
