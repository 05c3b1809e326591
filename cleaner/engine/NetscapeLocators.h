// Where the Netscape and Mozilla browsers keep the current user's folders,
// from their own registry values and configuration files. The defaults of
// the Netscape folder settings; each is looked up afresh on every call.
#pragma once

#include <string>

// The Netscape 4 user folder, from the mail settings of the current
// profile; empty when the profile or its mail state path is not there.
std::string FindNetscape4Root();

// The Netscape 4 cache folder set in the user folder's "prefs.js", or the
// user folder followed by "\Cache" when the file does not set one. Empty
// when there is no user folder.
std::string FindNetscape4Cache();

// The Netscape 6 or Mozilla profile folder named in "Mozilla\registry.dat"
// of the user's application data folder; empty when it cannot be found.
std::string FindMozillaRoot();
