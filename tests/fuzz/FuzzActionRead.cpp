// Arbitrary bytes for the plugin reader: whatever it accepts must write back to a file that
// reads to the same action and writes the same bytes again.
#include "common/Action.h"
#include "common/MemFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    CMemFile input(pData, nSize), written, rewritten;
    CAction action, reread;
    if (!action.Read(input))
        return 0;
    if (!action.Write(written))
        __builtin_trap();
    written.SeekToBegin();
    if (!reread.Read(written) || !(reread == action) || !reread.Write(rewritten) ||
        rewritten.GetData() != written.GetData())
        __builtin_trap();
    return 0;
}
