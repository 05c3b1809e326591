// A fresh folder in the temporary folder, removed with its content when the
// test ends.
#pragma once

#include <string>
#include <vector>

class CTempFolder {
public:
    CTempFolder();
    ~CTempFolder();
    CTempFolder(const CTempFolder&) = delete;
    CTempFolder& operator=(const CTempFolder&) = delete;

    const std::string& Path() const { return m_strPath; }
    // The path of a name inside the folder.
    std::string operator/(const std::string& strName) const { return m_strPath + "\\" + strName; }

private:
    std::string m_strPath;
};

bool FileExists(const std::string& strPath);
// Text between the ANSI code page and wide characters; "?" stands for what
// the code page cannot write.
std::wstring Wide(const std::string& strText);
std::string Narrow(const std::wstring& text);
// The names of the files (not folders) of a folder that match the pattern,
// in the order the system lists them.
std::vector<std::string> FilesInListedOrder(const std::string& strFolder,
                                            const char* pszPattern = "*.*");
// Sets the file's last-write time to the first of January of the year.
void SetLastWriteYear(const std::string& strPath, unsigned short wYear);

// The whole content of a file as bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& strPath);
bool WriteFileBytes(const std::string& strPath, const std::string& bytes);
