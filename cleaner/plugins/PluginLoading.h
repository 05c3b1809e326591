// Where the plugin files are.
#pragma once

#include <string>

// The folder from the setting "strPluginFolder"; by default the folder
// "Plugins" beside the cleaner's program.
std::string GetPluginFolder();
