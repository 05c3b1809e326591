// Free-space elimination: the unused space of a drive is filled with filler
// files of a fixed pattern, which are then deleted, so that what deleted
// files left on the drive is overwritten.
#pragma once

#include "common/Action.h"

#include <string>

class CStopRequest;

// The filler file of a drive entry: the entry followed by "\elim.ers". A
// drive whose filler cannot grow past a size limit of its file system gets
// further ones beside it, "\elim1.ers", "\elim2.ers" and so on.
std::string FillerPath(const std::string& strDrive, unsigned nIndex = 0);

// Writes filler files on the drive until the drive is full or the stop
// request is set, flushes them and leaves them there; fillers receives
// their paths. False when the first filler cannot be created or the free
// space of the drive cannot be asked; nothing is left behind then.
bool FillFreeSpace(const std::string& strDrive, const CStopRequest* pStop, StringVector& fillers);

// The free bytes of a drive entry such as "D:"; false when they cannot be
// asked for.
bool QueryDriveFreeSpace(const std::string& strDrive, uint64_t& nFree);

// Fills the drive and then erases the fillers, each with its log line.
// Leftovers of a run that did not end are removed first. True when the
// filler could be created. Nothing of it counts in a clean's statistics.
bool EliminateFreeSpace(const std::string& strDrive, const CStopRequest* pStop = nullptr);

// Erases the filler files that a run which did not end left on the drives
// of the "|"-joined list.
void RemoveLeftoverFillers(const std::string& strDrives);
