// Clearing the swap file while the system does not use it. The NT family
// has a setting of its own for this. On Windows 95/98/ME a line in the
// start-up batch file runs "swpclr.exe" before Windows loads, and
// "Veltrin.ini" in the Windows folder tells it which swap file to clear.
#pragma once

#include <string>

// Marks the start-up line in "autoexec.bat"; also the only argument of
// "swpclr.exe".
extern const char kSwapClearingMarker[];

// Removes every line that holds the marker (exact, letter case counting),
// with its line end; a last line without a line end is never examined. The
// file is never created and is rewritten only when a line goes. False when
// the file could not be read, or could not be written back.
bool RemoveMarkedLines(const std::string& strPath, const std::string& strMarker);

// Windows 95/98/ME: arranges (or, when not enabled, cancels) the clearing of
// the swap file at the next start. The swap file is "\win386.swp" at the
// root of the given drive, or else in the Windows folder. "Veltrin.ini" is
// emptied and, when enabled and a swap file was found, names it. The
// start-up line leaves "autoexec.bat" and, when enabled, is appended anew;
// a missing "autoexec.bat" is left missing. False when no swap file was
// found (the batch file is then untouched) or "Veltrin.ini" could not be
// written.
bool SetupSwapClearing(bool bEnabled, char cDriveLetter);

// The drive of the swap file that "Veltrin.ini" names, as an upper-case
// letter; 0 when it names none.
char ReadSwapClearingDrive();

// Whether the swap file is cleared at shutdown: on the NT family the
// system's own setting, on Windows 95/98/ME the program's option.
bool ReadSwapClearingOption();

// Stores the option where ReadSwapClearingOption finds it; on Windows
// 95/98/ME it then sets up the clearing with the swap file on the given
// drive. Failures are not reported.
void WriteSwapClearingOption(bool bEnabled, char cDriveLetter);
