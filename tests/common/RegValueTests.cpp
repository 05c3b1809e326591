// Registry value objects against the real registry of the test prefix.
#include "common/RegValue.h"
#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <gtest/gtest.h>

namespace {

const std::string kKey = std::string(kSettingsKey) + "\\RegValueTest";

class RegValue : public CProductKeyTest {};

std::string StoredBytes(const char* pszName, DWORD* pdwType = nullptr)
{
    DWORD dwType = 0;
    std::string bytes;
    EXPECT_TRUE(ReadRawValue(kKey, pszName, dwType, bytes)) << pszName;
    if (pdwType)
        *pdwType = dwType;
    return bytes;
}

}  // namespace

TEST_F(RegValue, MissingKeyOrValueGivesTheDefault)
{
    {
        CRegBool flag(RK_CURRENT_USER, kKey.c_str(), "bFlag", true);
        CRegDword number(RK_CURRENT_USER, kKey.c_str(), "dwNumber", 7);
        CRegString text(RK_CURRENT_USER, kKey.c_str(), "strText", "default");
        EXPECT_TRUE(flag.Get());
        EXPECT_EQ(number.Get(), 7u);
        EXPECT_EQ(text.Get(), "default");
        EXPECT_EQ(flag.GetStatus(), uint32_t(RS_OPEN_FAILED));
        EXPECT_EQ(number.GetStatus(), uint32_t(RS_OPEN_FAILED));
        EXPECT_EQ(text.GetStatus(), uint32_t(RS_OPEN_FAILED));
        flag.SetNoWriteBack(true);
        number.SetNoWriteBack(true);
        text.SetNoWriteBack(true);
    }
    EXPECT_FALSE(KeyExists(kKey));

    WriteDwordValue(kKey, "dwOther", 1);
    CRegDword number(RK_CURRENT_USER, kKey.c_str(), "dwNumber", 9);
    number.SetNoWriteBack(true);
    EXPECT_EQ(number.Get(), 9u);
    EXPECT_EQ(number.GetStatus(), uint32_t(RS_READ_FAILED));
}

TEST_F(RegValue, DestructionWritesTheValueAndCreatesTheKey)
{
    const std::string strDeepKey = kKey + "\\Deeper\\Still";
    {
        CRegBool flag(RK_CURRENT_USER, strDeepKey.c_str(), "bFlag", false);
        CRegDword number(RK_CURRENT_USER, kKey.c_str(), "dwNumber", 0);
        CRegString text(RK_CURRENT_USER, kKey.c_str(), "strText", "");
        flag = true;
        number = 0xFFFFFFFFu;
        text = "C:\\Temp";
        // Assignment changes memory only.
        EXPECT_FALSE(ValueExists(kKey, "dwNumber"));
    }
    DWORD dwValue = 0;
    EXPECT_TRUE(ReadDwordValue(strDeepKey, "bFlag", dwValue));
    EXPECT_EQ(dwValue, 1u);
    EXPECT_TRUE(ReadDwordValue(kKey, "dwNumber", dwValue));
    EXPECT_EQ(dwValue, 0xFFFFFFFFu);

    DWORD dwType = 0;
    EXPECT_EQ(StoredBytes("strText", &dwType), std::string("C:\\Temp\0", 8));
    EXPECT_EQ(dwType, DWORD(REG_SZ));

    CRegString text(RK_CURRENT_USER, kKey.c_str(), "strText", "");
    EXPECT_EQ(text.Get(), "C:\\Temp");
    EXPECT_EQ(text.GetStatus(), uint32_t(RS_OK));
}

TEST_F(RegValue, AnyNonzeroFlagReadsTrueAndIsWrittenBackAsOne)
{
    WriteDwordValue(kKey, "bEnabled", 5);
    {
        CRegBool enabled(RK_CURRENT_USER, kKey.c_str(), "bEnabled", false);
        EXPECT_TRUE(enabled.Get());
    }
    DWORD dwValue = 0;
    EXPECT_TRUE(ReadDwordValue(kKey, "bEnabled", dwValue));
    EXPECT_EQ(dwValue, 1u);
}

