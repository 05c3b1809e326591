// Bringing plugins in from outside: a plugin file is copied into the plugin
// folder; a rule file becomes one plugin file for each of its entries that
// applies to this machine. Importing again replaces the plugins of the same
// identifiers, so that a fresh rule file refreshes them.
#pragma once

#include "common/Action.h"

#include <string>

struct CGeneralSettings;
struct RuleDetection;

struct ImportReport {
    bool bRead = false;     // the file could be read; otherwise strError says why
    std::string strError;
    StringVector vecLines;  // "Imported <id>", "Not installed here: <id>", "Skipped <id>: <why>"
    unsigned nImported = 0;
    unsigned nNotInstalled = 0;
    unsigned nSkipped = 0;  // entries of which nothing usable remained

    // "<N> imported, <M> not installed here, <K> skipped"
    std::string Summary() const;
};

// Whether the file is read as a rule file (".ini") rather than a plugin.
bool IsRuleFile(const std::string& strPath);

// Imports the plugin or rule file into the folder.
ImportReport ImportIntoPluginFolder(const std::string& strPath, const std::string& strFolder,
                                    const CGeneralSettings& settings);

// Whether an entry with these detection keys applies to this machine: the
// system's version lies within its limits, and, where it looks for anything,
// one of its registry keys, files or folders exists. Keys under
// HKEY_LOCAL_MACHINE\Software are looked for in both registry views of a
// 64-bit Windows.
bool RuleApplies(const RuleDetection& detection, const CGeneralSettings& settings);
