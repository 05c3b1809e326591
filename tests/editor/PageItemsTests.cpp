// The rules of the list pages without their windows: the drop-down codes,
// the elements the fields make, which elements count as the same, the rows'
// texts and pictures, and the path presets.
#include "editor/PageItems.h"
#include "editor/PathPresets.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

std::vector<std::string> NamesOf(const CCodeTable& table)
{
    std::vector<std::string> names;
    for (size_t n = 0; n < table.GetCount(); ++n)
        names.push_back(table.GetName(n));
    return names;
}

std::vector<uint32_t> CodesOf(const CCodeTable& table)
{
    std::vector<uint32_t> codes;
    for (size_t n = 0; n < table.GetCount(); ++n)
        codes.push_back(table.GetCode(n));
    return codes;
}

}  // namespace

TEST(PageItems, DropDownListsOfferTheirEntriesInOrderWithTheirCodes)
{
    const struct {
        const CCodeTable& table;
        std::vector<std::string> names;
        std::vector<uint32_t> codes;
        std::string initial;
    } cases[] = {
        {FileFlagTable(), {"File", "Dir content", "Dir recursion"}, {0, 2, 3}, "File"},
        {UpdateMethodTable(), {"Clear lines", "Clear keywords", "Clear whole file"}, {0, 1, 2},
         "Clear lines"},
        {RootKeyTable(),
         {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE", "HKEY_USERS",
          "HKEY_CURRENT_CONFIG"},
         {0x80000000, 0x80000001, 0x80000002, 0x80000003, 0x80000005},
         "HKEY_CURRENT_USER"},
        {KeyFlagTable(), {"Value", "Key content", "Key recursion"}, {0, 2, 3}, "Value"},
        {DataTypeTable(), {"Sting value", "DWORD value"}, {0, 1}, "Sting value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.initial);
        EXPECT_EQ(NamesOf(c.table), c.names);
        EXPECT_EQ(CodesOf(c.table), c.codes);
        EXPECT_EQ(c.table.GetName(c.table.GetInitial()), c.initial);
        for (size_t n = 0; n < c.codes.size(); ++n)
            EXPECT_EQ(c.table.NameOf(c.codes[n]), c.names[n]);
    }
    // A root the editor does not offer, as a plugin file may hold it.
    EXPECT_EQ(RootKeyTable().NameOf(0x80000004), "");
    EXPECT_EQ(KeyFlagTable().NameOf(1), "");
}

TEST(PageItems, FileTargetsGetTheDefaultMaskOnlyForFolders)
{
    const struct {
        uint32_t dwType;
        const char* mask;
        const char* stored;
    } cases[] = {
        {TT_CONTENT, "", "*.*"},
        {TT_CONTENT, "*.tmp|*.bak", "*.tmp|*.bak"},
        {TT_RECURSIVE, "", "*.*"},
        {TT_SINGLE, "", ""},
        {TT_SINGLE, "*.tmp", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.dwType) + " " + c.mask);
        const std::optional<FileTarget> target = MakeFileTarget("C:\\Temp", c.dwType, c.mask);
        ASSERT_TRUE(target);
        EXPECT_EQ(target->strName, "C:\\Temp");
        EXPECT_EQ(target->dwType, c.dwType);
        EXPECT_EQ(target->strMask, c.stored);
        EXPECT_TRUE(target->lstExclude.empty());
        EXPECT_TRUE(target->vecMasks.empty());
        EXPECT_FALSE(target->bUseMaskList || target->bWipe || target->bUseDate);
        EXPECT_EQ(target->stDate, SysTime());
        EXPECT_EQ(target->dwReportFlags, 273u);
    }
    EXPECT_FALSE(MakeFileTarget("", TT_CONTENT, "*.*"));
}

