#include "cleaner/engine/RegistryCleaning.h"

CleanStats CleanRegTarget(const RegTarget&)
{
    return CleanStats();  // written next
}

CleanStats DeleteValuesByMask(HKEY, const StringList&, const std::string&)
{
    return CleanStats();
}

void ApplyRegUpdate(const RegUpdate&) {}
