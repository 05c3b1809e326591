// A drive letter of the Wine prefix for one test, mapped to a fresh folder or to a
// tmpfs of its own; the letter and everything on it go with the object.
#pragma once

#include "tests/support/TempFolder.h"

#include <cstdint>
#include <string>

class CTestDrive {
public:
    ~CTestDrive();

    // Maps a free letter to a new empty folder; false where not Wine or none is free.
    bool MapFolder();
    // Maps a letter to a new tmpfs of that size; false also where the host refuses.
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
