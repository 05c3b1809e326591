#include "common/Win32File.h"

#include <algorithm>

namespace {

// ReadFile and WriteFile move at most a DWORD of bytes per call.
const size_t kMaxChunk = 0x40000000;

}  // namespace

bool CWin32File::Open(const char* pszPath, OpenMode mode)
{
    Close();
    DWORD dwAccess = GENERIC_WRITE;
    DWORD dwCreation = OPEN_EXISTING;
    if (mode == OM_READ)
        dwAccess = GENERIC_READ;
    else if (mode == OM_CREATE)
        dwCreation = CREATE_ALWAYS;
    else if (mode == OM_WRITE_ALWAYS)
        dwCreation = OPEN_ALWAYS;
    m_hFile = CreateFileA(pszPath, dwAccess, FILE_SHARE_READ, nullptr, dwCreation,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    return IsOpen();
}

void CWin32File::Close()
{
    if (IsOpen()) {
        CloseHandle(m_hFile);
        m_hFile = INVALID_HANDLE_VALUE;
    }
}

size_t CWin32File::Read(void* pBuffer, size_t nCount)
{
    size_t nTotal = 0;
    while (nTotal < nCount) {
        const DWORD dwWanted = static_cast<DWORD>(std::min(nCount - nTotal, kMaxChunk));
        DWORD dwRead = 0;
        if (!ReadFile(m_hFile, static_cast<char*>(pBuffer) + nTotal, dwWanted, &dwRead, nullptr) ||
            dwRead == 0)
            break;
        nTotal += dwRead;
    }
    return nTotal;
}

bool CWin32File::Write(const void* pBuffer, size_t nCount)
{
    size_t nTotal = 0;
    while (nTotal < nCount) {
        const DWORD dwWanted = static_cast<DWORD>(std::min(nCount - nTotal, kMaxChunk));
        DWORD dwWritten = 0;
        if (!WriteFile(m_hFile, static_cast<const char*>(pBuffer) + nTotal, dwWanted,
                       &dwWritten, nullptr) ||
            dwWritten == 0)
            return false;
        nTotal += dwWritten;
    }
    return true;
}

uint64_t CWin32File::GetPosition() const
{
    LONG nHigh = 0;
    const DWORD dwLow = SetFilePointer(m_hFile, 0, &nHigh, FILE_CURRENT);
    if (dwLow == INVALID_SET_FILE_POINTER && GetLastError() != NO_ERROR)
        return 0;
    return uint64_t(DWORD(nHigh)) << 32 | dwLow;
}

uint64_t CWin32File::GetLength() const
{
    DWORD dwHigh = 0;
    const DWORD dwLow = GetFileSize(m_hFile, &dwHigh);
    if (dwLow == INVALID_FILE_SIZE && GetLastError() != NO_ERROR)
        return 0;
    return uint64_t(dwHigh) << 32 | dwLow;
}
