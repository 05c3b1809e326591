// The "&Tools" menu of a plugin window: installing the active plugin into
// the cleaner's plugin folder, and starting the registry editor.
#pragma once

#include <windows.h>

#include <string>

// Copies the plugin file at the document's path (empty for a document never
// saved) into the plugin folder that the cleaner's settings name, and says
// in a message box owned by hOwner whether it worked. What is installed is
// the file on disk: edits made since the last save are not, and installing
// does not save. An older file of that name in the folder is replaced only
// by a complete copy, so a failed install leaves it as it was. True when the
// plugin was installed.
bool InstallPlugin(HWND hOwner, const std::string& strDocumentPath);

// The path the plugin at the document's path gets in the folder: the file's
// name in that folder, with one separator between them.
std::string InstalledPluginPath(const std::string& strFolder, const std::string& strDocumentPath);

// Starts the system's registry editor; nothing is reported when it fails.
void LaunchRegedit();
