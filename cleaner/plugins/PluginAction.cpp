#include "cleaner/plugins/PluginAction.h"

#include "common/MemFile.h"
#include "common/Win32File.h"

#include <vector>

namespace {

// The reader takes a plugin a few bytes at a time and asks for the position
// and length between fields: from memory that is free, from the file each
// is a system call. Files larger than this are read from the file as before.
const uint64_t kMaxReadAtOnce = 1 << 20;

}  // namespace

bool CPluginAction::Load()
{
    CWin32File file;
    if (!file.Open(m_strFilePath.c_str(), CWin32File::OM_READ))
        return false;
    const uint64_t nLength = file.GetLength();
    if (nLength > kMaxReadAtOnce)
        return Read(file);
    std::vector<unsigned char> bytes(static_cast<size_t>(nLength));
    bytes.resize(file.Read(bytes.data(), bytes.size()));
    CMemFile memory(std::move(bytes));
    return Read(memory);
}

// A shorter action than the one on disk must not leave the old tail behind,
// so the file ends where the new action ends.
bool CPluginAction::Save()
{
    CWin32File file;
    return file.Open(m_strFilePath.c_str(), CWin32File::OM_WRITE_EXISTING) && Write(file) &&
           file.Truncate();
}
