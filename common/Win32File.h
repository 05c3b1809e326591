// A file on disk behind the action file interface.
#pragma once

#include "common/File.h"

#include <windows.h>

class CWin32File : public CFile {
public:
    enum OpenMode {
        OM_READ,            // an existing file, for reading
        OM_CREATE,          // a new or emptied file, for writing
        OM_WRITE_EXISTING,  // an existing file, for writing, neither created nor emptied
        OM_WRITE_ALWAYS,    // as OM_WRITE_EXISTING, but a missing file is created
    };

    CWin32File() = default;
    ~CWin32File() override { Close(); }
    CWin32File(const CWin32File&) = delete;
    CWin32File& operator=(const CWin32File&) = delete;

    bool Open(const char* pszPath, OpenMode mode);
    void Close();
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }

    // Ends the file at the current position.
    bool Truncate() { return SetEndOfFile(m_hFile) != FALSE; }

    size_t Read(void* pBuffer, size_t nCount) override;
    bool Write(const void* pBuffer, size_t nCount) override;
    uint64_t GetPosition() const override;
    uint64_t GetLength() const override;

private:
    HANDLE m_hFile = INVALID_HANDLE_VALUE;
};
