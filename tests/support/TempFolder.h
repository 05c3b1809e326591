// A fresh temporary folder, removed with its content at the end, and file access.
#pragma once

#include "tests/support/HostCalls.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

inline bool FileExists(const std::string& strPath)
{
    return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Text between the ANSI code page and wide characters ("?" for what it cannot write).
inline std::wstring Wide(const std::string& strText)
{
    std::wstring text(strText.size() + 1, L'\0');  // never more characters than bytes
    MultiByteToWideChar(CP_ACP, 0, strText.c_str(), -1, &text[0], int(text.size()));
    return text.c_str();
}
inline std::string Narrow(const std::wstring& text)
{
    std::string strText(text.size() * 4 + 1, '\0');
    WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, &strText[0], int(strText.size()), nullptr,
                        nullptr);
    return strText.c_str();
}

class CTempFolder {
public:
    CTempFolder()
    {
        char szTemp[MAX_PATH], szPath[MAX_PATH];
        GetTempPathA(MAX_PATH, szTemp);
        for (unsigned n = GetTickCount(); m_strPath.empty(); ++n) {
            wsprintfA(szPath, "%sveltrin-test-%08x", szTemp, n);
            if (CreateDirectoryA(szPath, nullptr))
                m_strPath = szPath;
            else if (GetLastError() != ERROR_ALREADY_EXISTS)
                break;
        }
        EXPECT_FALSE(m_strPath.empty()) << "cannot create a folder in " << szTemp;
    }
    ~CTempFolder()
    {
        if (!m_strPath.empty())
            RemoveTree(L"\\\\?\\" + Wide(m_strPath));
    }
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::string& Path() const { return m_strPath; }
    // The path of a name inside the folder.
    std::string operator/(const std::string& strName) const { return m_strPath + "\\" + strName; }

private:
    // Through "\\?\" paths, so that any names and paths of any length go too.
    static void RemoveTree(const std::wstring& path)
    {
        WIN32_FIND_DATAW data;
        HANDLE hFind = FindFirstFileW((path + L"\\*").c_str(), &data);
        if (hFind != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = data.cFileName, child = path + L"\\" + name;
                if (name == L"." || name == L"..")
                    continue;
                if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
                    // A link to a folder: remove the link, never what it points to.
                    if (!RemoveDirectoryW(child.c_str()))
                        RemoveHostSymlink(Narrow(child.substr(4)));
                } else if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(child);
                } else {
                    SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(child.c_str());
                }
            } while (FindNextFileW(hFind, &data));
            FindClose(hFind);
        }
        RemoveDirectoryW(path.c_str());
    }

    std::string m_strPath;
};

// The names of the files (not folders) that match, in the order the system lists them.
inline std::vector<std::string> FilesInListedOrder(const std::string& strFolder,
                                                   const char* pszPattern = "*.*")
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strFolder + "\\" + pszPattern).c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(data.cFileName);
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return names;
}

// Sets the file's last-write time to the first of January of the year.
inline void SetLastWriteYear(const std::string& strPath, unsigned short wYear)
{
    const SYSTEMTIME time = {wYear, 1, 0, 1, 0, 0, 0, 0};
    FILETIME fileTime;
    ASSERT_TRUE(SystemTimeToFileTime(&time, &fileTime));
    HANDLE hFile = CreateFileA(strPath.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(hFile, INVALID_HANDLE_VALUE) << strPath;
    EXPECT_TRUE(SetFileTime(hFile, nullptr, nullptr, &fileTime));
    CloseHandle(hFile);
}

// The whole content of a file as bytes; empty when it cannot be read.
inline std::string ReadFileBytes(const std::string& strPath)
{
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes(GetFileSize(hFile, nullptr) + 1, '\0');
    DWORD dwRead = 0;
    ReadFile(hFile, &bytes[0], DWORD(bytes.size() - 1), &dwRead, nullptr);
    CloseHandle(hFile);
    return bytes.substr(0, dwRead);
}

inline bool WriteFileBytes(const std::string& strPath, const std::string& bytes)
{
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                               nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return false;
    DWORD dwWritten = 0;
    const BOOL bOk = WriteFile(hFile, bytes.data(), DWORD(bytes.size()), &dwWritten, nullptr);
    CloseHandle(hFile);
    return bOk && dwWritten == bytes.size();
}

// Writes each file (its text "data"), with the folders on its way.
inline void MakeTree(const std::string& strTop, const std::vector<std::string>& files)
{
    for (const std::string& strFile : files) {
        for (size_t n = strFile.find('\\'); n != std::string::npos; n = strFile.find('\\', n + 1))
            CreateDirectoryA((strTop + "\\" + strFile.substr(0, n)).c_str(), nullptr);
        ASSERT_TRUE(WriteFileBytes(strTop + "\\" + strFile, "data")) << strFile;
    }
}

// Every file and folder below the folder, by its path relative to it; links not entered.
inline std::set<std::string> TreeEntries(const std::string& strTop,
                                         const std::string& strBelow = "")
{
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strTop + "\\" + strBelow + "*").c_str(), &data);
    for (BOOL bFound = hFind != INVALID_HANDLE_VALUE; bFound;
         bFound = FindNextFileA(hFind, &data)) {
        const std::string strName = data.cFileName, strPath = strBelow + strName;
        if (strName != "." && strName != ".." && names.insert(strPath).second &&
            (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
                FILE_ATTRIBUTE_DIRECTORY) {
            const std::set<std::string> below = TreeEntries(strTop, strPath + "\\");
            names.insert(below.begin(), below.end());
        }
    }
    FindClose(hFind);
    return names;
}
