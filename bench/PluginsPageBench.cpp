// Opening the Plug-Ins page over a folder of 500 plugins, as one import of
// community rules leaves it, against opening it over an empty folder; and
// "Select All" over them with one plugin selected.
//   bench_plugins_page [--quick] [--repetitions N]
#include "bench/support/Bench.h"
#include "cleaner/model/ActionManager.h"
#include "cleaner/model/GeneralSettings.h"
#include "cleaner/plugins/PagePlugins.h"
#include "cleaner/shell/resource.h"
#include "common/Action.h"
#include "common/RegistryKeys.h"
#include "common/Win32File.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// A rule of the usual shape: a name, a group and a few wildcard folders.
CAction SampleRule(int nNumber)
{
    CAction action;
    action.strId = action.strTitle = "Bench Program " + std::to_string(nNumber) + " Cache";
    action.strCategory = nNumber % 4 ? "Applications" : "";
    for (const char* pszFolder : {"%LocalAppData%\\Bench*\\User Data\\*\\Cache",
                                  "%AppData%\\Bench\\Logs", "C:\\Bench\\Temp?"}) {
        FileTarget target;
        target.strName = pszFolder;
        target.dwType = TT_TREE_AND_SELF;
        action.lstFiles.push_back(target);
    }
    return action;
}

struct PageRun {
    double dOpen = 0;
    double dSelectAll = 0;
    int nItems = 0;
    int nTicked = 0;  // after "Select All"
};

// The page over the folder, opened and, with the first plugin selected,
// every plugin ticked; the medians of both.
PageRun RunPage(const std::string& strFolder, int nRepetitions)
{
    WriteStringValue(kSettingsKey, "strPluginFolder", strFolder);
    CGeneralSettings settings;
    CActionManager manager(settings);
    CDialog parent(IDD_SETTINGS);
    parent.Create(nullptr);
    std::vector<double> open, selectAll;
    PageRun run;
    StringVector ids;
    manager.GetPluginIds(ids);
    for (int n = 0; n < nRepetitions; ++n) {
        // Ticking enables the actions; each repetition starts with none.
        for (const std::string& strId : ids)
            manager.m_actions[strId].bEnabled = false;
        CPagePlugins page(manager, nullptr);
        open.push_back(SecondsOf([&] { page.Create(parent); }));
        CListView list(page.GetItem(IDC_PLUGINS_LIST));
        run.nItems = list.GetItemCount();
        list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
        selectAll.push_back(SecondsOf(
            [&] { page.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_PLUGINS_SELECT_ALL, BN_CLICKED)); }));
        run.nTicked = 0;
        for (int nItem = 0; nItem < run.nItems; ++nItem)
            run.nTicked += list.GetCheck(nItem);
        DestroyWindow(page);
    }
    DestroyWindow(parent);
    run.dOpen = Median(open);
    run.dSelectAll = Median(selectAll);
    return run;
}

}  // namespace

int main(int argc, char** argv)
{
    const BenchOptions options = ParseBenchOptions(argc, argv);
    const int nPlugins = options.bQuick ? 100 : 500;
    DeleteProductKey();

    PageRun full, empty;
    {
        CTempFolder folder;
        for (int n = 0; n < nPlugins; ++n) {
            CWin32File file;
            const std::string strPath = folder / ("rule" + std::to_string(n) + ".pld");
            if (!file.Open(strPath.c_str(), CWin32File::OM_CREATE) || !SampleRule(n).Write(file))
                std::printf("could not write %s\n", strPath.c_str());
        }
        CTempFolder none;
        // The manager loads the folder when it is built, outside the times.
        full = RunPage(folder.Path(), options.nRepetitions);
        empty = RunPage(none.Path(), options.nRepetitions);
    }
    DeleteProductKey();

    std::printf("10: the Plug-Ins page listed %d of %d plugins, %d ticked by Select All\n",
                full.nItems, nPlugins, full.nTicked);
    ReportRatio("10 plugins page", "opening over the plugins / over none", full.dOpen, empty.dOpen,
                8.0);
    char szNote[160];
    std::snprintf(szNote, sizeof(szNote),
                  "opening over %d plugins: %.3f s (target: well under 1 s); Select All: %.3f s",
                  nPlugins, full.dOpen, full.dSelectAll);
    ReportNote("10 plugins page", szNote);
    return 0;
}
