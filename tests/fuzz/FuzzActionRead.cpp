// Feeds arbitrary bytes to the plugin reader. Whatever it accepts must write back to a
// file that reads to the same action, and write the same bytes again: the reader and the
// writer agree on every field.
#include "common/Action.h"
#include "common/MemFile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    CMemFile input(pData, nSize);
    CAction action, reread;
    if (!action.Read(input))
        return 0;
    CMemFile written, rewritten;
    if (!action.Write(written))
        __builtin_trap();
    written.SeekToBegin();
    if (!reread.Read(written) || !(reread == action) || !reread.Write(rewritten) ||
        rewritten.GetData() != written.GetData())
        __builtin_trap();
    return 0;
}
