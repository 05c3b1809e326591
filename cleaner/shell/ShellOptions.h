// The options of the cleaner's window, read afresh each time they matter,
// since the settings dialog may have changed them in between. Writing one
// stores it at once; a failed write is not reported.
#pragma once

#include <cstdint>

// Bits of "dwClearLogFlags": the others count only with the master bit.
enum ClearLogFlag : uint32_t {
    CLF_ENABLED = 1,
    CLF_AT_START = 2,
    CLF_AT_CLOSE = 8,
};

// "dwClearLogFlags"; 1 when missing.
uint32_t ReadClearLogFlags();
void WriteClearLogFlags(uint32_t dwFlags);
// Whether the log is cleared on the occasion (CLF_AT_START or CLF_AT_CLOSE).
bool ClearsLogAt(uint32_t dwOccasion);
// "bMoveToTrayOnClose"; true when missing.
bool ReadMoveToTrayOnClose();
void WriteMoveToTrayOnClose(bool bMoveToTray);
// "bRunAtShutdown"; false when missing.
bool ReadRunAtShutdown();
void WriteRunAtShutdown(bool bRunAtShutdown);
