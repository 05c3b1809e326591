// Registry value objects, and the Windows version that a run under an older one sees.
#include "common/RegValue.h"
#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

typedef CProductKeyTest RegValue;

// A value of another type or size reads as the default, a text ends at its zero or the
// data's end.
TEST_F(RegValue, ReadsTheStoredValueOrElseTheDefault)
{
    const std::string strKey = std::string(kSettingsKey) + "\\RegValueTest", strHuge(100000, 'x');
    // The value as a number, a flag and a text.
    const auto read = [&strKey](const char* pszName) {
        CRegDword number(RK_CURRENT_USER, strKey.c_str(), pszName, 77);
        CRegBool flag(RK_CURRENT_USER, strKey.c_str(), pszName, false);
        CRegString text(RK_CURRENT_USER, strKey.c_str(), pszName, "default");
        number.SetNoWriteBack(true);
        flag.SetNoWriteBack(true);
        text.SetNoWriteBack(true);
        return std::to_string(number.Get()) + " " + std::to_string(flag.Get()) + " " + text.Get();
    };
    EXPECT_EQ(read("missing"), "77 0 default");  // no key
    WriteDwordValue(strKey, "largest", 0xFFFFFFFFu);
    WriteDwordValue(strKey, "five", 5);
    WriteStringValue(strKey, "text", "123");  // four bytes with its zero
    WriteRawValue(strKey, "short", REG_DWORD, "\1", 2);
    WriteRawValue(strKey, "unterminated", REG_SZ, "abcdef", 6);
    WriteRawValue(strKey, "inner zero", REG_SZ, "ab\0cd", 6);
    WriteStringValue(strKey, "huge", strHuge);
    const std::pair<const char*, std::string> cases[] = {
        {"missing", "77 0 default"}, {"largest", "4294967295 1 default"},
        {"five", "5 1 default"},     {"text", "77 0 123"},
        {"short", "77 0 default"},   {"unterminated", "77 0 abcdef"},
        {"inner zero", "77 0 ab"},   {"huge", "77 0 " + strHuge}};
    for (const auto& c : cases)
        EXPECT_EQ(read(c.first), c.second) << c.first;
}

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
