// Carrying out one action of a clean.
#pragma once

#include "common/Action.h"

class CStopRequest;
struct CGeneralSettings;

// Runs the action's handler, between its start line and its completion
// line in the log, and returns what it removed.
CleanStats ExecuteAction(const CAction& action, const CGeneralSettings& settings,
                         const CStopRequest& stop);
