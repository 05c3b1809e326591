// Loading a plugin folder of 1,000 files into the action manager against
// only opening and reading the same files; and loading a folder of some 200
// damaged and hostile files against loading an empty folder.
//   bench_plugin_load [--quick] [--repetitions N]
#include "bench/support/Bench.h"
#include "cleaner/model/ActionManager.h"
#include "cleaner/model/GeneralSettings.h"
#include "common/Action.h"
#include "common/RegistryKeys.h"
#include "common/Win32File.h"
#include "tests/support/HostilePlugins.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

// A plugin of the usual shape: a few folders, a few keys, a description.
CAction SamplePlugin(int nNumber)
{
    CAction action;
    action.strId = "BenchPlugin" + std::to_string(nNumber);
    action.strTitle = "Clear the traces of program number " + std::to_string(nNumber);
    action.strDescription = "Removes the cache, the history and the recent file list of a "
                            "program that keeps them in its own folders and keys.";
    for (const char* pszFolder : {"[PROGRAM_FILES]\\Bench\\Cache", "[WINDOWS]\\Temp\\Bench",
                                  "[APPDATA]\\Bench\\History", "[APPDATA]\\Bench\\Logs"}) {
        FileTarget target;
        target.strName = pszFolder;
        target.dwType = TT_RECURSIVE;
        target.strMask = "*.tmp|*.log|*.dat";
        target.lstExclude = {"keep.dat", "index.dat"};
        action.lstFiles.push_back(target);
    }
    for (const char* pszKey : {"Software\\Bench\\Recent", "Software\\Bench\\History"}) {
        RegTarget target;
        target.strName = pszKey;
        target.dwType = TT_CONTENT;
        target.strValueMask = "*";
        action.lstKeys.push_back(target);
    }
    return action;
}

size_t ReadWhole(const std::string& strPath)
{
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 0;
    char buffer[65536];
    size_t nTotal = 0;
    DWORD cbRead = 0;
    while (ReadFile(hFile, buffer, sizeof(buffer), &cbRead, nullptr) && cbRead > 0)
        nTotal += cbRead;
    CloseHandle(hFile);
    return nTotal;
}

// The baseline: the same search and the same bytes, nothing made of them.
size_t ReadFolder(const std::string& strFolder)
{
    size_t nTotal = 0;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strFolder + "\\*.pld").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            nTotal += ReadWhole(strFolder + "\\" + data.cFileName);
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return nTotal;
}

// The seconds that a manager takes to load the folder, the median.
double LoadSeconds(const std::string& strFolder, int nRepetitions)
{
    WriteStringValue(kSettingsKey, "strPluginFolder", strFolder);
    CGeneralSettings settings;
    CActionManager manager(settings);
    std::vector<double> seconds;
    for (int n = 0; n < nRepetitions; ++n)
        seconds.push_back(SecondsOf([&] { manager.LoadPlugins(); }));
    return Median(seconds);
}

}  // namespace

int main(int argc, char** argv)
{
    const BenchOptions options = ParseBenchOptions(argc, argv);
    const int nPlugins = options.bQuick ? 100 : 1000;
    DeleteProductKey();

    std::vector<double> load, read;
    size_t nBytes = 0, nLoaded = 0;
    {
        CTempFolder folder;
        for (int n = 0; n < nPlugins; ++n) {
            CWin32File file;
            const std::string strPath = folder / ("plugin" + std::to_string(n) + ".pld");
            if (!file.Open(strPath.c_str(), CWin32File::OM_CREATE) || !SamplePlugin(n).Write(file))
                std::printf("could not write %s\n", strPath.c_str());
        }
        WriteStringValue(kSettingsKey, "strPluginFolder", folder.Path());
        {
            CGeneralSettings settings;
            CActionManager manager(settings);
            // Each repetition in turn, so that both see the same state of the caches.
            for (int n = 0; n < options.nRepetitions; ++n) {
                load.push_back(SecondsOf([&] { manager.LoadPlugins(); }));
                read.push_back(SecondsOf([&] { nBytes = ReadFolder(folder.Path()); }));
            }
            StringVector ids;
            nLoaded = manager.GetPluginIds(ids);
        }
    }
    DeleteProductKey();

    double dHostile = 0, dEmpty = 0;
    int nHostileEntries = 0;
    {
        CTempFolder empty;
        CTempFolder hostileFolder;
        const CHostilePluginFolder hostile(hostileFolder.Path());
        nHostileEntries = hostile.EntryCount();
        dEmpty = LoadSeconds(empty.Path(), options.nRepetitions);
        dHostile = LoadSeconds(hostileFolder.Path(), options.nRepetitions);
    }
    DeleteProductKey();

    std::printf("5: %zu of %d plugin files loaded, %zu bytes\n", nLoaded, nPlugins, nBytes);
    ReportRatio("5 plugin loading", "LoadPlugins / open+read of the files", Median(load),
                Median(read), 2.0);
    char szNote[160];
    std::snprintf(szNote, sizeof(szNote),
                  "hostile folder of %d entries: %.3f s more than an empty folder (target: well "
                  "under 1 s)",
                  nHostileEntries, dHostile - dEmpty);
    ReportNote("5 plugin loading", szNote);
    return 0;
}
