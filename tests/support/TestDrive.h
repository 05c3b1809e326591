// A drive letter of the Wine prefix made for one test: mapped to a fresh
// empty folder, or to a tmpfs of its own that the test mounts where the host
// allows it. The letter and everything on it go when the object does.
#pragma once

#include "tests/support/TempFolder.h"

#include <cstdint>
#include <string>

class CTestDrive {
public:
    CTestDrive() = default;
    ~CTestDrive();
    CTestDrive(const CTestDrive&) = delete;
    CTestDrive& operator=(const CTestDrive&) = delete;

    // Maps a free letter to a new empty folder. False where this is not
    // Wine or no letter is free.
    bool MapFolder();
    // Maps a free letter to a new tmpfs of that many bytes. False also where
    // the host refuses the mount (no privilege).
    bool MapFileSystem(uint64_t nBytes);

    // "R:\", the root of the mapped drive; empty while nothing is mapped.
    const std::string& Root() const { return m_strRoot; }
    // "R:\name".
    std::string operator/(const std::string& strName) const { return m_strRoot + strName; }

private:
    bool MapLetter();

    CTempFolder m_folder;  // what the letter shows, or where the tmpfs is mounted
    std::string m_strHostFolder, m_strHostLink, m_strRoot;
    bool m_bMounted = false;
};

// The free bytes of a drive as the system reports them; 0 when unknown.
uint64_t FreeBytes(const std::string& strRoot);
