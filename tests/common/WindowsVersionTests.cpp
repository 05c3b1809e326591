// The test run under an older Windows version really sees that version.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

TEST(WindowsVersion, MatchesTheVersionTheRunAskedFor)
{
    const char* pszVersion = std::getenv("VELTRIN_WINVER");
    if (!pszVersion)
        GTEST_SKIP() << "run under the default version";

    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_TRUE(GetVersionExA(&info));
    const struct {
        const char* name;
        DWORD platform;
        DWORD major;
        DWORD minor;
    } versions[] = {
        {"win98", VER_PLATFORM_WIN32_WINDOWS, 4, 10},
        {"win2k", VER_PLATFORM_WIN32_NT, 5, 0},
        {"winxp", VER_PLATFORM_WIN32_NT, 5, 1},
    };
    for (const auto& v : versions) {
        if (std::strcmp(v.name, pszVersion) == 0) {
            EXPECT_EQ(info.dwPlatformId, v.platform);
            EXPECT_EQ(info.dwMajorVersion, v.major);
            EXPECT_EQ(info.dwMinorVersion, v.minor);
            return;
        }
    }
    FAIL() << "unknown version " << pszVersion;
}
