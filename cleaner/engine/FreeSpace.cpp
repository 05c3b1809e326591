#include "cleaner/engine/FreeSpace.h"

#include "cleaner/engine/FileRemoval.h"
#include "cleaner/engine/StopRequest.h"
#include "cleaner/engine/WipePattern.h"
#include "common/FindFiles.h"
#include "common/StringList.h"

#include <windows.h>

#include <cctype>
#include <vector>

namespace {

// While much space is left the filler grows in large writes, and the drive
// is asked again only when the space it last reported is used up; asking
// costs far more than a write. The last stretch is written in blocks with
// the drive asked after each, so that the file ends where the drive says it
// is full, also where clusters or the file system's bookkeeping take more
// than the bytes written.
const DWORD kLargeWrite = 256 * kFillerBlockSize;  // 1 MiB
const uint64_t kBlockStretch = 16 * kFillerBlockSize;

// Far more fillers than the largest drive needs with the smallest file-size
// limit of a file system, so that a drive that keeps reporting space it
// does not take cannot keep the loop going.
const unsigned kMaxFillers = 65536;

// The free bytes of the drive: sectors per cluster, times bytes per
// sector, times free clusters, in 64 bits.
bool QueryFreeSpace(const std::string& strRoot, uint64_t& nFree)
{
    DWORD dwSectorsPerCluster, dwBytesPerSector, dwFreeClusters, dwTotalClusters;
    if (!GetDiskFreeSpaceA(strRoot.c_str(), &dwSectorsPerCluster, &dwBytesPerSector,
                           &dwFreeClusters, &dwTotalClusters))
        return false;
    nFree = uint64_t(dwSectorsPerCluster) * dwBytesPerSector * dwFreeClusters;
    return true;
}

std::string DriveRoot(const std::string& strDrive)
{
    if (!strDrive.empty() && strDrive.back() == '\\')
        return strDrive;
    return strDrive + "\\";
}

enum FillEnd {
    FE_DRIVE_FULL,     // no free space left, or none that can be asked for
    FE_FILE_FULL,      // the file cannot grow, yet the drive has space
    FE_STOPPED,
};

// Grows one filler until the drive is full, the file cannot grow or the
// stop request is set. nWritten receives the bytes the file took.
FillEnd FillOneFile(HANDLE hFile, const std::string& strRoot, const std::vector<char>& pattern,
                    const CStopRequest* pStop, uint64_t& nWritten)
{
    nWritten = 0;
    uint64_t nUnasked = 0;  // what large writes may take before the drive is asked again
    bool bBlocksOnly = false;
    for (;;) {
        if (pStop && pStop->IsRequested())
            return FE_STOPPED;
        if (nUnasked < kFillerBlockSize) {
            uint64_t nFree;
            if (!QueryFreeSpace(strRoot, nFree) || nFree == 0)
                return FE_DRIVE_FULL;
            nUnasked = 0;
            if (!bBlocksOnly && nFree > kBlockStretch)
                nUnasked = (nFree - kBlockStretch) / kFillerBlockSize * kFillerBlockSize;
            if (nUnasked < kFillerBlockSize)
                nUnasked = nFree < kFillerBlockSize ? nFree : kFillerBlockSize;
        }
        const DWORD cbPiece = DWORD(nUnasked < kLargeWrite ? nUnasked : kLargeWrite);
        // After a short write the pattern goes on from where that write ended.
        const char* pPiece = pattern.data() + nWritten % kFillerBlockSize;
        DWORD cbWritten = 0;
        if (!WriteFile(hFile, pPiece, cbPiece, &cbWritten, nullptr))
            cbWritten = 0;
        nWritten += cbWritten;
        nUnasked -= cbPiece;
        if (cbWritten == cbPiece)
            continue;
        if (cbPiece > kFillerBlockSize) {
            // The drive filled faster than it said; the rest goes in blocks.
            bBlocksOnly = true;
            nUnasked = 0;
            continue;
        }
        // A short block: either the drive is full now, or this file has
        // reached the largest size its file system allows.
        uint64_t nFree;
        if (!QueryFreeSpace(strRoot, nFree) || nFree == 0)
            return FE_DRIVE_FULL;
        return FE_FILE_FULL;
    }
}

// The bytes of the largest write, the filler block repeated, and one block
// more for a write that starts within a block.
std::vector<char> MakeFillerPattern()
{
    unsigned char block[kFillerBlockSize];
    FillFillerBlock(block);
    std::vector<char> pattern(kLargeWrite + kFillerBlockSize);
    for (size_t nOffset = 0; nOffset < pattern.size(); nOffset += kFillerBlockSize)
        memcpy(&pattern[nOffset], block, kFillerBlockSize);
    return pattern;
}

// "elim.ers", or "elim" with a number and ".ers".
bool IsFillerName(const std::string& strName)
{
    const size_t nLength = strName.size();
    if (nLength < 8 || _strnicmp(strName.c_str(), "elim", 4) != 0 ||
        _stricmp(strName.c_str() + nLength - 4, ".ers") != 0)
        return false;
    for (size_t i = 4; i < nLength - 4; ++i) {
        if (!isdigit(static_cast<unsigned char>(strName[i])))
            return false;
    }
    return true;
}

void EraseFillers(const StringVector& fillers)
{
    // Not a file of the user's: never wiped, never kept by a date, always
    // reported, and not counted.
    FileRemoval removal;
    removal.dwReportFlags = RF_ALL;
    for (const std::string& strFiller : fillers)
        EraseFile(strFiller, removal);
}

}  // namespace

