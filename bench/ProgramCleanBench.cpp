// The whole program: a folder tree cleaned by Veltrin.exe through its window,
// started by its published command, against the engine alone on the same tree.
//   bench_program_clean [--quick] [--repetitions N]
#include "bench/FileTree.h"
#include "bench/support/Bench.h"
#include "cleaner/engine/FileRemoval.h"
#include "common/Action.h"
#include "common/RegistryKeys.h"
#include "common/Win32File.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string TraceFile()
{
    char szWindows[MAX_PATH];
    GetWindowsDirectoryA(szWindows, MAX_PATH);
    return std::string(szWindows) + "\\Temp\\allBuffs.txt";
}

uint64_t FileLength(const std::string& strPath)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(strPath.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// Whether the text appeared in the file after its first nOffset bytes.
bool FileHasSince(const std::string& strPath, uint64_t nOffset, const char* pszText)
{
    const std::string bytes = ReadFileBytes(strPath);
    return bytes.size() > nOffset && bytes.find(pszText, size_t(nOffset)) != std::string::npos;
}

// A plugin, enabled, whose one target is the folder tree.
bool InstallTreePlugin(const std::string& strPluginFolder, const std::string& strTree)
{
    const std::string strSettings = kSettingsKey;
    WriteStringValue(strSettings, "strPluginFolder", strPluginFolder);
    CAction action;
    action.strId = "BenchTree";
    action.strTitle = "Clear the benchmark's tree";
    action.bEnabled = true;
    FileTarget target;
    target.strName = strTree;
    target.dwType = TT_RECURSIVE;
    target.strMask = "*.*";
    action.lstFiles = {target};
    CWin32File file;
    if (!file.Open((strPluginFolder + "\\tree.pld").c_str(), CWin32File::OM_CREATE) ||
        !action.Write(file))
        return false;
    WriteDwordValue(strSettings + "\\BenchTree", "bEnabled", 1);
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    const BenchOptions options = ParseBenchOptions(argc, argv);
    const int nFiles = options.bQuick ? 2000 : 20000;
    const int nFolders = options.bQuick ? 20 : 200;
    DeleteProductKey();

    std::vector<double> program, engine;
    {
        CTempFolder tree;
        CTempFolder plugins;
        if (!InstallTreePlugin(plugins.Path(), tree.Path())) {
            std::printf("could not install the plugin\n");
            return 1;
        }
        CProgramRun run("Veltrin.exe");
        const HWND hWnd = run.Start() ? PublishedCleanerWindow() : nullptr;
        DWORD dwStart = 0;
        if (!hWnd || !ReadDwordValue(kProductKey, "dwStartMess", dwStart)) {
            std::printf("Veltrin.exe did not publish its window\n");
            DeleteProductKey();
            return 1;
        }
        for (int n = 0; n < options.nRepetitions; ++n) {
            BuildFileTree(tree.Path(), nFiles, nFolders);
            const uint64_t nTraceOffset = FileLength(TraceFile());
            bool bFinished = false;
            program.push_back(SecondsOf([&] {
                PostMessageA(hWnd, WM_COMMAND, dwStart, 0);
                bFinished = WaitFor(
                    [&] { return FileHasSince(TraceFile(), nTraceOffset, "OnFinishPlay()"); },
                    600000);
            }));
            const int nLeft = CountFiles(tree.Path());
            if (!bFinished || nLeft != 0)
                std::printf("program clean: finished %d, %d files left\n", bFinished, nLeft);

            BuildFileTree(tree.Path(), nFiles, nFolders);
            CRecordingLog log;
            engine.push_back(SecondsOf(
                [&] { CleanFolderTree(tree.Path(), {}, {}, "*.*", false, FileRemoval()); }));
        }
        PostMessageA(hWnd, WM_COMMAND, 32790, 0);
        if (!run.HasEnded())
            std::printf("Veltrin.exe did not end\n");
    }
    DeleteProductKey();

    std::printf("2: %d files of 1 KiB in %d folders\n", nFiles, nFolders);
    ReportRatio("2 clean by Veltrin.exe", "program clean / CleanFolderTree", Median(program),
                Median(engine), 1.5);
    return 0;
}
