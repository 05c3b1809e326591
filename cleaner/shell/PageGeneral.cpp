#include "cleaner/shell/PageGeneral.h"

#include "cleaner/model/GeneralSettings.h"
#include "cleaner/shell/Autostart.h"
#include "cleaner/shell/ProductInfo.h"
#include "cleaner/shell/ShellOptions.h"
#include "cleaner/shell/resource.h"

#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// The radio buttons of the wipe method, by the method's number.
const int kWipeButtons[] = {IDC_GENERAL_NO_WIPE, IDC_GENERAL_WIPE_ZERO, IDC_GENERAL_WIPE_RANDOM};
const uint32_t kWipeModes = sizeof(kWipeButtons) / sizeof(kWipeButtons[0]);

const uint32_t kClearLogBits = CLF_ENABLED | CLF_AT_START | CLF_AT_CLOSE;

bool ClearsAt(uint32_t dwFlags, uint32_t dwOccasion)
{
    return (dwFlags & CLF_ENABLED) && (dwFlags & dwOccasion);
}

}  // namespace

CPageGeneral::CPageGeneral(CActionManager& manager, HBITMAP hBackground)
    : COptionPage(IDD_PAGE_GENERAL, "general.htm", manager, hBackground)
{
}

bool CPageGeneral::OnInitDialog()
{
    ShowWipeMode();
    SetChecked(IDC_GENERAL_RUN_AT_SHUTDOWN, ReadRunAtShutdown());
    ShowStartWithWindows();
    SetChecked(IDC_GENERAL_MOVE_TO_TRAY, ReadMoveToTrayOnClose());
    ShowClearLogFlags();
    return true;
}

bool CPageGeneral::Apply()
{
    WriteRunAtShutdown(IsChecked(IDC_GENERAL_RUN_AT_SHUTDOWN));
    StoreStartWithWindows();
    StoreWipeMode();
    WriteMoveToTrayOnClose(IsChecked(IDC_GENERAL_MOVE_TO_TRAY));
    WriteClearLogFlags(ClearLogFlagsToStore());
    return true;
}

void CPageGeneral::ShowStartWithWindows()
{
    // The box shows what the registry holds: an entry that could not be
    // written shows as cleared the next time the page opens.
    const bool bStarts = !ReadAutostartEntry().empty();
    if (!bStarts)
        RemoveAutostartEntry();
    SetChecked(IDC_GENERAL_START_WITH_WINDOWS, bStarts);

    const std::string strTemplate = ItemText(IDC_GENERAL_START_WITH_WINDOWS);
    std::vector<char> text(strTemplate.size() + std::strlen(kProductName) + 1);
    std::snprintf(text.data(), text.size(), strTemplate.c_str(), kProductName);
    SetItemText(IDC_GENERAL_START_WITH_WINDOWS, text.data());
}

void CPageGeneral::StoreStartWithWindows() const
{
    if (IsChecked(IDC_GENERAL_START_WITH_WINDOWS))
        WriteAutostartEntry();
    else
        RemoveAutostartEntry();
}

void CPageGeneral::ShowWipeMode()
{
    const uint32_t dwMode = Settings().bFileOpsWipeMode;
    for (uint32_t i = 0; i < kWipeModes; ++i)
        SetChecked(kWipeButtons[i], i == dwMode);
}

// A stored method that no button stands for stays as it is until the user
// picks one.
void CPageGeneral::StoreWipeMode()
{
    for (uint32_t i = 0; i < kWipeModes; ++i) {
        if (IsChecked(kWipeButtons[i])) {
            Settings().bFileOpsWipeMode = i;
            Settings().bFileOpsWarp = i > 0;
            return;
        }
    }
}

void CPageGeneral::ShowClearLogFlags()
{
    m_dwClearLogFlags = ReadClearLogFlags();
    m_bClearsAtStart = ClearsAt(m_dwClearLogFlags, CLF_AT_START);
    m_bClearsAtClose = ClearsAt(m_dwClearLogFlags, CLF_AT_CLOSE);
    SetChecked(IDC_GENERAL_CLEAR_LOG_AT_START, m_bClearsAtStart);
    SetChecked(IDC_GENERAL_CLEAR_LOG_AT_CLOSE, m_bClearsAtClose);
}

// Flags the boxes do not show (an occasion stored without the master bit,
// bits of other versions) stay as stored unless the user changes a box;
// then the boxes say it all, and the master bit is on when either is.
uint32_t CPageGeneral::ClearLogFlagsToStore() const
{
    const bool bAtStart = IsChecked(IDC_GENERAL_CLEAR_LOG_AT_START);
    const bool bAtClose = IsChecked(IDC_GENERAL_CLEAR_LOG_AT_CLOSE);
    if (bAtStart == m_bClearsAtStart && bAtClose == m_bClearsAtClose)
        return m_dwClearLogFlags;
    uint32_t dwFlags = m_dwClearLogFlags & ~kClearLogBits;
    if (bAtStart)
        dwFlags |= CLF_AT_START;
    if (bAtClose)
        dwFlags |= CLF_AT_CLOSE;
    if (bAtStart || bAtClose)
        dwFlags |= CLF_ENABLED;
    return dwFlags;
}
