// The test run under an older Windows version really sees that version.
#include <windows.h>

#include <gtest/gtest.h>

TEST(WindowsVersion, MatchesTheVersionTheRunAskedFor)
{
    const char* pszVersion = std::getenv("VELTRIN_WINVER");
    if (!pszVersion)
        GTEST_SKIP() << "run under the default version";
    OSVERSIONINFOA info = {sizeof(info)};
    ASSERT_TRUE(GetVersionExA(&info));
    const std::string strSeen = std::string(pszVersion) + " " + std::to_string(info.dwPlatformId) +
                                " " + std::to_string(info.dwMajorVersion) + "." +
                                std::to_string(info.dwMinorVersion);
    EXPECT_TRUE(strSeen == "win98 1 4.10" || strSeen == "win2k 2 5.0" || strSeen == "winxp 2 5.1")
        << strSeen;
}
