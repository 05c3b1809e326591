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
// The program's folder followed by "Veltrin.chm::/htm/", set at start-up
// by InitHelpBase.
extern std::string g_strHelpBase;
void InitHelpBase();

// Shows a page of the help file ("general.htm").
void ShowHelpPage(const char* pszPage);
// Opens an address in the program the user chose for it.
void OpenAddress(const char* pszAddress);
// Sends OpenAddress's addresses elsewhere (a test's recorder) and returns
// where they went before; null restores the default.
typedef void (*AddressOpener)(const char* pszAddress);
AddressOpener SetAddressOpener(AddressOpener pfnOpen);

// The paths of the update-information file and the report's request on the
// maker's server.
extern const char kUpdateInfoPath[];  // "/veltrin/updatespro.txt"
extern const char kReportPath[];      // "/veltrin/report.cgi"
// The full address of a path on the maker's server: the base address from
// "strServerUrl" under the settings key when that is set, else the built-in
// one, followed by the path.
std::string ServerAddress(const char* pszPath);
