// Path macros: the bracketed and percent-delimited names in targets that
// stand for folders of the system, the user and installed applications.
// Every value is looked up afresh on each call.
#pragma once

#include <string>

struct CGeneralSettings;

// Replaces every path macro, in their fixed order, by its current value.
// pbResolved, when given, is set to false when a macro occurring in the
// text has no location on this machine (an application that is not
// installed, a missing registry value or variable): the text then names a
// folder that nobody meant, and a clean must not touch it.
std::string ExpandPath(const std::string& strPath, const CGeneralSettings& settings,
                       bool* pbResolved = nullptr);

// Replaces "[WIN_USERNAME]" by the name of the user running the program.
std::string ExpandUserName(const std::string& strKeyPath);

// Replaces "[NN:MASKHIDDEN]" by the hidden-files mask setting.
std::string ExpandHiddenMask(const std::string& strMask, const CGeneralSettings& settings);

// The folder of a program registered under "App Paths" ("ICQ.exe"); empty
// when it is not registered.
std::string GetAppPath(const std::string& strProgram);

// The roots of the fixed drives, "C:\|D:\".
std::string GetFixedDrives();

// The user folder of the instant messenger of America Online, from its own
// registry values; empty unless both its base folder and the screen name
// are there.
std::string FindAOLMessengerFolder();
