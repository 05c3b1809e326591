// Cleaning a folder tree with the engine against deleting the same tree
// with a bare loop, at several sizes, and the memory a large clean needs.
//   bench_tree_clean [--quick] [--repetitions N]
#include "bench/FileTree.h"
#include "bench/support/Bench.h"
#include "cleaner/engine/FileRemoval.h"
#include "tests/support/RecordingLog.h"
#include "tests/support/TempFolder.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

const char kPeakOption[] = "--peak-of-clean";

CleanStats CleanTree(const std::string& strTop)
{
    return CleanFolderTree(strTop, {}, {}, "*.*", false, FileRemoval());
}

// Keeps the newest lines only, as many as the program's log list holds, so
// that the memory measured is the clean's and not that of a full record.
class CCappedLog : public ILogSink {
public:
    CCappedLog() { SetLogSink(this); }
    ~CCappedLog() { SetLogSink(nullptr); }
    void AddLine(uint32_t, const char* pszLine) override
    {
        m_lines.push_back(pszLine);
        if (m_lines.size() > 8192)
            m_lines.pop_front();
    }

private:
    std::deque<std::string> m_lines;
};

// Engine and bare loop in turns, each on a freshly built tree; the medians.
void MeasureTree(const BenchOptions& options, int nFiles, int nFolders, double& dEngine,
                 double& dBare)
{
    std::vector<double> engine, bare;
    CTempFolder top;
    for (int n = 0; n < options.nRepetitions; ++n) {
        if (!BuildFileTree(top.Path(), nFiles, nFolders))
            std::printf("could not build the tree in %s\n", top.Path().c_str());
        CleanStats stats;
        {
            CRecordingLog log;
            engine.push_back(SecondsOf([&] { stats = CleanTree(top.Path()); }));
            if (int(stats.nDeletedFiles) != nFiles || int(log.m_lines.size()) != nFiles)
                std::printf("engine deleted %u files, logged %zu lines of %d\n",
                            stats.nDeletedFiles, log.m_lines.size(), nFiles);
        }
        BuildFileTree(top.Path(), nFiles, nFolders);
        int nDeleted = 0;
        bare.push_back(SecondsOf([&] { nDeleted = DeleteTreeBare(top.Path()); }));
        if (nDeleted != nFiles)
            std::printf("bare loop deleted %d files of %d\n", nDeleted, nFiles);
    }
    dEngine = Median(engine);
    dBare = Median(bare);
}

// The peak private memory of a fresh process that only cleans the tree.
size_t PeakOfCleanInOwnProcess(const std::string& strTop)
{
    char szExe[MAX_PATH];
    GetModuleFileNameA(nullptr, szExe, MAX_PATH);
    std::string strCommand = std::string("\"") + szExe + "\" " + kPeakOption + " \"" + strTop + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return 0;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD dwKib = 0;
    GetExitCodeProcess(process.hProcess, &dwKib);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return size_t(dwKib) * 1024;
}

// The child's side: cleans and answers its peak in KiB as the exit code.
int CleanAndAnswerPeak(const std::string& strTop)
{
    CCappedLog log;
    CleanTree(strTop);
    return int(PeakPrivateBytes() / 1024);
}

// The files of the tree, folder by folder.
std::vector<std::string> ListFiles(const std::string& strTop)
{
    std::vector<std::string> files;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strTop + "\\*.*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE)
        return files;
    do {
        const std::string strPath = strTop + "\\" + data.cFileName;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            files.push_back(strPath);
        } else if (data.cFileName[0] != '.') {
            const std::vector<std::string> inner = ListFiles(strPath);
            files.insert(files.end(), inner.begin(), inner.end());
        }
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return files;
}

// What each step of erasing one file costs here, to see where a clean's time
// goes: the calls the engine makes per file, each over the whole tree.
void ProfileSteps(int nFiles, int nFolders)
{
    CTempFolder top;
    BuildFileTree(top.Path(), nFiles, nFolders);
    std::vector<std::string> files;
    const double dList = SecondsOf([&] { files = ListFiles(top.Path()); });
    const double dAttributes = SecondsOf([&] {
        WIN32_FILE_ATTRIBUTE_DATA data;
        for (const std::string& strPath : files)
            GetFileAttributesExA(strPath.c_str(), GetFileExInfoStandard, &data);
    });
    const double dReset = SecondsOf([&] {
        for (const std::string& strPath : files)
            SetFileAttributesA(strPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    });
    CRecordingLog log;
    const double dLog = SecondsOf([&] {
        for (const std::string& strPath : files)
            LogMessage(LI_FILE_DELETED, "File %s was deleted", strPath.c_str());
    });
    const double dDelete = SecondsOf([&] {
        for (const std::string& strPath : files)
            DeleteFileA(strPath.c_str());
    });
    const double dFiles = double(files.size() ? files.size() : 1);
    std::printf("per file, us: enumerate %.1f, GetFileAttributesExA %.1f, SetFileAttributesA "
                "%.1f, LogMessage %.1f, DeleteFileA %.1f\n",
                dList / dFiles * 1e6, dAttributes / dFiles * 1e6, dReset / dFiles * 1e6,
                dLog / dFiles * 1e6, dDelete / dFiles * 1e6);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], kPeakOption) == 0)
        return CleanAndAnswerPeak(argv[2]);
    const BenchOptions options = ParseBenchOptions(argc, argv);
    const int nScale = options.bQuick ? 10 : 1;

    ProfileSteps(20000 / nScale, 200 / nScale);

    // 1: the engine's tree clean against the bare loop.
    double dEngine = 0, dBare = 0;
    const int nFiles = 20000 / nScale;
    const int nFolders = 200 / nScale;
    MeasureTree(options, nFiles, nFolders, dEngine, dBare);
    std::printf("1: %d files of 1 KiB in %d folders\n", nFiles, nFolders);
    ReportRatio("1 folder-tree clean", "CleanFolderTree / bare delete loop", dEngine, dBare, 1.3);

    // 6: time per file at four times the size, and the memory of a large clean.
    double dSmall = 0, dLarge = 0, dBareSmall = 0, dBareLarge = 0;
    const int nSmall = 10000 / nScale, nLarge = 40000 / nScale;
    MeasureTree(options, nSmall, 200 / nScale, dSmall, dBareSmall);
    MeasureTree(options, nLarge, 200 / nScale, dLarge, dBareLarge);
    std::printf("6: %d and %d files in %d folders; per file %.1f and %.1f us, bare loop %.1f "
                "and %.1f us\n",
                nSmall, nLarge, 200 / nScale, dSmall / nSmall * 1e6, dLarge / nLarge * 1e6,
                dBareSmall / nSmall * 1e6, dBareLarge / nLarge * 1e6);
    ReportRatio("6 scaling", "per-file clean time, 4x files / 1x", dLarge / nLarge,
                dSmall / nSmall, 1.2);

    const int nPeakFiles = 100000 / nScale;
    CTempFolder top;
    if (BuildFileTree(top.Path(), nPeakFiles, 200 / nScale)) {
        const size_t nPeak = PeakOfCleanInOwnProcess(top.Path());
        char szNote[128];
        std::snprintf(szNote, sizeof(szNote),
                      "peak private memory of a %d-file clean: %.1f MiB (target <= 64 MiB)",
                      nPeakFiles, nPeak / 1048576.0);
        ReportNote("6 scaling", szNote);
    }
    return 0;
}
