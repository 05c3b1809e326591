// Registry value objects read what the registry holds, else their default: a value of
// another type or size reads as the default, a text ends at its zero or the data's end.
#include "common/RegValue.h"
#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

static const std::string kKey = std::string(kSettingsKey) + "\\RegValueTest";

template <class TRegValue, class TDefault, class TExpected>
static void ExpectRead(const char* pszName, TDefault defaultValue, TExpected expected)
{
    TRegValue value(RK_CURRENT_USER, kKey.c_str(), pszName, defaultValue);
    value.SetNoWriteBack(true);
    EXPECT_EQ(value.Get(), expected) << pszName;
}

typedef CProductKeyTest RegValue;

TEST_F(RegValue, ReadsTheStoredValueOrElseTheDefault)
{
    ExpectRead<CRegDword>("dwNumber", 77u, 77u);  // no key
    const std::string strHuge(100000, 'x');
    WriteDwordValue(kKey, "dwNumber", 0xFFFFFFFFu);
    WriteDwordValue(kKey, "bFive", 5);
    WriteStringValue(kKey, "dwText", "123");  // four bytes with its zero
    WriteRawValue(kKey, "dwShort", REG_DWORD, "\1", 2);
    WriteDwordValue(kKey, "strNumber", 65);
    WriteRawValue(kKey, "strUnterminated", REG_SZ, "abcdef", 6);
    WriteRawValue(kKey, "strInnerZero", REG_SZ, "ab\0cd", 6);
    WriteStringValue(kKey, "strHuge", strHuge);

    ExpectRead<CRegDword>("dwMissing", 77u, 77u);
    ExpectRead<CRegDword>("dwNumber", 77u, 0xFFFFFFFFu);
    ExpectRead<CRegBool>("bFive", false, true);
    ExpectRead<CRegDword>("dwText", 77u, 77u);
    ExpectRead<CRegDword>("dwShort", 77u, 77u);
    ExpectRead<CRegString>("strNumber", "default", "default");
    ExpectRead<CRegString>("strUnterminated", "default", "abcdef");
    ExpectRead<CRegString>("strInnerZero", "default", "ab");
    ExpectRead<CRegString>("strHuge", "default", strHuge);
}
