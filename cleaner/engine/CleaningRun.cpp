#include "cleaner/model/ActionManager.h"

bool CActionManager::RunCleaning(const CStopRequest&)
{
    return true;
}

void CActionManager::PrepareSpecialActions() {}
