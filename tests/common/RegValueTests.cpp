// Registry value objects read what the registry holds, else their default: a value of
// another type or size reads as the default, a text ends at its zero or the data's end.
#include "common/RegValue.h"
#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

typedef CProductKeyTest RegValue;

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
    EXPECT_EQ((std::vector<std::string>{read("missing"), read("largest"), read("five"), read("text"),
                                        read("short"), read("unterminated"), read("inner zero"),
                                        read("huge")}),
              (std::vector<std::string>{"77 0 default", "4294967295 1 default", "5 1 default",
                                        "77 0 123", "77 0 default", "77 0 abcdef", "77 0 ab",
                                        "77 0 " + strHuge}));
}
