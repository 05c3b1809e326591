// Registry targets and updates against the real registry of the test prefix.
#include "cleaner/engine/RegistryCleaning.h"
#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

const std::string kKey = std::string(kProductKey) + "\\RegistryCleaningTest";
// Keys and values outside the product key that a faulty target would reach.
const char kTopKey[] = "VeltrinTestTop";
const char kRootValue[] = "VeltrinTestRootValue";

class RegistryCleaning : public CProductKeyTest {
protected:
    void TearDown() override
    {
        DeleteKeyTree(kTopKey);
        SHDeleteValueA(HKEY_CURRENT_USER, "", kRootValue);
        CProductKeyTest::TearDown();
    }
};

RegTarget Target(const std::string& strName, uint32_t dwType)
{
    RegTarget target;
    target.strName = strName;
    target.dwType = dwType;
    return target;
}

CleanStats Deleted(uint32_t nEntries)
{
    CleanStats stats;
    stats.nDeletedRegEntries = nEntries;
    return stats;
}

std::set<std::string> ValueNames(const std::string& strKey)
{
    std::set<std::string> names;
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, strKey.c_str(), 0, KEY_QUERY_VALUE, &hKey) !=
        ERROR_SUCCESS)
        return names;
    std::vector<char> name(32768);
    for (DWORD i = 0;; ++i) {
        DWORD cchName = DWORD(name.size());
        if (RegEnumValueA(hKey, i, name.data(), &cchName, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.insert(std::string(name.data(), cchName));
    }
    RegCloseKey(hKey);
    return names;
}

// A key-content target over the test key's five values: what it deletes,
// what it counts and what stays.
struct ContentCase {
    const char* mask;
    std::vector<std::string> kept;
    std::set<std::string> remaining;
};

void ExpectContentClean(const ContentCase& c)
{
    RegTarget target = Target(kKey, TT_CONTENT);
    target.strValueMask = c.mask;
    target.lstExcludeValues.assign(c.kept.begin(), c.kept.end());
    EXPECT_EQ(CleanRegTarget(target), Deleted(uint32_t(5 - c.remaining.size())))
        << "mask \"" << c.mask << "\"";
    EXPECT_EQ(ValueNames(kKey), c.remaining) << "mask \"" << c.mask << "\"";
}

}  // namespace

TEST_F(RegistryCleaning, ValueTargetCountsOnceTheKeyOpens)
{
    RegTarget target = Target(kKey, TT_SINGLE);
    target.strValue = "LastUser";

    WriteStringValue(kKey, "LastUser", "alice");
    WriteStringValue(kKey, "Other", "x");
    EXPECT_EQ(CleanRegTarget(target), Deleted(1));
    EXPECT_EQ(ValueNames(kKey), std::set<std::string>{"Other"});

    // The value is gone already: still one.
    EXPECT_EQ(CleanRegTarget(target), Deleted(1));

    DeleteKeyTree(kKey);
    EXPECT_EQ(CleanRegTarget(target), Deleted(0));
    EXPECT_FALSE(KeyExists(kKey));
}

TEST_F(RegistryCleaning, ContentTargetDeletesMatchingValuesExceptKeptData)
{
    const DWORD dwAbc = 0x00636261;  // "abc" and a zero byte
    const ContentCase cases[] = {
        {"Url*", {}, {"Other", "Bin", "Num"}},
        {"Url*", {"b.example"}, {"Url2", "Other", "Bin", "Num"}},
        {"Url*", {"B.EXAMPLE", "b.exampl", "b.example\\"}, {"Other", "Bin", "Num"}},
        {"Url*", {"a.example"}, {"Url1", "Other", "Bin", "Num"}},
        {"url*", {}, {"Url1", "Url2", "Other", "Bin", "Num"}},
        {"", {"c.example"}, {"Other"}},
        {"", {"keep", "abc"}, {"Bin", "Num"}},
        {"", {}, {}},
        {"*1", {}, {"Url2", "Other", "Bin", "Num"}},
    };
    for (const auto& c : cases) {
        DeleteKeyTree(kKey);
        WriteStringValue(kKey, "Url1", "a.example");
        // The kept data are compared up to the first zero byte.
        WriteRawValue(kKey, "Url2", REG_SZ, "b.example\0tail", 15);
        WriteStringValue(kKey, "Other", "c.example");
        WriteRawValue(kKey, "Bin", REG_BINARY, "keep", 4);
        WriteDwordValue(kKey, "Num", dwAbc);
        ExpectContentClean(c);
    }
}

TEST_F(RegistryCleaning, LargeValuesDoNotHideTheValuesAfterThem)
{
    // Created first and named to come first in either order of enumeration.
    const std::string strLongName = "A" + std::string(5000, 'n');
    const std::string strBigText(6000, 'k');
    const std::vector<char> bigBinary(10000, 'x');
    const ContentCase cases[] = {
        {"Url*", {}, {strLongName, "AABig", "AAText"}},
        {"", {strBigText}, {"AAText"}},
        {"", {}, {}},
    };
    for (const auto& c : cases) {
        DeleteKeyTree(kKey);
        WriteStringValue(kKey, strLongName, "long name");
        WriteRawValue(kKey, "AABig", REG_BINARY, bigBinary.data(), DWORD(bigBinary.size()));
        WriteStringValue(kKey, "AAText", strBigText);
        WriteStringValue(kKey, "Url1", "a.example");
        WriteStringValue(kKey, "Url2", "b.example");
        ExpectContentClean(c);
    }
}

