#include "cleaner/engine/RegistryCleaning.h"

void ClearSearchMRU() {}

void ClearAutoCompleteStore() {}
