// The rules of the list pages without their windows: the drop-down codes,
// the elements the fields make and how a row shows them, which elements
// count as the same, and the row selected after a removal.
#include "editor/PageItems.h"

#include <gtest/gtest.h>

namespace {

// "Name=code" for each entry, the initial one marked with "*".
std::string Describe(const CCodeTable& table)
{
    std::string strText;
    for (size_t n = 0; n < table.GetCount(); ++n)
        strText += (n == table.GetInitial() ? " *" : " ") + table.GetName(n) + "=" +
                   std::to_string(table.GetCode(n));
    return strText;
}

// The row of the element, its columns and then its picture; "none" for no element.
template <class Element>
std::string Shown(const std::optional<Element>& item, int nColumns)
{
    std::string strRow = item ? "" : "none";
    for (int nColumn = 0; item && nColumn < nColumns; ++nColumn)
        strRow += ItemText(*item, nColumn) + "|";
    return item ? strRow + std::to_string(ItemImage(*item)) : strRow;
}

}  // namespace

TEST(PageItems, DropDownListsMapTheirEntriesToTheFileFormatsCodes)
{
    EXPECT_EQ(Describe(FileFlagTable()), " *File=0 Dir content=2 Dir recursion=3");
    EXPECT_EQ(Describe(UpdateMethodTable()), " *Clear lines=0 Clear keywords=1 Clear whole file=2");
    EXPECT_EQ(Describe(RootKeyTable()),
              " HKEY_CLASSES_ROOT=2147483648 *HKEY_CURRENT_USER=2147483649"
              " HKEY_LOCAL_MACHINE=2147483650 HKEY_USERS=2147483651 HKEY_CURRENT_CONFIG=2147483653");
    EXPECT_EQ(Describe(KeyFlagTable()), " *Value=0 Key content=2 Key recursion=3");
    EXPECT_EQ(Describe(DataTypeTable()), " *Sting value=0 DWORD value=1");
}

