// Reading the places of the Netscape and Mozilla user folders out of the
// values and files in which those browsers keep them. Portable code.
#pragma once

#include <string>

// The Netscape 4 user folder from the path of the mail state file of the
// user's mail server ("C:\...\Users\jo\mail\popstate.dat"): the text before
// the first "\mail\"; empty when the path has none.
std::string Netscape4RootFromPopstatePath(const std::string& strPopstatePath);

// The cache folder that the bytes of a Netscape 4 "prefs.js" set with the
// preference "browser.cache.directory": the quoted text after the quoted
// name, a doubled backslash read as one, as the script string means it.
// False when the name or either quotation mark of the value is missing.
bool FindCacheDirectoryPref(const std::string& prefs, std::string& strFolder);

// The Mozilla profile folder in the bytes of its "registry.dat": the first
// of the stored strings, which zero bytes (or 0xFF bytes) separate, that
// holds "\Mozilla". Empty when there is none, or it is not enclosed by
// separators on both sides.
std::string MozillaProfileFromRegistryDat(const std::string& bytes);
