// The cleaner without its window, as a scheduled task or a script runs it:
// "/auto" cleans with the saved settings, "/preview" lists what a clean
// would remove. Both write the log's lines to standard output and, with
// "/log:<path>", to that file as well. "/import:<path>" brings a plugin or
// rule file into the plugin folder and prints what became of it.
#pragma once

#include "common/StringList.h"

#include <string>

class CActionManager;
struct CGeneralSettings;

enum UnattendedMode { UM_NONE, UM_PREVIEW, UM_AUTO, UM_IMPORT };

// Exit codes of an unattended run.
enum UnattendedExit {
    UE_RAN = 0,               // the clean or the preview ran to its end; the file was imported
    UE_FAILED = 1,            // the log or imported file could not be read, or the run stopped
    UE_REFUSED = 2,           // the guard refused: a program whose data would go is open
    UE_ANOTHER_INSTANCE = 3,  // the cleaner is already running
};

// The arguments of a command line: separated by blanks, where a part in
// double quotes, which may hold blanks, counts without its quotes.
StringVector CommandLineArguments(const std::string& strCommandLine);

// What the command line asks for, its switches in any letter case;
// "/import:" wins over "/auto", which wins over "/preview".
UnattendedMode ParseUnattendedMode(const std::string& strCommandLine);
// The path of the first "/log:<path>" argument, quoted or not; empty
// without one.
std::string ParseLogPath(const std::string& strCommandLine);
// The same of "/import:<path>".
std::string ParseImportPath(const std::string& strCommandLine);

// Runs the clean or the preview with the manager's settings and returns the
// exit code. The caller has made sure that no other instance runs when a
// clean is asked for.
int RunUnattended(UnattendedMode mode, const std::string& strLogPath, CActionManager& manager);

// Imports the file into the plugin folder, prints a line for each entry and
// one with the counts, and returns the exit code. The caller has made sure
// that no other instance runs, which would overwrite the imported plugins'
// options when it ends.
int RunImport(const std::string& strPath, const CGeneralSettings& settings);

// Writes a line to standard output (and nothing when there is none), with a
// line end.
void PrintLine(const std::string& strLine);
