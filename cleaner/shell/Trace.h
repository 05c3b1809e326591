// The trace file "allBuffs.txt" in the "Temp" folder of the Windows folder,
// where the cleaner notes its start-up and shutdown events.
#pragma once

// Appends one record: optionally the time (UTC) first, optionally a
// separator, then the text and a line end. A file that cannot be opened
// drops the record.
void TraceToFile(const char* pszText, bool bWithTime, bool bWithSeparator);
