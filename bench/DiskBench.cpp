// Wiping a large file and eliminating the free space of a drive, each against
// what the system needs to write the same bytes in 1 MiB writes.
//
// Both run on a tmpfs mapped as a drive: in memory, the disk's own speed
// drops out and what remains is the program's cost over the plain writes.
// Where no file system can be mounted the wipe runs in the temporary folder
// and the free-space scenario is skipped, as it must never fill a drive that
// holds anything else.
#include "bench/support/Bench.h"
#include "cleaner/engine/FileRemoval.h"
#include "cleaner/engine/FreeSpace.h"
#include "cleaner/engine/WipePattern.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestDrive.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

const DWORD kWriteSize = 1 << 20;
const uint64_t kMiB = 1 << 20;

// Writes nBytes in 1 MiB writes into a new file and flushes it; with
// nBytes 0 the writes go on until the drive refuses one. The bytes written.
uint64_t WriteSequentially(const std::string& strPath, uint64_t nBytes)
{
    static const std::vector<char> buffer(kWriteSize, '\xA5');
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 0;
    uint64_t nWritten = 0;
    for (;;) {
        DWORD cbWrite = kWriteSize;
        if (nBytes != 0) {
            if (nWritten >= nBytes)
                break;
            if (nBytes - nWritten < cbWrite)
                cbWrite = DWORD(nBytes - nWritten);
        }
        DWORD cbWritten = 0;
        if (!WriteFile(hFile, buffer.data(), cbWrite, &cbWritten, nullptr) || cbWritten == 0)
            break;
        nWritten += cbWritten;
    }
    FlushFileBuffers(hFile);
    CloseHandle(hFile);
    return nWritten;
}

std::string MiB(uint64_t nBytes)
{
    char szText[32];
    std::snprintf(szText, sizeof(szText), "%.1f MiB", double(nBytes) / kMiB);
    return szText;
}

// Subject and baseline take turns, so that load from elsewhere falls on both.
void CompareInTurns(const BenchOptions& options, const std::function<void()>& prepareSubject,
                    const std::function<void()>& subject, const std::function<void()>& baseline,
                    double& dSubject, double& dBaseline)
{
    std::vector<double> subjectSeconds, baselineSeconds;
    for (int n = 0; n < options.nRepetitions; ++n) {
        baselineSeconds.push_back(SecondsOf(baseline));
        prepareSubject();
        subjectSeconds.push_back(SecondsOf(subject));
    }
    dSubject = Median(subjectSeconds);
    dBaseline = Median(baselineSeconds);
}

void BenchWipe(const BenchOptions& options, uint64_t nBytes)
{
    const char* pszScenario = "3 wiping";
    CTestDrive drive;
    CTempFolder folder;
    std::string strFolder;
    if (drive.MapFileSystem(nBytes + 16 * kMiB)) {
        strFolder = drive.Root();
        ReportNote(pszScenario, "on a tmpfs of " + MiB(nBytes + 16 * kMiB) + " mapped as " +
                                    drive.Root());
    } else {
        strFolder = folder.Path() + "\\";
        ReportNote(pszScenario, "no tmpfs could be mounted: in the temporary folder, on disk");
    }
    const std::string strWiped = strFolder + "wiped.bin";
    const std::string strWritten = strFolder + "written.bin";

    FileRemoval removal;
    removal.bWipe = true;
    removal.dwWipeMode = WIPE_RANDOM;
    removal.dwReportFlags = 0;
    bool bAllDeleted = true;
    double dSubject, dBaseline;
    CompareInTurns(
        options, [&] { WriteSequentially(strWiped, nBytes); },
        [&] { bAllDeleted &= EraseFile(strWiped, removal).nDeletedFiles == 1; },
        [&] {
            WriteSequentially(strWritten, nBytes);
            bAllDeleted &= DeleteFileA(strWritten.c_str()) != FALSE;
        },
        dSubject, dBaseline);
    if (!bAllDeleted)
        ReportNote(pszScenario, "a file was not deleted: the figures are not comparable");
    ReportRatio(pszScenario, "wipe mode 2 + delete " + MiB(nBytes) + " / 1 MiB writes", dSubject,
                dBaseline, 1.2);
}

void BenchFreeSpace(const BenchOptions& options, uint64_t nBytes)
{
    const char* pszScenario = "4 free space";
    CTestDrive drive;
    if (!drive.MapFileSystem(nBytes)) {
        ReportNote(pszScenario, "skipped: no tmpfs could be mounted, and no other drive is filled");
        return;
    }
    const uint64_t nFree = FreeBytes(drive.Root());
    ReportNote(pszScenario, "a tmpfs of " + MiB(nBytes) + " mapped as " + drive.Root() + ", " +
                                MiB(nFree) + " free");
    const std::string strWritten = drive / "written.bin";
    bool bAllGiven = true;
    uint64_t nBaselineBytes = 0;
    double dSubject, dBaseline;
    CompareInTurns(
        options, [] {},
        [&] {
            bAllGiven &= EliminateFreeSpace(drive.Root()) && FreeBytes(drive.Root()) == nFree;
        },
        [&] {
            nBaselineBytes = WriteSequentially(strWritten, 0);
            bAllGiven &= DeleteFileA(strWritten.c_str()) != FALSE;
        },
        dSubject, dBaseline);
    if (!bAllGiven)
        ReportNote(pszScenario, "the drive was not given back: the figures are not comparable");
    ReportNote(pszScenario, "the baseline wrote " + MiB(nBaselineBytes));
    ReportRatio(pszScenario, "elimination " + MiB(nBytes) + " / 1 MiB writes to full", dSubject,
                dBaseline, 1.2);
}

}  // namespace

int main(int argc, char** argv)
{
    const BenchOptions options = ParseBenchOptions(argc, argv);
    const uint64_t nBytes = (options.bQuick ? 32 : 256) * kMiB;
    BenchWipe(options, nBytes);
    BenchFreeSpace(options, nBytes);
    ReportNote("3+4", "median of " + std::to_string(options.nRepetitions) +
                          " turns each; peak private memory " + MiB(PeakPrivateBytes()));
    return 0;
}
