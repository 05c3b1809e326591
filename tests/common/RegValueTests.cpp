// Registry value objects against the real registry of the test prefix.
#include "common/RegValue.h"
#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

namespace {

const std::string kKey = std::string(kSettingsKey) + "\\RegValueTest";

typedef CProductKeyTest RegValue;

// What an object created over the named value holds, and its status.
template <class TRegValue, class TDefault, class TExpected>
void ExpectRead(const char* pszName, TDefault defaultValue, TExpected expected, uint32_t dwStatus)
{
    TRegValue value(RK_CURRENT_USER, kKey.c_str(), pszName, defaultValue);
    value.SetNoWriteBack(true);
    EXPECT_EQ(value.Get(), expected) << pszName;
    EXPECT_EQ(value.GetStatus(), dwStatus) << pszName;
}

}  // namespace

TEST_F(RegValue, ReadsTheStoredValueOrElseTheDefault)
{
    ExpectRead<CRegDword>("dwNumber", 77u, 77u, RS_OPEN_FAILED);
    const std::string strHuge(100000, 'x');
    WriteDwordValue(kKey, "dwNumber", 0xFFFFFFFFu);
    WriteDwordValue(kKey, "bFive", 5);
    WriteStringValue(kKey, "dwText", "123");  // four bytes with its zero
    WriteRawValue(kKey, "dwShort", REG_DWORD, "\1", 2);
    WriteDwordValue(kKey, "strNumber", 65);
    WriteRawValue(kKey, "strUnterminated", REG_SZ, "abcdef", 6);
    WriteRawValue(kKey, "strInnerZero", REG_SZ, "ab\0cd", 6);
    WriteRawValue(kKey, "strEmpty", REG_SZ, "", 0);
    WriteStringValue(kKey, "strHuge", strHuge);

    ExpectRead<CRegDword>("dwMissing", 77u, 77u, RS_READ_FAILED);
    ExpectRead<CRegDword>("dwNumber", 77u, 0xFFFFFFFFu, RS_OK);
    ExpectRead<CRegBool>("bFive", false, true, RS_OK);
    ExpectRead<CRegDword>("dwText", 77u, 77u, RS_READ_FAILED);
    ExpectRead<CRegDword>("dwShort", 77u, 77u, RS_READ_FAILED);
    ExpectRead<CRegString>("strNumber", "default", "default", RS_READ_FAILED);
    ExpectRead<CRegString>("strUnterminated", "default", "abcdef", RS_OK);
    ExpectRead<CRegString>("strInnerZero", "default", "ab", RS_OK);
    ExpectRead<CRegString>("strEmpty", "default", "", RS_OK);
    ExpectRead<CRegString>("strHuge", "default", strHuge, RS_OK);
}
