// The options of each action in its own registry key: the enabled flag, the
// exclusion lists of its targets, the text the user gave the browser's window
// title and start page, and for "Custom" the block of its targets.
#pragma once

#include "common/Action.h"

#include <string>

// "Software\ZR\VeltrinPRO\Settings\<id>"
std::string ActionKeyPath(const std::string& strId);

// Whether the data of the action's first registry update is a text the user
// chose (the browser's window title and start page) rather than the action's own.
bool CarriesUserText(const CAction& action);

// Reads "bEnabled" (the action's current state is the default, and the value
// is written back), appends the stored exclusion lists to the targets and,
// where the action carries user text, takes "strText" as that text.
void LoadActionOptions(CAction& action);
// Writes "bEnabled", the exclusion lists and the user text; an empty list
// deletes its value.
void SaveActionOptions(CAction& action);

// Writes the counts and the name, mask or root, and type of every target.
void StoreCustomTargets(CAction& action);
// Appends the targets of the stored block to the action's lists.
void LoadCustomTargets(CAction& action);
