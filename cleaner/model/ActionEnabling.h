// Turning an action on or off, with the question that a warning-level
// action asks before it is enabled.
#pragma once

#include "common/Action.h"

#include <string>

// The user's answer: Yes or No, and whether the box's "Show this message
// next time" was still ticked when it closed.
struct EnableAnswer {
    bool bYes;
    bool bShowNextTime;
};

// Puts the question to the user. The user interface installs one; without
// one, the question counts as answered No.
typedef EnableAnswer (*EnableQuestionFunc)(const std::string& strQuestion);
void SetEnableQuestion(EnableQuestionFunc pfnAsk);

// The text of the question: the description, then the request to confirm.
std::string EnableQuestionText(const CAction& action);

// Sets bEnabled and returns it. With bAsk, enabling a warning-level action
// that the user has not silenced asks first; No leaves it disabled.
bool SetActionEnabled(CAction& action, bool bEnable, bool bAsk);
