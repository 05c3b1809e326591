// The process-wide general settings and action manager of the cleaner.
#pragma once

#include "cleaner/model/ActionManager.h"
#include "cleaner/model/GeneralSettings.h"

CGeneralSettings& GetGeneralSettings();
CActionManager& GetActionManager();
