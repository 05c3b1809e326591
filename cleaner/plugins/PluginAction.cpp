#include "cleaner/plugins/PluginAction.h"

#include "common/Win32File.h"

bool CPluginAction::Load()
{
    CWin32File file;
    return file.Open(m_strFilePath.c_str(), CWin32File::OM_READ) && Read(file);
}

// A shorter action than the one on disk must not leave the old tail behind,
// so the file ends where the new action ends.
bool CPluginAction::Save()
{
    CWin32File file;
    return file.Open(m_strFilePath.c_str(), CWin32File::OM_WRITE_EXISTING) && Write(file) &&
           file.Truncate();
}
