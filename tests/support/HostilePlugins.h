// A plugin folder as someone who wants to break the cleaner would fill it:
// every kind of damaged or hostile file beside a few good plugins.
#pragma once

#include "common/StringList.h"
#include "tests/support/TempFolder.h"

#include <windows.h>

#include <string>

// A plugin of the usual shape, with every kind of target, under the id.
class CAction;
CAction FullPlugin(const std::string& strId);

class CHostilePluginFolder {
public:
    // Fills the (existing, empty) folder with some 200 entries: good plugins, one
    // cut at every offset, huge counts and lengths, random bytes with and without
    // the signature, an empty file, a folder and a file locked while this lives.
    explicit CHostilePluginFolder(const std::string& strFolder);
    ~CHostilePluginFolder()
    {
        if (m_hLocked != INVALID_HANDLE_VALUE)
            CloseHandle(m_hLocked);
    }
    CHostilePluginFolder(const CHostilePluginFolder&) = delete;
    CHostilePluginFolder& operator=(const CHostilePluginFolder&) = delete;

    // The ids that loading must find: the good plugins and the cut one, since a cut
    // where an older layout of the file ended leaves a good plugin of that layout.
    const StringVector& LoadableIds() const { return m_loadableIds; }
    // The entries written, the folder among them.
    int EntryCount() const { return m_nEntries; }

private:
    bool Write(const std::string& strName, const std::string& bytes)
    {
        ++m_nEntries;
        return WriteFileBytes(m_strFolder + "\\" + strName, bytes);
    }

    std::string m_strFolder;
    StringVector m_loadableIds;
    HANDLE m_hLocked = INVALID_HANDLE_VALUE;
    int m_nEntries = 0;
};
