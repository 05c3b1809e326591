#include "cleaner/engine/FileRemoval.h"

void DeleteAtReboot(const std::string&) {}