TEST(PageItems, KeywordsAreEveryPieceBetweenSemicolons)
{
    const struct {
        const char* text;
        StringVector keywords;
        const char* shown;
    } cases[] = {
        {"one;two", {"one", "two"}, "one;two;"},
        {"one;two;", {"one", "two", ""}, "one;two;;"},
        {"a;;b", {"a", "", "b"}, "a;;b;"},
        {" spaced ; out", {" spaced ", " out"}, " spaced ; out;"},
        {";", {"", ""}, ";;"},
        {"single", {"single"}, "single;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<FileUpdate> update =
            MakeFileUpdate("C:\\log.txt", FileUpdate::FU_CLEAR_KEYWORDS, c.text);
        ASSERT_TRUE(update);
        EXPECT_EQ(update->strPath, "C:\\log.txt");
        EXPECT_EQ(update->dwMethod, FileUpdate::FU_CLEAR_KEYWORDS);
        EXPECT_EQ(update->vecKeywords, c.keywords);
        EXPECT_EQ(ItemText(*update, 1), c.shown);
    }
    EXPECT_FALSE(MakeFileUpdate("", 0, "one"));
    EXPECT_FALSE(MakeFileUpdate("C:\\log.txt", 0, ""));
}

TEST(PageItems, RegistryTargetsKeepOnlyTheFieldTheirTypeUses)
{
    const struct {
        uint32_t dwType;
        const char* value;
        const char* mask;
    } cases[] = {
        {TT_SINGLE, "LastName", ""},
        {TT_CONTENT, "", "url*"},
        {TT_RECURSIVE, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dwType);
        const std::optional<RegTarget> target =
            MakeRegTarget("Software\\Test", RK_LOCAL_MACHINE, c.dwType, "LastName", "url*");
        ASSERT_TRUE(target);
        EXPECT_EQ(target->strName, "Software\\Test");
        EXPECT_EQ(target->dwKey, 0x80000002u);
        EXPECT_EQ(target->dwType, c.dwType);
        EXPECT_EQ(target->strValue, c.value);
        EXPECT_EQ(target->strValueMask, c.mask);
        EXPECT_TRUE(target->lstExcludeKeys.empty() && target->lstExcludeValues.empty());
    }
    EXPECT_FALSE(MakeRegTarget("", RK_CURRENT_USER, TT_SINGLE, "LastName", ""));
}

TEST(PageItems, NumberDataIsTheLeadingIntegerOfTheText)
{
    const struct {
        const char* text;
        uint32_t number;
    } cases[] = {
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"  7", 7},
        {"+5", 5},
        {"-1", 0xFFFFFFFF},
        {"1 2", 1},
        {"2147483647", 0x7FFFFFFF},
        // Beyond the signed range the conversion stops at its limits.
        {"4294967295", 0x7FFFFFFF},
        {"99999999999999999999", 0x7FFFFFFF},
        {"-99999999999999999999", 0x80000000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(LeadingNumber(c.text), c.number);
    }
}

TEST(PageItems, RegistryUpdatesCarryTextOrNumberData)
{
    const std::optional<RegUpdate> number =
        MakeRegUpdate("Software\\Test", RK_CURRENT_USER, RegUpdate::DT_NUMBER, "Count", "12abc");
    ASSERT_TRUE(number);
    EXPECT_EQ(number->target.strName, "Software\\Test");
    EXPECT_EQ(number->target.dwKey, 0x80000001u);
    EXPECT_EQ(number->target.strValue, "Count");
    EXPECT_EQ(number->target.dwType, TT_SINGLE);
    EXPECT_EQ(number->target.strValueMask, "");
    EXPECT_EQ(number->dwDataType, RegUpdate::DT_NUMBER);
    EXPECT_EQ(number->dwData, 12u);
    EXPECT_EQ(number->strData, "");
    EXPECT_EQ(ItemText(*number, 2), "12");

    const std::optional<RegUpdate> text =
        MakeRegUpdate("Software\\Test", RK_USERS, RegUpdate::DT_TEXT, "Name", "12abc");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->dwDataType, RegUpdate::DT_TEXT);
    EXPECT_EQ(text->strData, "12abc");
    EXPECT_EQ(text->dwData, 0u);
    EXPECT_EQ(ItemText(*text, 2), "12abc");

    // The data may be empty; the path and the value's name may not.
    EXPECT_TRUE(MakeRegUpdate("Software\\Test", RK_USERS, RegUpdate::DT_TEXT, "Name", ""));
    EXPECT_FALSE(MakeRegUpdate("", RK_USERS, RegUpdate::DT_TEXT, "Name", "x"));
    EXPECT_FALSE(MakeRegUpdate("Software\\Test", RK_USERS, RegUpdate::DT_TEXT, "", "x"));
}

