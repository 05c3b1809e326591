// What the cleaner says about itself: its name, version, help file and the
// addresses it opens.
#pragma once

#include <string>

extern const char kProductName[];      // "Veltrin PRO"
extern const char kCompanyWebsite[];   // opened by the Help menu and the About box
extern const char kProductPage[];
extern const char kSupportAddress[];   // a "mailto:" address

// The installed version, from the uninstall entry; "???" when missing.
extern const std::string g_strVersion;
// The program's folder followed by "Veltrin.chm::/htm/", set at start-up.
extern std::string g_strHelpBase;

// Shows a page of the help file ("general.htm").
void ShowHelpPage(const char* pszPage);
// Opens an address in the program the user chose for it.
void OpenAddress(const char* pszAddress);
