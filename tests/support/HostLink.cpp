#include "tests/support/HostLink.h"

#include "tests/support/HostCalls.h"

bool MakeHostSymlink(const std::string& strLinkPath, const std::string& strRelativeTarget)
{
    const std::string strHostLink = HostPath(strLinkPath);
    return !strHostLink.empty() &&
           HostCall(HC_SYMLINK, strRelativeTarget.c_str(), strHostLink.c_str()) == 0;
}

bool RemoveHostSymlink(const std::string& strLinkPath)
{
    const std::string strHostLink = HostPath(strLinkPath);
    return !strHostLink.empty() && HostCall(HC_UNLINK, strHostLink.c_str()) == 0;
}
