// The test run under an older Windows version really sees that version.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

TEST(WindowsVersion, MatchesTheVersionTheRunAskedFor)
{
    const char* pszVersion = std::getenv("VELTRIN_WINVER");
    if (!pszVersion)
        GTEST_SKIP() << "run under the default version";
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_TRUE(GetVersionExA(&info));
    const std::string strSeen = std::to_string(info.dwPlatformId) + " " +
                                std::to_string(info.dwMajorVersion) + "." +
                                std::to_string(info.dwMinorVersion);
    const std::string strVersion = pszVersion;
    EXPECT_EQ(strSeen, strVersion == "win98"   ? "1 4.10"
                       : strVersion == "win2k" ? "2 5.0"
                       : strVersion == "winxp" ? "2 5.1"
                                               : "unknown version " + strVersion);
}
