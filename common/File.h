// The small file interface through which actions are read and written.
// A memory implementation serves the portable code and its tests; the Win32
// implementation serves the programs.
#pragma once

#include <cstddef>
#include <cstdint>

class CFile {
public:
    virtual ~CFile() = default;

    // Reads up to nCount bytes at the current position and returns how many
    // were read; fewer means the end of the file or a failure.
    virtual size_t Read(void* pBuffer, size_t nCount) = 0;
    // Writes all nCount bytes at the current position; false on any failure.
    virtual bool Write(const void* pBuffer, size_t nCount) = 0;
    virtual uint64_t GetPosition() const = 0;
    virtual uint64_t GetLength() const = 0;

    // Bytes between the current position and the end of the file.
    uint64_t GetRemaining() const
    {
        const uint64_t nPos = GetPosition();
        const uint64_t nLength = GetLength();
        return nPos < nLength ? nLength - nPos : 0;
    }
};
