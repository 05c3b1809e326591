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
const std::string kTopKey = "VeltrinTestTop";
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

RegTarget Target(const std::string& strName, uint32_t dwType, const std::string& strValue = "")
{
    RegTarget target;
    target.strName = strName;
    target.dwType = dwType;
    target.strValue = strValue;
    return target;
}

CleanStats Entries(uint32_t nEntries)
{
    return CleanStats{0, 0, 0, 0, nEntries};
}

std::set<std::string> ValueNames(const std::string& strKey)
{
    std::set<std::string> names;
    for (const auto& entry : SnapshotKey(strKey))
        names.insert(entry.first);
    return names;
}

}  // namespace

TEST_F(RegistryCleaning, ValueTargetCountsOnceTheKeyOpens)
{
    const RegTarget target = Target(kKey, TT_SINGLE, "LastUser");
    WriteStringValue(kKey, "LastUser", "alice");
    WriteStringValue(kKey, "Other", "x");
    EXPECT_EQ(CleanRegTarget(target), Entries(1));
    EXPECT_EQ(ValueNames(kKey), std::set<std::string>{"Other"});
    EXPECT_EQ(CleanRegTarget(target), Entries(1));  // gone already: still one

    DeleteKeyTree(kKey);
    EXPECT_EQ(CleanRegTarget(target), Entries(0));
    EXPECT_FALSE(KeyExists(kKey));
}

// Values far larger than the first buffers are created first and named to
// come first in either order of enumeration: they must not hide the rest.
TEST_F(RegistryCleaning, ContentTargetDeletesMatchingValuesExceptKeptData)
{
    const std::string strLongName = "A" + std::string(5000, 'n'), strBigText(6000, 'k');
    const std::vector<char> bigBinary(10000, 'x');
    const DWORD dwAbc = 0x00636261;  // "abc" and a zero byte
    const std::set<std::string> all = {strLongName, "AABig", "AAText", "Url1", "Url2",
                                       "Other", "Bin", "Num"};
    const struct {
        const char* mask;
        StringList kept;
        std::set<std::string> deleted;
    } cases[] = {
        {"Url*", {}, {"Url1", "Url2"}},
        // The kept data are compared up to the first zero byte, exactly.
        {"Url*", {"b.example"}, {"Url1"}},
        {"Url*", {"B.EXAMPLE", "b.exampl", "b.example\\"}, {"Url1", "Url2"}},
        {"url*", {}, {}},
        {"", {"c.example", strBigText, "keep", "abc"}, {strLongName, "AABig", "Url1", "Url2"}},
        {"", {}, all},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask \"" << c.mask << "\", " << c.kept.size() << " kept");
        DeleteKeyTree(kKey);
        WriteStringValue(kKey, strLongName, "long name");
        WriteRawValue(kKey, "AABig", REG_BINARY, bigBinary.data(), DWORD(bigBinary.size()));
        WriteStringValue(kKey, "AAText", strBigText);
        WriteStringValue(kKey, "Url1", "a.example");
        WriteRawValue(kKey, "Url2", REG_SZ, "b.example\0tail", 15);
        WriteStringValue(kKey, "Other", "c.example");
        WriteRawValue(kKey, "Bin", REG_BINARY, "keep", 4);
        WriteDwordValue(kKey, "Num", dwAbc);
        RegTarget target = Target(kKey, TT_CONTENT);
        target.strValueMask = c.mask;
        target.lstExcludeValues = c.kept;
        EXPECT_EQ(CleanRegTarget(target), Entries(uint32_t(c.deleted.size())));
        std::set<std::string> remaining = all;
        for (const std::string& strName : c.deleted)
            remaining.erase(strName);
        EXPECT_EQ(ValueNames(kKey), remaining);
    }
}

TEST_F(RegistryCleaning, KeyTreeTargetDeletesTheKeyWithItsSubkeys)
{
    const std::string strTree = kKey + "\\Tree";
    WriteStringValue(strTree + "\\Sub\\Deeper", "v", "2");
    WriteStringValue(kKey + "\\Sibling", "v", "3");
    EXPECT_EQ(CleanRegTarget(Target(strTree, TT_RECURSIVE)), Entries(1));
    EXPECT_FALSE(KeyExists(strTree));
    EXPECT_TRUE(KeyExists(kKey + "\\Sibling"));
    EXPECT_EQ(CleanRegTarget(Target(strTree, TT_RECURSIVE)), Entries(0));
}

