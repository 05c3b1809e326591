#include "cleaner/shell/EnableConfirmation.h"

#include "cleaner/model/ActionEnabling.h"
#include "cleaner/shell/MessageBox.h"
#include "cleaner/shell/ProductInfo.h"

#include <windows.h>

namespace {

EnableAnswer AskToEnable(const std::string& strQuestion)
{
    uint32_t dwResult = 0;
    const uint32_t dwButton =
        ShowMessageBox(strQuestion, kProductName,
                       MBS_SHOW_AGAIN_BOX | MBS_ICON_EXCLAMATION | MBS_YES_NO, &dwResult);
    return {dwButton == IDYES, (dwResult & kShowAgainChecked) != 0};
}

}  // namespace

void InstallEnableQuestion()
{
    SetEnableQuestion(AskToEnable);
}
