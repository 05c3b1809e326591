// The test run under an older Windows version really sees that version.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

TEST(WindowsVersion, MatchesTheVersionTheRunAskedFor)
{
    const char* pszVersion = std::getenv("VELTRIN_WINVER");
    if (!pszVersion)
        GTEST_SKIP() << "run under the default version";
    OSVERSIONINFOA info = {sizeof(info)};
    ASSERT_TRUE(GetVersionExA(&info));
    const std::map<std::string, std::string> platformAndVersion = {
        {"win98", "1 4.10"}, {"win2k", "2 5.0"}, {"winxp", "2 5.1"}};
    EXPECT_EQ(std::to_string(info.dwPlatformId) + " " + std::to_string(info.dwMajorVersion) + "." +
                  std::to_string(info.dwMinorVersion),
              platformAndVersion.count(pszVersion) ? platformAndVersion.at(pszVersion) : "none");
}
