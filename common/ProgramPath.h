// Where the running program lives.
#pragma once

#include <string>

// The full path of the program's executable; empty when the system does
// not say.
std::string GetProgramPath();
// Its folder, without a trailing backslash.
std::string GetProgramFolder();