// A target without a key path would work on the root itself, a key tree of
// one component would take a whole top-level key such as "Software", and a
// target of unknown type does nothing.
TEST_F(RegistryCleaning, TargetsOnTheRootOrATopLevelKeyOrOfUnknownTypeAreSkipped)
{
    WriteStringValue("", kRootValue, "root");
    WriteStringValue(kTopKey + "\\Sub", "v", "1");
    WriteStringValue(kKey, "v", "inside");
    RegTarget rootContent = Target("", TT_CONTENT);
    rootContent.strValueMask = "VeltrinTestRoot*";
    const RegTarget targets[] = {
        Target("", TT_SINGLE, kRootValue), rootContent, Target(kTopKey, TT_RECURSIVE),
        Target(kTopKey + "\\", TT_RECURSIVE), Target("\\" + kTopKey + "\\\\", TT_RECURSIVE),
        Target(kKey, 1, "v"), Target(kKey, 4, "v"), Target(kKey, 0xFFFFFFFFu, "v"),
    };
    for (const RegTarget& target : targets) {
        EXPECT_EQ(CleanRegTarget(target), Entries(0)) << "\"" << target.strName << "\"";
        EXPECT_TRUE(ValueExists("", kRootValue));
        EXPECT_TRUE(KeyExists(kTopKey + "\\Sub"));
        EXPECT_TRUE(ValueExists(kKey, "v"));
    }
    // Two components are enough.
    EXPECT_EQ(CleanRegTarget(Target(kTopKey + "\\Sub", TT_RECURSIVE)), Entries(1));
    EXPECT_FALSE(KeyExists(kTopKey + "\\Sub"));
    EXPECT_TRUE(KeyExists(kTopKey));
}

TEST_F(RegistryCleaning, UpdatesWriteTextOrNumberAndCreateMissingKeysButNoOther)
{
    const std::string strDeep = kKey + "\\Update\\Deeper";
    RegUpdate update;
    update.target = Target(strDeep, TT_SINGLE, "Count");
    update.dwData = 0xFFFFFFFEu;
    update.strData = "x";
    // Of unknown type, or without a key path: nothing is written.
    for (uint32_t dwDataType : {2u, 3u, 0xFFFFFFFFu}) {
        update.dwDataType = dwDataType;
        ApplyRegUpdate(update);
        EXPECT_FALSE(KeyExists(kKey + "\\Update")) << dwDataType;
    }
    RegUpdate rootUpdate = update;
    rootUpdate.target = Target("", TT_SINGLE, kRootValue);
    for (uint32_t dwDataType : {RegUpdate::DT_TEXT, RegUpdate::DT_NUMBER}) {
        rootUpdate.dwDataType = dwDataType;
        ApplyRegUpdate(rootUpdate);
        EXPECT_FALSE(ValueExists("", kRootValue)) << dwDataType;
    }

    const struct {
        uint32_t dwDataType;
        const char* pszText;
        DWORD dwType;
        std::string bytes;
    } rows[] = {
        {RegUpdate::DT_NUMBER, "x", REG_DWORD, std::string("\xFE\xFF\xFF\xFF", 4)},
        // Text replaces the number, with its terminating zero.
        {RegUpdate::DT_TEXT, "about:blank", REG_SZ, std::string("about:blank\0", 12)},
        {RegUpdate::DT_TEXT, "", REG_SZ, std::string("\0", 1)},
    };
    for (const auto& row : rows) {
        update.dwDataType = row.dwDataType;
        update.strData = row.pszText;
        ApplyRegUpdate(update);
        DWORD dwType = 0;
        std::string bytes;
        EXPECT_TRUE(ReadRawValue(strDeep, "Count", dwType, bytes));
        EXPECT_EQ(dwType, row.dwType);
        EXPECT_EQ(bytes, row.bytes) << row.pszText;
    }
}
