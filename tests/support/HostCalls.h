// The host's own system calls, reached directly from a program that runs
// under Wine on Linux. Wine runs the program as a host process, so the
// calls act on the host as that process; for what Wine itself cannot do
// (links of the file system, mounting), made only by tests.
#pragma once

#include <cstdint>
#include <string>

enum HostCallId {
    HC_SYMLINK,
    HC_UNLINK,
    HC_MOUNT,
    HC_UMOUNT2,
};

// Calls the host with up to five arguments; the kernel's answer, 0 or more
// on success and a negated error number on failure. -1 where this is not
// Wine on an x86 Linux.
intptr_t HostCall(HostCallId call, const void* pFirst = nullptr, const void* pSecond = nullptr,
                  const void* pThird = nullptr, intptr_t nFourth = 0,
                  const void* pFifth = nullptr);

// The host path of a Windows path; empty where Wine does not say it.
std::string HostPath(const std::string& strPath);

// Makes the file LinkPath a symbolic link to the target, a path relative to
// the link's folder written with "/". Wine shows a link to a folder as a
// folder that is a reparse point, as a junction looks on Windows. False
// where this is not Wine on Linux.
bool MakeHostSymlink(const std::string& strLinkPath, const std::string& strRelativeTarget);
// Removes such a link (not what it points to), which Wine's own calls cannot.
bool RemoveHostSymlink(const std::string& strLinkPath);
