// Starting the cleaner with Windows: a value under the machine's Run key,
// named after the product, that holds the program's full path exactly
// while the user wants it.
#pragma once

#include <string>

// The text of the entry; empty when there is none.
std::string ReadAutostartEntry();
// Writes the running program's path as the entry. A user without the right
// to change the machine's settings cannot; false then.
bool WriteAutostartEntry();
// Removes the entry if the user may.
void RemoveAutostartEntry();
