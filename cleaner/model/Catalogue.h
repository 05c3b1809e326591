// The forty actions the cleaner knows without any plugin.
#pragma once

#include "cleaner/model/ActionManager.h"

// Inserts every built-in action into the map under its identifier, in the
// catalogue's order; an action already there under that name is replaced.
void AddBuiltInActions(ActionMap& actions, const CGeneralSettings& settings);
