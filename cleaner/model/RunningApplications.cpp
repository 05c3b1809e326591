// The guard that keeps a clean from removing the data of a program that is
// open: browsers, mail programs and players are recognised by the titles of
// their top-level windows.
#include "cleaner/model/ActionManager.h"

#include <windows.h>

#include <cstring>

namespace {

struct WatchedProgram {
    const char* pszTitleMarker;  // found anywhere in a window title, letter case counting
    const char* pszName;         // as the message names it
    const char* apszActions[8];  // the actions it conflicts with, in order, ended by a null
};

const WatchedProgram kWatchedPrograms[] = {
    {" - Microsoft Internet Explorer",
     "Internet Explorer",
     {"IEAddressHistory", "IECookies", "IEHistory", "IECache", "IEDownloaded", "IEAutoComplete",
      "IEAutoCompletePsw"}},
    {" - Netscape",
     "Netscape",
     {"NNCache", "NNCookies", "NNHistory", "MailNNTrashSent", "MailNNHidden"}},
    {" - Outlook Express", "Outlook Express", {"MailOE"}},
    {"America  Online",
     "America Online",
     {"AOLAddressHistory", "IECookies", "IEHistory", "IECache", "IEDownloaded"}},
    {"RealPlayer", "RealPlayer", {"RealPlayerPlaylist"}},
};

const size_t kProgramCount = sizeof(kWatchedPrograms) / sizeof(kWatchedPrograms[0]);

// The order in which conflicts are looked for; the first one found is the
// one reported.
const size_t kExaminationOrder[kProgramCount] = {1, 0, 3, 2, 4};

// One flag per watched program, set when a window of it is open.
struct OpenPrograms {
    bool abOpen[kProgramCount];
};

BOOL CALLBACK NoteWatchedWindow(HWND hWnd, LPARAM lParam)
{
    OpenPrograms& open = *reinterpret_cast<OpenPrograms*>(lParam);
    char szTitle[1000];
    if (GetWindowTextA(hWnd, szTitle, sizeof(szTitle)) > 0) {
        for (size_t n = 0; n < kProgramCount; ++n) {
            if (std::strstr(szTitle, kWatchedPrograms[n].pszTitleMarker))
                open.abOpen[n] = true;
        }
    }
    return TRUE;  // every window is looked at
}

}  // namespace

bool CActionManager::CheckRunningApplications(std::string& strMessage) const
{
    OpenPrograms open = {};
    EnumWindows(NoteWatchedWindow, reinterpret_cast<LPARAM>(&open));

    for (size_t nProgram : kExaminationOrder) {
        if (!open.abOpen[nProgram])
            continue;
        const WatchedProgram& program = kWatchedPrograms[nProgram];
        for (const char* const* ppszId = program.apszActions; *ppszId; ++ppszId) {
            // Looked up without inserting: an action that is not there cannot
            // be enabled, and must not turn up in the next clean.
            const auto found = m_actions.find(*ppszId);
            if (found == m_actions.end() || !found->second.bEnabled)
                continue;
            strMessage =
                "Cannot " + found->second.strTitle + " while " + program.pszName + " running";
            return false;
        }
    }
    return true;
}
