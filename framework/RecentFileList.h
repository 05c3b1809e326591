// The files a program opened or saved last, newest first. They are kept in
// the registry as the values "File1", "File2", ... of one key and shown in a
// menu where the first recent-file command stands.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CRecentFileList {
public:
    // The key is below HKEY_CURRENT_USER; the commands are nFirstCommandId
    // and the ones after it, one per entry.
    CRecentFileList(const std::string& strKey, size_t nMaxEntries, UINT nFirstCommandId);

    void Load();
    void Save() const;

    // Puts the path first; the same path further down (letter case aside)
    // goes, and so does the oldest entry when the list is full.
    void Add(const std::string& strPath);
    void Remove(size_t nIndex);
    const std::vector<std::string>& GetEntries() const { return m_entries; }
    // The entry of a recent-file command; empty for another command.
    std::string EntryOfCommand(UINT nCommandId) const;

    // Shows the entries in the menu as "&1 path", "&2 path", ... where the
    // first recent-file command is, or that command grayed as "Recent File"
    // while the list is empty. Menus without the command stay as they are.
    void UpdateMenu(HMENU hMenu) const;

private:
    std::string m_strKey;
    size_t m_nMaxEntries;
    UINT m_nFirstCommandId;
    std::vector<std::string> m_entries;
};
