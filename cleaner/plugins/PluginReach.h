// What a plugin will do that its own description may leave unsaid: the
// programs it starts, now or at every logon, and the targets that reach a whole drive, the Windows
// folder or a whole registry key tree. Plugins come from anywhere; the
// Plug-Ins page shows these lines before anyone switches one on.
#pragma once

#include "common/Action.h"

#include <string>

struct CGeneralSettings;

// One plain sentence for each such thing, for the action as a clean would
// run it now: its paths expanded as the engine expands them, with the drives
// and command lines a clean takes from the settings. Only what the action's
// kind really does is told. Empty when the action does nothing of the sort.
StringVector DescribePluginReach(const CAction& action, const CGeneralSettings& settings);

// Every file and registry target of a standard action, one line each, with
// its paths expanded as a clean expands them now; folders written with
// wildcards are shown as written after the expansion of their macros.
// Targets that a clean would skip here (a macro without a location) are
// left out.
StringVector DescribePluginTargets(const CAction& action, const CGeneralSettings& settings);

// The description, then the sentences of the reach and the targets, each
// under a heading of its own when there are any. Lines end in "\r\n", as a
// multi-line edit control needs them.
std::string PluginDetailsText(const std::string& strDescription, const StringVector& reach,
                              const StringVector& targets = {});