std::string FillerPath(const std::string& strDrive, unsigned nIndex)
{
    if (nIndex == 0)
        return strDrive + "\\elim.ers";
    return strDrive + "\\elim" + std::to_string(nIndex) + ".ers";
}

bool FillFreeSpace(const std::string& strDrive, const CStopRequest* pStop, StringVector& fillers)
{
    fillers.clear();
    if (strDrive.empty())
        return false;  // "\elim.ers" would land on whatever drive is current
    const std::string strRoot = DriveRoot(strDrive);
    const std::vector<char> pattern = MakeFillerPattern();
    for (unsigned nIndex = 0; nIndex < kMaxFillers; ++nIndex) {
        const std::string strFiller = FillerPath(strDrive, nIndex);
        HANDLE hFile = CreateFileA(strFiller.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (hFile == INVALID_HANDLE_VALUE)
            return nIndex > 0;
        fillers.push_back(strFiller);

        uint64_t nFree;
        if (nIndex == 0 && !QueryFreeSpace(strRoot, nFree)) {
            CloseHandle(hFile);
            DeleteFileA(strFiller.c_str());
            fillers.clear();
            return false;
        }

        uint64_t nWritten;
        const FillEnd end = FillOneFile(hFile, strRoot, pattern, pStop, nWritten);
        // Written data of a file about to be deleted may never reach the
        // disk unless it is flushed first.
        FlushFileBuffers(hFile);
        CloseHandle(hFile);
        // A filler that took nothing means nothing more can be written.
        if (end != FE_FILE_FULL || nWritten == 0)
            return true;
    }
    return true;
}

bool QueryDriveFreeSpace(const std::string& strDrive, uint64_t& nFree)
{
    return !strDrive.empty() && QueryFreeSpace(DriveRoot(strDrive), nFree);
}

bool EliminateFreeSpace(const std::string& strDrive, const CStopRequest* pStop)
{
    RemoveLeftoverFillers(strDrive);
    StringVector fillers;
    if (!FillFreeSpace(strDrive, pStop, fillers))
        return false;
    EraseFillers(fillers);
    return true;
}

void RemoveLeftoverFillers(const std::string& strDrives)
{
    for (const std::string& strDrive : SplitAtSeparator(strDrives, kListSeparator)) {
        if (strDrive.empty())
            continue;
        StringVector leftovers;
        CFindFiles entries(strDrive, "elim*.ers");
        WIN32_FIND_DATAA data;
        while (entries.Next(data)) {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && IsFillerName(data.cFileName))
                leftovers.push_back(strDrive + "\\" + data.cFileName);
        }
        EraseFillers(leftovers);
    }
}
