#include "cleaner/model/ActionManager.h"

void CActionManager::PrintRunStatistics() const {}
