// The rules of the list pages without their windows: the element the fields
// make and how its row shows it, and which elements count as the same.
#include "editor/PageItems.h"

#include <gtest/gtest.h>

namespace {

// The row of the element, its columns and then its picture; "none" for no element.
template <class Element>
std::string Row(const std::optional<Element>& item, int nColumns)
{
    std::string strRow = item ? "" : "none";
    for (int nColumn = 0; item && nColumn < nColumns; ++nColumn)
        strRow += ItemText(*item, nColumn) + "|";
    return item ? strRow + std::to_string(ItemImage(*item)) : strRow;
}

}  // namespace

// Number data is read as atoi reads it, within 32 bits; the pages' own tests show the rest.
TEST(PageItems, FieldsMakeAnElementOnlyWithTheRequiredOnes)
{
    const uint32_t dwText = RegUpdate::DT_TEXT, dwNum = RegUpdate::DT_NUMBER;
    const std::pair<std::string, const char*> cases[] = {
        {Row(MakeFileTarget("C:\\a", TT_RECURSIVE, "*.t|*.b"), 2), "C:\\a|*.t|*.b|2"},
        {Row(MakeFileTarget("C:\\a", TT_SINGLE, "*.t"), 2), "C:\\a||0"},
        {Row(MakeFileTarget("C:\\a", 1, ""), 2), "C:\\a|*.*|-1"},
        {Row(MakeFileTarget("C:\\a*\\?b", TT_TREE_AND_SELF, ""), 2), "C:\\a*\\?b|*.*|10"},
        {Row(MakeFileUpdate("C:\\b", 0, "one;two"), 2), "C:\\b|one;two;|7"},
        {Row(MakeFileUpdate("C:\\b", 1, " a ;;b;"), 2), "C:\\b| a ;;b;;|8"},
        {Row(MakeFileUpdate("C:\\b", 3, "one"), 2), "C:\\b|one;|-1"},
        {Row(MakeFileUpdate("", 0, "one"), 2), "none"},
        {Row(MakeRegTarget("S", 0x80000002, 0, "v", "m"), 3), "HKEY_LOCAL_MACHINE\\S|v||6"},
        {Row(MakeRegTarget("S", 0x80000004, TT_RECURSIVE, "v", "m"), 3), "\\S|||2"},
        {Row(MakeRegTarget("S", 0x80000001, 1, "v", "m"), 3), "HKEY_CURRENT_USER\\S|||-1"},
        {Row(MakeRegUpdate("S", 0x80000000, dwText, "n", "1x"), 3), "HKEY_CLASSES_ROOT\\S|n|1x|3"},
        {Row(MakeRegUpdate("", 0x80000000, dwText, "n", "x"), 3), "none"},
        {Row(MakeRegUpdate("S", 7, dwNum, "n", " +2147483648"), 3), "\\S|n|2147483647|4"},
        {Row(MakeRegUpdate("S", 7, dwNum, "n", "-99999999999"), 3), "\\S|n|2147483648|4"},
        {Row(MakeCommandLine("C:\\x.exe", ""), 1), "\"C:\\x.exe\"|5"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.first, c.second);
    EXPECT_EQ(MakeFileTarget("C:\\a", TT_SINGLE, "")->dwReportFlags, 273u);
}

// The first of each kind differs only in what its page's rule leaves out.
TEST(PageItems, ElementsAreTheSameByTheirPagesRule)
{
    const auto pfnFolder = &MakeFileTarget;
    const auto pfnFile = &MakeFileUpdate;
    const auto pfnKey = &MakeRegTarget;
    const auto pfnData = &MakeRegUpdate;
    FileTarget t = *pfnFolder("C:\\T", TT_CONTENT, ""), excluding = t;
    excluding.lstExclude = {"keep.txt"};
    excluding.dwReportFlags = 0;
    const FileUpdate f = *pfnFile("a", 1, "x");
    const RegTarget k = *pfnKey("a", 1, 0, "v", "");
    const RegUpdate v = *pfnData("a", 1, 0, "n", "x");
    const std::vector<bool> same = {IsSameItem(t, excluding),
        IsSameItem(t, *pfnFolder("C:\\t", TT_CONTENT, "")),
        IsSameItem(t, *pfnFolder("C:\\T", TT_RECURSIVE, "")),
        IsSameItem(t, *pfnFolder("C:\\T", TT_CONTENT, "*.t")), IsSameItem(f, *pfnFile("a", 1, "y")),
        IsSameItem(f, *pfnFile("a", 2, "x")), IsSameItem(f, *pfnFile("A", 1, "x")),
        IsSameItem(k, *pfnKey("b", 1, 0, "v", "")), IsSameItem(k, *pfnKey("a", 2, 0, "v", "")),
        IsSameItem(k, *pfnKey("a", 1, 0, "w", "")), IsSameItem(k, *pfnKey("a", 1, 3, "v", "")),
        IsSameItem(v, *pfnData("a", 1, 0, "n", "y")), IsSameItem(v, *pfnData("b", 1, 0, "n", "x")),
        IsSameItem(v, *pfnData("a", 2, 0, "n", "x")), IsSameItem(v, *pfnData("a", 1, 1, "n", "x")),
        IsSameItem(v, *pfnData("a", 1, 0, "N", "x")),
        IsSameItem(std::string("a"), std::string("A"))};
    EXPECT_EQ(same, std::vector<bool>({true, false, false, false, true, false, false, false, false,
                                       false, false, true, false, false, false, false, false}));
}
