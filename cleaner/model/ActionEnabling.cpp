#include "cleaner/model/ActionEnabling.h"

namespace {

EnableQuestionFunc g_pfnAskToEnable = nullptr;

}  // namespace

void SetEnableQuestion(EnableQuestionFunc pfnAsk)
{
    g_pfnAskToEnable = pfnAsk;
}

std::string EnableQuestionText(const CAction& action)
{
    return action.strDescription + "\r\nAre you sure you want to enable it?";
}

bool SetActionEnabled(CAction& action, bool bEnable, bool bAsk)
{
    if (!bAsk || !bEnable || action.dwWarningLevel != WL_WARNING || action.bWarned) {
        action.bEnabled = bEnable;
        return action.bEnabled;
    }
    EnableAnswer answer = {false, true};
    if (g_pfnAskToEnable)
        answer = g_pfnAskToEnable(EnableQuestionText(action));
    action.bEnabled = answer.bYes;
    if (!answer.bShowNextTime)
        action.bWarned = true;
    return action.bEnabled;
}
