// Carrying out one action of a clean.
#pragma once

#include "cleaner/engine/Changes.h"
#include "common/Action.h"

class CStopRequest;
struct CGeneralSettings;

// Runs the action's handler, between its start line and its end line in
// the log, and returns what it removed. Every change goes through changes.
CleanStats ExecuteAction(const CAction& action, const CGeneralSettings& settings,
                         const CStopRequest& stop, IChanges& changes = LiveChanges());
