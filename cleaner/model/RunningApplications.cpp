// The guard that keeps a clean from removing the data of a program that is
// open: the browsers, mail programs and players of the built-in actions are
// recognised by the titles of their top-level windows; today's browsers,
// whose titles change with the page, by the names of their programs'
// processes, for every plugin of their category.
#include "cleaner/model/ActionManager.h"

#include <windows.h>
#include <tlhelp32.h>

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

// The browsers by the category of their plugins, the shipped ones and
// those imported from rule files alike.
const struct {
    const char* pszCategory;
    const char* pszProcess;
    const char* pszName;  // as the message names it
} kWatchedBrowsers[] = {
    {"Google Chrome", "chrome.exe", "Google Chrome"}, {"Edge", "msedge.exe", "Microsoft Edge"},
    {"Brave", "brave.exe", "Brave"},                  {"Vivaldi", "vivaldi.exe", "Vivaldi"},
    {"Opera", "opera.exe", "Opera"},                  {"Firefox", "firefox.exe", "Mozilla Firefox"},
};

const size_t kBrowserCount = sizeof(kWatchedBrowsers) / sizeof(kWatchedBrowsers[0]);

// One flag per watched browser, set when a process of its program runs. The
// snapshot functions are looked up: NT 4.0 has none, and no such browser.
void NoteRunningBrowsers(bool (&abRunning)[kBrowserCount])
{
    typedef HANDLE(WINAPI * Snapshot)(DWORD, DWORD);
    typedef BOOL(WINAPI * Walk)(HANDLE, PROCESSENTRY32*);
    const HMODULE hKernel = GetModuleHandleA("kernel32.dll");
    const auto pfnSnapshot = reinterpret_cast<Snapshot>(
        reinterpret_cast<void*>(GetProcAddress(hKernel, "CreateToolhelp32Snapshot")));
    const auto pfnFirst = reinterpret_cast<Walk>(
        reinterpret_cast<void*>(GetProcAddress(hKernel, "Process32First")));
    const auto pfnNext = reinterpret_cast<Walk>(
        reinterpret_cast<void*>(GetProcAddress(hKernel, "Process32Next")));
    if (!pfnSnapshot || !pfnFirst || !pfnNext)
        return;
    const HANDLE hSnapshot = pfnSnapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL bMore = pfnFirst(hSnapshot, &entry); bMore; bMore = pfnNext(hSnapshot, &entry)) {
        // The name may come with its path.
        const char* pszName = std::strrchr(entry.szExeFile, '\\');
        pszName = pszName ? pszName + 1 : entry.szExeFile;
        for (size_t n = 0; n < kBrowserCount; ++n) {
            if (lstrcmpiA(pszName, kWatchedBrowsers[n].pszProcess) == 0)
                abRunning[n] = true;
        }
    }
    CloseHandle(hSnapshot);
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

    bool abRunning[kBrowserCount] = {};
    NoteRunningBrowsers(abRunning);
    // The actions in the order of their identifiers, as a clean runs them.
    for (const auto& entry : m_actions) {
        const CAction& action = entry.second;
        if (!action.bEnabled)
            continue;
        for (size_t n = 0; n < kBrowserCount; ++n) {
            if (abRunning[n] && action.strCategory == kWatchedBrowsers[n].pszCategory) {
                strMessage = "Cannot " + action.strTitle + " while " +
                             kWatchedBrowsers[n].pszName + " running";
                return false;
            }
        }
    }
    return true;
}