TEST_F(RegValue, NoWriteBackAndDeleteValue)
{
    WriteDwordValue(kKey, "dwKept", 3);
    WriteStringValue(kKey, "strGone", "old");
    {
        CRegDword kept(RK_CURRENT_USER, kKey.c_str(), "dwKept", 0);
        kept = 4;
        kept.SetNoWriteBack(true);

        CRegString gone(RK_CURRENT_USER, kKey.c_str(), "strGone", "");
        gone = "new";
        EXPECT_TRUE(gone.DeleteValue());
        EXPECT_FALSE(ValueExists(kKey, "strGone"));
    }
    DWORD dwValue = 0;
    EXPECT_TRUE(ReadDwordValue(kKey, "dwKept", dwValue));
    EXPECT_EQ(dwValue, 3u);
    EXPECT_FALSE(ValueExists(kKey, "strGone"));

    // Deleting where there is no key at all still succeeds and writes nothing.
    const std::string strMissing = kKey + "\\Missing";
    {
        CRegString value(RK_CURRENT_USER, strMissing.c_str(), "strValue", "x");
        EXPECT_TRUE(value.DeleteValue());
    }
    EXPECT_FALSE(KeyExists(strMissing));
}

TEST_F(RegValue, ValuesOfTheWrongTypeOrSizeReadAsTheDefault)
{
    const WORD wShort = 1;
    const unsigned char eightBytes[8] = {1, 0, 0, 0, 1, 0, 0, 0};
    WriteStringValue(kKey, "dwText", "12");
    WriteRawValue(kKey, "dwShort", REG_DWORD, &wShort, sizeof(wShort));
    WriteRawValue(kKey, "dwLong", REG_BINARY, eightBytes, sizeof(eightBytes));
    WriteDwordValue(kKey, "strNumber", 65);
    WriteRawValue(kKey, "strBinary", REG_BINARY, "abc", 3);

    for (const char* pszName : {"dwText", "dwShort", "dwLong"}) {
        CRegDword number(RK_CURRENT_USER, kKey.c_str(), pszName, 77);
        number.SetNoWriteBack(true);
        EXPECT_EQ(number.Get(), 77u) << pszName;
        EXPECT_EQ(number.GetStatus(), uint32_t(RS_READ_FAILED)) << pszName;
    }
    for (const char* pszName : {"strNumber", "strBinary"}) {
        CRegString text(RK_CURRENT_USER, kKey.c_str(), pszName, "default");
        text.SetNoWriteBack(true);
        EXPECT_EQ(text.Get(), "default") << pszName;
        EXPECT_EQ(text.GetStatus(), uint32_t(RS_READ_FAILED)) << pszName;
    }
}

TEST_F(RegValue, StringsWithoutTerminatorOrInsideZerosOrOfAnySize)
{
    WriteRawValue(kKey, "strUnterminated", REG_SZ, "abcdef", 6);
    WriteRawValue(kKey, "strInnerZero", REG_SZ, "ab\0cd\0", 6);
    WriteRawValue(kKey, "strEmpty", REG_SZ, "", 0);
    const std::string strHuge(1024 * 1024, 'x');
    WriteStringValue(kKey, "strHuge", strHuge);

    const struct {
        const char* name;
        std::string expected;
    } cases[] = {
        {"strUnterminated", "abcdef"},
        {"strInnerZero", "ab"},
        {"strEmpty", ""},
        {"strHuge", strHuge},
    };
    for (const auto& c : cases) {
        CRegString text(RK_CURRENT_USER, kKey.c_str(), c.name, "default");
        text.SetNoWriteBack(true);
        EXPECT_EQ(text.GetStatus(), uint32_t(RS_OK)) << c.name;
        EXPECT_EQ(text.Get(), c.expected) << c.name;
    }
}

TEST_F(RegValue, ExplicitReadLeavesTheValueOnFailure)
{
    CRegString text(RK_CURRENT_USER, kKey.c_str(), "strText", "first");
    text.SetNoWriteBack(true);
    text = "changed";
    EXPECT_FALSE(text.Read());
    EXPECT_EQ(text.Get(), "changed");
    EXPECT_EQ(text.GetStatus(), uint32_t(RS_OPEN_FAILED));

    WriteStringValue(kKey, "strText", "stored");
    EXPECT_TRUE(text.Read());
    EXPECT_EQ(text.Get(), "stored");
}
