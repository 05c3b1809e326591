// A clean with 300 enabled plugins of three wildcard targets each, whose folders are
// not on the machine, against the same clean without them: what looking for the
// folders of many imported rules adds to a clean.
//   bench_wildcard_clean [--quick] [--repetitions N]
#include "bench/FileTree.h"
#include "bench/support/Bench.h"
#include "cleaner/engine/ActionExecution.h"
#include "cleaner/engine/StopRequest.h"
#include "cleaner/model/GeneralSettings.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/TempFolder.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdio>
#include <list>
#include <string>
#include <vector>

namespace {

const int kPlugins = 300;

std::string SpecialFolder(int nCsidl)
{
    char szPath[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, nCsidl, nullptr, SHGFP_TYPE_CURRENT, szPath);
    return szPath;
}

FileTarget Target(const std::string& strName, uint32_t dwType)
{
    FileTarget target;
    target.strName = strName;
    target.dwType = dwType;
    return target;
}

// Patterns below folders that exist, so that each first wildcard segment lists a real
// folder, and one below a folder that does not.
std::list<CAction> RulePlugins()
{
    const std::string strLocal = SpecialFolder(CSIDL_LOCAL_APPDATA),
                      strRoaming = SpecialFolder(CSIDL_APPDATA);
    std::list<CAction> plugins;
    char szVendor[32];
    for (int n = 0; n < kPlugins; ++n) {
        wsprintfA(szVendor, "Vendor%03d", n);
        CAction action;
        action.strTitle = szVendor;
        action.bEnabled = true;
        action.lstFiles = {
            Target(strLocal + "\\" + szVendor + "*\\User Data\\*\\Cache", TT_RECURSIVE),
            Target(strRoaming + "\\" + szVendor + "\\Profiles\\*\\cache2", TT_TREE_AND_SELF),
            Target(strLocal + "\\*\\" + szVendor + "\\Logs", TT_CONTENT)};
        plugins.push_back(action);
    }
    return plugins;
}

double CleanSeconds(const std::list<CAction>& actions, const CGeneralSettings& settings)
{
    CRecordingLog log;
    CStopRequest stop;
    return SecondsOf([&] {
        for (const CAction& action : actions)
            ExecuteAction(action, settings, stop);
    });
}

}  // namespace

int main(int argc, char** argv)
{
    const BenchOptions options = ParseBenchOptions(argc, argv);
    const int nFiles = options.bQuick ? 500 : 2000;
    const int nFolders = options.bQuick ? 5 : 20;
    const CGeneralSettings settings;
    CTempFolder tree;
    CAction treeAction;
    treeAction.strTitle = "Tree";
    treeAction.lstFiles = {Target(tree.Path(), TT_RECURSIVE)};
    const std::list<CAction> without = {treeAction};
    std::list<CAction> with = RulePlugins();
    with.push_front(treeAction);


    const std::list<CAction> plugins = RulePlugins();
    std::vector<double> withPlugins, withoutPlugins, alone;
    for (int n = 0; n < options.nRepetitions; ++n) {
        BuildFileTree(tree.Path(), nFiles, nFolders);
        withoutPlugins.push_back(CleanSeconds(without, settings));
        BuildFileTree(tree.Path(), nFiles, nFolders);
        withPlugins.push_back(CleanSeconds(with, settings));
        if (CountFiles(tree.Path()) != 0)
            std::printf("the clean left files in the tree\n");
        alone.push_back(CleanSeconds(plugins, settings));
    }
    const double dWith = Median(withPlugins), dWithout = Median(withoutPlugins);
    std::printf("7: %d plugins of 3 wildcard targets of missing folders; a tree of %d files\n",
                kPlugins, nFiles);
    std::printf("7: clean with them %.4f s, without them %.4f s, %.4f s more; "
                "the plugins alone %.4f s\n",
                dWith, dWithout, dWith - dWithout, Median(alone));
    // The aim: the plugins add at most a second to the clean.
    ReportRatio("7 clean with 300 wildcard plugins", "with plugins / without", dWith, dWithout,
                dWithout > 0 ? (dWithout + 1) / dWithout : 0);
    return 0;
}
