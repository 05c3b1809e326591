// The path defines a user can put into a path instead of a folder of one
// machine; the cleaner expands them when it runs the plugin.
// Portable: nothing here includes a Windows header.
#pragma once

#include "common/Action.h"

// The 25 defines in the order the preset dialog lists them.
StringVector PresetPathDefines();