TEST_F(RegistryCleaning, KeyTreeTargetDeletesTheKeyWithItsSubkeys)
{
    const std::string strTree = kKey + "\\Tree";
    WriteStringValue(strTree, "v", "1");
    WriteStringValue(strTree + "\\Sub\\Deeper", "v", "2");
    WriteStringValue(kKey + "\\Sibling", "v", "3");

    EXPECT_EQ(CleanRegTarget(Target(strTree, TT_RECURSIVE)), Deleted(1));
    EXPECT_FALSE(KeyExists(strTree));
    EXPECT_TRUE(KeyExists(kKey + "\\Sibling"));

    EXPECT_EQ(CleanRegTarget(Target(strTree, TT_RECURSIVE)), Deleted(0));
}

TEST_F(RegistryCleaning, TargetsWithoutKeyPathOrOnATopLevelKeyAreSkipped)
{
    WriteStringValue("", kRootValue, "root");
    WriteStringValue(std::string(kTopKey) + "\\Sub", "v", "1");
    WriteStringValue(kKey, kRootValue, "inside");

    RegTarget rootValue = Target("", TT_SINGLE);
    rootValue.strValue = kRootValue;
    RegTarget rootContent = Target("", TT_CONTENT);
    rootContent.strValueMask = "VeltrinTestRoot*";
    const std::string strTop = kTopKey;
    const RegTarget targets[] = {
        rootValue,
        rootContent,
        Target(strTop, TT_RECURSIVE),
        Target(strTop + "\\", TT_RECURSIVE),
        Target("\\" + strTop, TT_RECURSIVE),
        Target("\\" + strTop + "\\\\", TT_RECURSIVE),
    };
    for (const RegTarget& target : targets) {
        EXPECT_EQ(CleanRegTarget(target), Deleted(0)) << "\"" << target.strName << "\"";
        EXPECT_TRUE(ValueExists("", kRootValue));
        EXPECT_TRUE(KeyExists(strTop + "\\Sub"));
    }
    EXPECT_EQ(ReadTextValue(kKey, kRootValue), "inside");

    // Two components are enough.
    EXPECT_EQ(CleanRegTarget(Target(strTop + "\\Sub", TT_RECURSIVE)), Deleted(1));
    EXPECT_FALSE(KeyExists(strTop + "\\Sub"));
    EXPECT_TRUE(KeyExists(strTop));
}

TEST_F(RegistryCleaning, UnknownTypeDoesNothing)
{
    WriteStringValue(kKey + "\\Sub", "v", "1");
    WriteStringValue(kKey, "v", "1");
    for (uint32_t dwType : {1u, 4u, 0xFFFFFFFFu}) {
        RegTarget target = Target(kKey, dwType);
        target.strValue = "v";
        EXPECT_EQ(CleanRegTarget(target), Deleted(0)) << dwType;
        EXPECT_TRUE(ValueExists(kKey, "v"));
        EXPECT_TRUE(KeyExists(kKey + "\\Sub"));
    }
}

TEST_F(RegistryCleaning, UpdatesWriteTextOrNumberAndCreateMissingKeys)
{
    const std::string strDeep = kKey + "\\Update\\Deeper";
    RegUpdate number;
    number.target = Target(strDeep, TT_SINGLE);
    number.target.strValue = "Count";
    number.dwData = 0xFFFFFFFEu;
    number.dwDataType = RegUpdate::DT_NUMBER;
    ApplyRegUpdate(number);
    DWORD dwValue = 0;
    EXPECT_TRUE(ReadDwordValue(strDeep, "Count", dwValue));
    EXPECT_EQ(dwValue, 0xFFFFFFFEu);

    // Text replaces the number, with its terminating zero.
    RegUpdate text = number;
    text.dwDataType = RegUpdate::DT_TEXT;
    text.strData = "about:blank";
    ApplyRegUpdate(text);
    DWORD dwType = 0;
    std::string bytes;
    EXPECT_TRUE(ReadRawValue(strDeep, "Count", dwType, bytes));
    EXPECT_EQ(dwType, DWORD(REG_SZ));
    EXPECT_EQ(bytes, std::string("about:blank\0", 12));

    text.strData.clear();
    ApplyRegUpdate(text);
    EXPECT_TRUE(ReadRawValue(strDeep, "Count", dwType, bytes));
    EXPECT_EQ(bytes, std::string("\0", 1));
}

TEST_F(RegistryCleaning, UpdatesOfUnknownTypeOrWithoutKeyPathWriteNothing)
{
    const std::string strKey = kKey + "\\Update";
    RegUpdate update;
    update.target = Target(strKey, TT_SINGLE);
    update.target.strValue = "Count";
    update.strData = "x";
    update.dwData = 1;
    for (uint32_t dwDataType : {2u, 3u, 0xFFFFFFFFu}) {
        update.dwDataType = dwDataType;
        ApplyRegUpdate(update);
        EXPECT_FALSE(KeyExists(strKey)) << dwDataType;
    }

    update.target.strName.clear();
    update.target.strValue = kRootValue;
    for (uint32_t dwDataType : {uint32_t(RegUpdate::DT_TEXT), uint32_t(RegUpdate::DT_NUMBER)}) {
        update.dwDataType = dwDataType;
        ApplyRegUpdate(update);
        EXPECT_FALSE(ValueExists("", kRootValue)) << dwDataType;
    }
}