TEST(PageItems, FieldsMakeAnElementOnlyWithTheRequiredOnes)
{
    const std::pair<std::string, const char*> cases[] = {
        {Shown(MakeFileTarget("C:\\a", TT_CONTENT, ""), 2), "C:\\a|*.*|1"},
        {Shown(MakeFileTarget("C:\\a", TT_RECURSIVE, "*.t|*.b"), 2), "C:\\a|*.t|*.b|2"},
        {Shown(MakeFileTarget("C:\\a", TT_SINGLE, "*.t"), 2), "C:\\a||0"},
        {Shown(MakeFileTarget("C:\\a", 1, ""), 2), "C:\\a|*.*|-1"},
        {Shown(MakeFileTarget("", TT_CONTENT, "*.t"), 2), "none"},
        {Shown(MakeFileUpdate("C:\\b", 0, "one;two"), 2), "C:\\b|one;two;|7"},
        {Shown(MakeFileUpdate("C:\\b", 1, " a ;;b;"), 2), "C:\\b| a ;;b;;|8"},
        {Shown(MakeFileUpdate("C:\\b", 2, "one"), 2), "C:\\b|one;|9"},
        {Shown(MakeFileUpdate("C:\\b", 3, "one"), 2), "C:\\b|one;|-1"},
        {Shown(MakeFileUpdate("", 0, "one"), 2), "none"},
        {Shown(MakeFileUpdate("C:\\b", 0, ""), 2), "none"},
        {Shown(MakeRegTarget("S", 0x80000002, TT_SINGLE, "v", "m*"), 3), "HKEY_LOCAL_MACHINE\\S|v||6"},
        {Shown(MakeRegTarget("S", 0x80000003, TT_CONTENT, "v", "m*"), 3), "HKEY_USERS\\S||m*|1"},
        {Shown(MakeRegTarget("S", 0x80000004, TT_RECURSIVE, "v", "m*"), 3), "\\S|||2"},
        {Shown(MakeRegTarget("S", 0x80000001, 1, "v", "m*"), 3), "HKEY_CURRENT_USER\\S|||-1"},
        {Shown(MakeRegTarget("", 0x80000001, TT_SINGLE, "v", ""), 3), "none"},
        {Shown(MakeRegUpdate("S", 0x80000005, RegUpdate::DT_NUMBER, "n", "12x"), 3),
         "HKEY_CURRENT_CONFIG\\S|n|12|4"},
        {Shown(MakeRegUpdate("S", 0x80000000, RegUpdate::DT_TEXT, "n", "12x"), 3),
         "HKEY_CLASSES_ROOT\\S|n|12x|3"},
        {Shown(MakeRegUpdate("S", 0x80000000, RegUpdate::DT_TEXT, "n", ""), 3), "HKEY_CLASSES_ROOT\\S|n||3"},
        {Shown(MakeRegUpdate("", 0x80000000, RegUpdate::DT_TEXT, "n", "x"), 3), "none"},
        {Shown(MakeRegUpdate("S", 0x80000000, RegUpdate::DT_TEXT, "", "x"), 3), "none"},
        {Shown(MakeCommandLine("C:\\x.exe", "/s"), 1), "\"C:\\x.exe\" /s|5"},
        {Shown(MakeCommandLine("C:\\x.exe", ""), 1), "\"C:\\x.exe\"|5"},
        {Shown(MakeCommandLine("", "/s"), 1), "none"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.first, c.second);
    EXPECT_EQ(MakeFileTarget("C:\\a", TT_SINGLE, "")->dwReportFlags, 273u);
    EXPECT_EQ(MakeFileUpdate("C:\\b", 0, ";")->vecKeywords, StringVector({"", ""}));
}

TEST(PageItems, NumberDataIsTheLeadingIntegerOfTheText)
{
    // Beyond the signed range the conversion stops at its limits.
    const std::pair<const char*, uint32_t> cases[] = {
        {"abc", 0}, {"  7", 7}, {"+5", 5}, {"-1", 0xFFFFFFFF}, {"2147483647", 0x7FFFFFFF},
        {"2147483648", 0x7FFFFFFF}, {"99999999999999999999", 0x7FFFFFFF},
        {"-2147483648", 0x80000000}, {"-99999999999999999999", 0x80000000}};
    for (const auto& c : cases)
        EXPECT_EQ(LeadingNumber(c.first), c.second) << c.first;
}

TEST(PageItems, ElementsAreTheSameByTheirPagesRule)
{
    const FileTarget folder = *MakeFileTarget("C:\\Temp", TT_CONTENT, "");
    std::vector<FileTarget> others(7, folder);
    others[0].lstExclude = {"keep.txt"};  // the only one that is the same
    others[0].dwReportFlags = 0;
    others[1].strName = "C:\\temp";
    others[2].dwType = TT_RECURSIVE;
    others[3].strMask = "*.tmp";
    others[4].bUseMaskList = others[5].bWipe = others[6].bUseDate = true;
    for (size_t n = 0; n < others.size(); ++n)
        EXPECT_EQ(IsSameItem(folder, others[n]), n == 0) << n;

    const FileUpdate update = *MakeFileUpdate("C:\\log.txt", 1, "a;b");
    EXPECT_TRUE(IsSameItem(update, *MakeFileUpdate("C:\\log.txt", 1, "c")));
    EXPECT_FALSE(IsSameItem(update, *MakeFileUpdate("C:\\log.txt", 2, "a;b")));
    EXPECT_FALSE(IsSameItem(update, *MakeFileUpdate("C:\\Log.txt", 1, "a;b")));
    const RegTarget key = *MakeRegTarget("A", 1, TT_SINGLE, "v", "");
    RegTarget masked = key;
    masked.strValueMask = "x*";
    masked.lstExcludeValues = {"y"};
    EXPECT_TRUE(IsSameItem(key, masked));
    for (const RegTarget& other : {*MakeRegTarget("A", 2, 0, "v", ""), *MakeRegTarget("A", 1, 0, "w", ""),
                                   *MakeRegTarget("A", 1, 3, "", ""), *MakeRegTarget("B", 1, 0, "v", "")})
        EXPECT_FALSE(IsSameItem(key, other)) << other.strName << other.dwKey << other.strValue;
    const RegUpdate value = *MakeRegUpdate("A", 1, 0, "v", "one");
    EXPECT_TRUE(IsSameItem(value, *MakeRegUpdate("A", 1, 0, "v", "two")));
    for (const RegUpdate& other : {*MakeRegUpdate("A", 1, 1, "v", "1"), *MakeRegUpdate("A", 3, 0, "v", "one"),
                                   *MakeRegUpdate("A", 1, 0, "V", "one"), *MakeRegUpdate("a", 1, 0, "v", "one")})
        EXPECT_FALSE(IsSameItem(value, other)) << other.target.strName << other.target.strValue;
    EXPECT_FALSE(IsSameItem(std::string("\"C:\\x.exe\""), std::string("\"C:\\X.exe\"")));
}

TEST(PageItems, RemovingARowSelectsTheOneThatMovedIntoItsPlace)
{
    const int cases[][3] = {{3, 0, 0}, {3, 1, 1}, {3, 2, 1}, {1, 0, -1}, {2, 2, -1}, {2, -1, -1}};
    for (const auto& c : cases) {  // rows, the one removed, the one selected after
        std::vector<int> items(c[0]);
        EXPECT_EQ(EraseRow(items, c[1]), c[2]) << c[0] << " " << c[1];
        EXPECT_EQ(items.size(), size_t(c[0] - (c[1] >= 0 && c[1] < c[0])));
    }
}
