// What one entry of a rule file becomes: a plugin action with the cleaner's
// own target types and path macros, and the checks that tell whether the
// entry applies to this machine. Whatever the entry holds that cannot be used
// safely is left out and named. Portable code: the checks themselves are run
// by the import.
#pragma once

#include "cleaner/plugins/RuleFile.h"
#include "common/Action.h"

#include <string>

// The keys that tell whether the entry's program is on this machine.
struct RuleDetection {
    std::string strMinVersion;  // "6.1"; empty: no lower limit
    std::string strMaxVersion;  // empty: no upper limit
    StringVector vecKeys;       // registry keys, "HKLM\Software\..."
    StringVector vecFiles;      // files or folders, with macros and wildcards; a
                                // browser's "SpecialDetect" names its profile folder
    // Whether the entry has a key besides the version limits, usable or not;
    // an entry without one applies wherever its version limits allow.
    bool bLooksForAnything = false;
};

struct MappedRule {
    CAction action;          // disabled; its identifier and title are the entry's name
    RuleDetection detection;
    StringVector vecSkipped;  // "FileKey2: it has no mask", one for each key left out

    // Whether the entry keeps a target to clean.
    bool IsUsable() const { return !action.lstFiles.empty() || !action.lstKeys.empty(); }
};

// Maps the entry; strSource is the rule file's name, which the description
// mentions.
MappedRule MapRuleEntry(const RuleEntry& entry, const std::string& strSource);

// The category of the entry, from "LangSecRef" or "Section"; "Other" when it
// has neither or an unknown number.
std::string RuleCategory(const RuleEntry& entry);

// The name of the plugin file for the identifier: characters that a file
// name cannot hold become "_", the name is cut to a length every folder
// takes, and ".pld" follows.
std::string PluginFileName(const std::string& strId);

// Splits "HKCU\Software\X" into its root and key path; false when the root
// is unknown or no key follows it.
bool SplitRegistryPath(const std::string& strRulePath, uint32_t& dwRoot, std::string& strKey);

// Whether "major.minor" of the running system lies within the limits; a
// limit that is no version number does not limit.
bool WithinVersionLimits(unsigned nMajor, unsigned nMinor, const RuleDetection& detection);
