// The options of each action in its own registry key: the enabled flag, the
// exclusion lists of its targets, and for "Custom" the block of its targets.
#pragma once

#include "common/Action.h"

#include <string>

// "Software\ZR\VeltrinPRO\Settings\<id>"
std::string ActionKeyPath(const std::string& strId);

// Reads "bEnabled" (the action's current state is the default, and the value
// is written back) and appends the stored exclusion lists to the targets.
void LoadActionOptions(CAction& action);
// Writes "bEnabled" and the exclusion lists; an empty list deletes its value.
void SaveActionOptions(CAction& action);

// Writes the counts and the name, mask or root, and type of every target.
void StoreCustomTargets(CAction& action);
// Appends the targets of the stored block to the action's lists.
void LoadCustomTargets(CAction& action);
