// Which family and version of Windows the program runs on, and where the
// system keeps its own files. Each test asks the system afresh; a failed
// query answers false.
#pragma once

#include <string>

bool IsWin9x();    // Windows 95, 98 or ME
bool IsWinNT();    // the NT family
bool IsWin2000();  // NT 5.0
bool IsWinXP();    // NT 5.1 and later 5.x

// The system's own version number ("10.0" as 10 and 0), whatever the
// program's manifest makes GetVersionEx report.
void GetSystemVersion(unsigned& nMajor, unsigned& nMinor);

// Whether this 32-bit program runs on a 64-bit Windows, which shows it its
// own views of the system folder and of the machine's software key.
bool RunsUnderWow64();

// The Windows folder, without a trailing backslash; empty when the system
// does not say.
std::string GetWindowsFolder();
