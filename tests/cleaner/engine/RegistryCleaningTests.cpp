// Registry targets and updates against the real registry of the test prefix.
#include "cleaner/engine/RegistryCleaning.h"
#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <shlwapi.h>

#include <set>
#include <tuple>

namespace {

const std::string kKey = std::string(kProductKey) + "\\RegistryCleaningTest";
// A key and a value outside the product key that a faulty target would reach.
const std::string kTopKey = "VeltrinTestTop";
const char kRootValue[] = "VeltrinTestRootValue";

struct RegistryCleaning : CProductKeyTest {
    void TearDown() override
    {
        DeleteKeyTree(kTopKey);
        SHDeleteValueA(HKEY_CURRENT_USER, "", kRootValue);
        CProductKeyTest::TearDown();
    }
};

RegTarget Target(const std::string& strName, uint32_t dwType, const std::string& strValue = "")
{
    return RegTarget{strName, strValue, "", RK_CURRENT_USER, {}, {}, dwType};
}

CleanStats Entries(uint32_t nEntries) { return CleanStats{0, 0, 0, 0, nEntries}; }

}  // namespace

// Values far larger than the first buffers come first in either order of enumeration: they
// must not hide the rest. Kept data compare up to the first zero byte, exactly.
TEST_F(RegistryCleaning, ContentTargetDeletesMatchingValuesExceptKeptData)
{
    const std::string strLong = "A" + std::string(5000, 'n'), strBigText(6000, 'k'),
                      bigBinary(10000, 'x');
    const std::set<std::string> all = {strLong, "AABig", "AAText", "Url1", "Url2", "Other", "Bin",
                                       "Num"};
    const struct {
        const char* mask;
        StringList kept;
        std::set<std::string> deleted;
    } cases[] = {
        {"Url*", {}, {"Url1", "Url2"}},
        {"Url*", {"b.example"}, {"Url1"}},
        {"Url*", {"B.EXAMPLE", "b.exampl", "b.example\\"}, {"Url1", "Url2"}},
        {"url*", {}, {}},
        {"", {"c.example", strBigText, "keep", "abc"}, {strLong, "AABig", "Url1", "Url2"}},
        {"", {}, all},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "mask " << c.mask << ", " << c.kept.size() << " kept");
        DeleteKeyTree(kKey);
        WriteStringValue(kKey, strLong, "long name");
        WriteRawValue(kKey, "AABig", REG_BINARY, bigBinary.data(), DWORD(bigBinary.size()));
        WriteStringValue(kKey, "AAText", strBigText);
        WriteStringValue(kKey, "Url1", "a.example");
        WriteRawValue(kKey, "Url2", REG_SZ, "b.example\0tail", 15);
        WriteStringValue(kKey, "Other", "c.example");
        WriteRawValue(kKey, "Bin", REG_BINARY, "keep", 4);
        WriteDwordValue(kKey, "Num", 0x00636261);  // "abc" and a zero byte
        RegTarget target = Target(kKey, TT_CONTENT);
        target.strValueMask = c.mask;
        target.lstExcludeValues = c.kept;
        EXPECT_EQ(CleanRegTarget(target), Entries(uint32_t(c.deleted.size())));
        for (const std::string& name : all)
            EXPECT_EQ(ValueExists(kKey, name), !c.deleted.count(name)) << name.substr(0, 6);
    }
}

// Without a key path a target would work on the root itself; a key tree of one component
// would take a whole top-level key such as "Software"; an unknown type does nothing.
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
        Target(kKey, 1, "v"), Target(kKey, 0xFFFFFFFFu, "v"),
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
    RegUpdate update, rootUpdate;
    update.target = Target(strDeep, TT_SINGLE, "Count");
    update.dwData = 0xFFFFFFFEu;
    rootUpdate.target = Target("", TT_SINGLE, kRootValue);
    // Of unknown type, or without a key path: nothing is written.
    for (uint32_t dwDataType : {2u, 3u, 0xFFFFFFFFu, 0u, 1u}) {
        update.dwDataType = rootUpdate.dwDataType = dwDataType;
        if (dwDataType > 1)
            ApplyRegUpdate(update);
        ApplyRegUpdate(rootUpdate);
        EXPECT_FALSE(KeyExists(kKey + "\\Update")) << dwDataType;
        EXPECT_FALSE(ValueExists("", kRootValue)) << dwDataType;
    }
    // Text replaces the number, with its terminating zero.
    const std::tuple<uint32_t, const char*, RawValue> rows[] = {
        {RegUpdate::DT_NUMBER, "x", {REG_DWORD, std::string("\xFE\xFF\xFF\xFF", 4)}},
        {RegUpdate::DT_TEXT, "about:blank", {REG_SZ, std::string("about:blank\0", 12)}},
        {RegUpdate::DT_TEXT, "", {REG_SZ, std::string("\0", 1)}},
    };
    for (const auto& row : rows) {
        update.dwDataType = std::get<0>(row);
        update.strData = std::get<1>(row);
        ApplyRegUpdate(update);
        EXPECT_EQ(SnapshotKey(strDeep), KeySnapshot({{"Count", std::get<2>(row)}}));
    }
}