TEST(PageItems, ElementsAreTheSameByTheirPagesRule)
{
    FileTarget folder = *MakeFileTarget("C:\\Temp", TT_CONTENT, "");
    FileTarget excluding = folder;
    excluding.lstExclude = {"keep.txt"};
    excluding.dwReportFlags = 0;
    EXPECT_TRUE(IsSameItem(folder, excluding));
    for (auto change : std::vector<void (*)(FileTarget&)>{
             [](FileTarget& t) { t.strName = "C:\\temp"; },
             [](FileTarget& t) { t.dwType = TT_RECURSIVE; },
             [](FileTarget& t) { t.strMask = "*.tmp"; },
             [](FileTarget& t) { t.bUseMaskList = true; },
             [](FileTarget& t) { t.bWipe = true; },
             [](FileTarget& t) { t.bUseDate = true; },
         }) {
        FileTarget other = folder;
        change(other);
        EXPECT_FALSE(IsSameItem(folder, other));
    }

    const FileUpdate update = *MakeFileUpdate("C:\\log.txt", 1, "a;b");
    EXPECT_TRUE(IsSameItem(update, *MakeFileUpdate("C:\\log.txt", 1, "c")));
    EXPECT_FALSE(IsSameItem(update, *MakeFileUpdate("C:\\log.txt", 2, "a;b")));
    EXPECT_FALSE(IsSameItem(update, *MakeFileUpdate("C:\\Log.txt", 1, "a;b")));

    const RegTarget key = *MakeRegTarget("Software\\A", RK_CURRENT_USER, TT_SINGLE, "v", "");
    RegTarget masked = key;
    masked.strValueMask = "x*";
    masked.lstExcludeValues = {"y"};
    EXPECT_TRUE(IsSameItem(key, masked));
    EXPECT_FALSE(IsSameItem(key, *MakeRegTarget("Software\\A", RK_LOCAL_MACHINE, 0, "v", "")));
    EXPECT_FALSE(IsSameItem(key, *MakeRegTarget("Software\\A", RK_CURRENT_USER, 0, "w", "")));
    EXPECT_FALSE(IsSameItem(key, *MakeRegTarget("Software\\A", RK_CURRENT_USER, 3, "", "")));
    EXPECT_FALSE(IsSameItem(key, *MakeRegTarget("Software\\B", RK_CURRENT_USER, 0, "v", "")));

    const RegUpdate value = *MakeRegUpdate("Software\\A", RK_CURRENT_USER, 0, "v", "one");
    EXPECT_TRUE(IsSameItem(value, *MakeRegUpdate("Software\\A", RK_CURRENT_USER, 0, "v", "two")));
    EXPECT_FALSE(IsSameItem(value, *MakeRegUpdate("Software\\A", RK_CURRENT_USER, 1, "v", "1")));
    EXPECT_FALSE(IsSameItem(value, *MakeRegUpdate("Software\\A", RK_USERS, 0, "v", "one")));
    EXPECT_FALSE(IsSameItem(value, *MakeRegUpdate("Software\\A", RK_CURRENT_USER, 0, "V", "one")));

    EXPECT_TRUE(IsSameItem(std::string("\"C:\\x.exe\""), std::string("\"C:\\x.exe\"")));
    EXPECT_FALSE(IsSameItem(std::string("\"C:\\x.exe\""), std::string("\"C:\\X.exe\"")));
}

TEST(PageItems, EveryCodeHasItsPicture)
{
    std::vector<int> files;
    for (uint32_t dwType : {0u, 2u, 3u, 1u})
        files.push_back(ItemImage(*MakeFileTarget("C:\\a", dwType, "")));
    EXPECT_EQ(files, std::vector<int>({0, 1, 2, -1}));
    std::vector<int> methods;
    for (uint32_t dwMethod : {0u, 1u, 2u, 3u})
        methods.push_back(ItemImage(*MakeFileUpdate("C:\\a.txt", dwMethod, "k")));
    EXPECT_EQ(methods, std::vector<int>({7, 8, 9, -1}));
    std::vector<int> keys;
    for (uint32_t dwType : {0u, 2u, 3u, 1u})
        keys.push_back(ItemImage(*MakeRegTarget("Software", RK_USERS, dwType, "", "")));
    EXPECT_EQ(keys, std::vector<int>({6, 1, 2, -1}));
    RegUpdate value = *MakeRegUpdate("Software", RK_USERS, RegUpdate::DT_TEXT, "v", "");
    std::vector<int> values;
    for (uint32_t dwDataType : {0u, 1u, 2u}) {
        value.dwDataType = dwDataType;
        values.push_back(ItemImage(value));
    }
    EXPECT_EQ(values, std::vector<int>({3, 4, -1}));
    EXPECT_EQ(ItemImage(std::string("\"C:\\x.exe\"")), 5);
}

TEST(PathPresets, TheTwentyFiveDefinesInOrder)
{
    const StringVector expected = {
        "%WinDir%", "%ProgramFiles%", "%UserProfile%", "%AppData%", "[WIN_USERNAME]",
        "[PATH_SYS_TEMP]", "[PATH_SYS_DOWNLOADEDPROGRAMS]", "[PATH_SYS_SHELL_COOKIES]",
        "[PATH_SYS_SHELL_HISTORY]", "[PATH_SYS_SHELL_CACHE]", "[PATH_SYS_SHELL_RECENT]",
        "[PATH_APP_AOL_ROOT]", "[PATH_APP_FLASHGET_ROOT]", "[PATH_APP_GETRIGHT_ROOT]",
        "[PATH_APP_ICQ_ROOT]", "[PATH_APP_KAZAA_ROOT]", "[PATH_APP_IMESH_ROOT]",
        "[PATH_APP_IMESH_STOREROOT]", "[PATH_APP_OPERA_ROOT]", "[PATH_APP_OPERA_CACHE]",
        "[PATH_APP_OUTLOOKEXPRESS_STOREROOT]", "[PATH_APP_POWERDVD_ROOT]", "[PATH_APP_YAHOO_ROOT]",
        "[PATH_APP_YAHOO_USERSTOREROOT]", "[PATH_APP_WINAMP_ROOT]"};
    EXPECT_EQ(PresetPathDefines(), expected);
}
