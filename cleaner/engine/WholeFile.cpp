#include "cleaner/engine/WholeFile.h"

#include "common/Win32File.h"

bool ReadWholeFile(const std::string& strPath, std::string& bytes)
{
    bytes.clear();
    CWin32File file;
    if (!file.Open(strPath.c_str(), CWin32File::OM_READ))
        return false;
    const uint64_t nLength = file.GetLength();
    if (nLength > bytes.max_size() / 2)
        return false;
    bytes.resize(static_cast<size_t>(nLength));
    if (file.Read(&bytes[0], bytes.size()) != bytes.size()) {
        bytes.clear();
        return false;
    }
    return true;
}

bool RewriteWholeFile(const std::string& strPath, const std::string& bytes, bool bCreate)
{
    // Opened rather than created anew, so that a hidden file stays what it
    // is and only its content changes.
    CWin32File file;
    if (!file.Open(strPath.c_str(),
                   bCreate ? CWin32File::OM_WRITE_ALWAYS : CWin32File::OM_WRITE_EXISTING))
        return false;
    return file.Write(bytes.data(), bytes.size()) && file.Truncate();
}
