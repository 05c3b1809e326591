// Registry targets and updates of an action, and the two registry handlers
// that need code of their own.
#pragma once

#include "cleaner/engine/Changes.h"
#include "common/Action.h"

#include <windows.h>

#include <string>

// Whether the key is there, in the view as below; a key closed to the user
// is there all the same.
bool RegistryKeyExists(HKEY hRoot, const std::string& strKey, REGSAM samView = 0);

// Deletes what one registry target names: a value, the values of a key that
// match a mask, or a key with all its subkeys. A key that cannot be opened
// gives nothing; a value or key target counts one once its key opens, whether
// or not there was anything to delete. A target without a key path, or a key
// tree of a single component below the root, is never touched. The view is
// 0 for the registry as the program sees it, or KEY_WOW64_64KEY or
// KEY_WOW64_32KEY for that half of a 64-bit Windows' registry.
CleanStats CleanRegTarget(const RegTarget& target, IChanges& changes = LiveChanges(),
                          REGSAM samView = 0);

// CleanRegTarget as the program sees the registry, and for a target below
// HKEY_LOCAL_MACHINE\Software on a 64-bit Windows, where 32-bit and 64-bit
// programs keep their machine settings apart, in the other half as well.
CleanStats CleanRegTargetInEveryView(const RegTarget& target, IChanges& changes);

// The view of that other half for a key of the root, or 0 when the key has
// none (outside HKEY_LOCAL_MACHINE\Software, or on a 32-bit Windows).
REGSAM OtherRegistryView(uint32_t dwRoot, const std::string& strKey);

// Deletes the values of the key, open as hKey, whose names match the mask
// (an empty mask matches every name), except those whose data, read as text
// up to the first zero byte, equal an entry of the kept list. Counts each
// value deleted.
CleanStats DeleteValuesByMask(HKEY hRoot, const std::string& strKey, HKEY hKey,
                              const StringList& lstExcludeValues, const std::string& strMask,
                              IChanges& changes, REGSAM samView = 0);

// Sets the value that the update names, creating its key when missing. An
// update without a key path writes nothing.
void ApplyRegUpdate(const RegUpdate& update, IChanges& changes = LiveChanges());

// The search history lists of the shell, by Windows version.
void ClearSearchMRU(IChanges& changes = LiveChanges());

// The browser's auto-complete form data in the protected storage area. On the
// NT family the user's key there is opened up for the deletion and its access
// list put back afterwards.
void ClearAutoCompleteStore(IChanges& changes = LiveChanges());

// Deletes the key tree strKey after opening up the access lists of the keys
// from its ancestor strTop down to it and of the whole tree, for the user
// and the system; strTop gets its own list back afterwards.
void DeleteKeyTreeOpeningUp(HKEY hRoot, const std::string& strTop, const std::string& strKey);

// A security identifier in its standard text form, "S-1-5-21-...", built by
// hand because the system's own conversion is missing on NT 4.0. Empty for an
// invalid identifier.
std::string SidToText(PSID pSid);

// The security identifier of the user the program runs as, in that form;
// empty where the system has none (Windows 95, 98 and ME).
std::string CurrentUserSid();
