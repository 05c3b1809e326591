// What the item editor's list pages know of the elements of an action's
// lists: the codes behind their drop-down lists, how the input fields make an
// element, when two elements count as the same, and how a row shows one.
// Portable: nothing here includes a Windows header.
#pragma once

#include "common/Action.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

// The entries of a drop-down list, in list order, and the code stored for
// each.
class CCodeTable {
public:
    struct Entry {
        const char* pszName;
        uint32_t dwCode;
    };

    CCodeTable(std::initializer_list<Entry> entries, size_t nInitial);

    size_t GetCount() const { return m_codes.size(); }
    const std::string& GetName(size_t nIndex) const { return m_names[nIndex]; }
    uint32_t GetCode(size_t nIndex) const { return m_codes[nIndex]; }
    // The entry a fresh page shows.
    size_t GetInitial() const { return m_nInitial; }
    // Empty for a code the table lacks.
    std::string NameOf(uint32_t dwCode) const;

private:
    std::vector<uint32_t> m_codes;
    std::vector<std::string> m_names;
    size_t m_nInitial;
};

const CCodeTable& FileFlagTable();
const CCodeTable& UpdateMethodTable();
const CCodeTable& RootKeyTable();
const CCodeTable& KeyFlagTable();
const CCodeTable& DataTypeTable();

// The element the input fields make; none while a required field is empty.
std::optional<FileTarget> MakeFileTarget(const std::string& strPath, uint32_t dwType,
                                         const std::string& strMask);
std::optional<FileUpdate> MakeFileUpdate(const std::string& strPath, uint32_t dwMethod,
                                         const std::string& strKeywords);
std::optional<RegTarget> MakeRegTarget(const std::string& strPath, uint32_t dwKey,
                                       uint32_t dwType, const std::string& strValue,
                                       const std::string& strMask);
std::optional<RegUpdate> MakeRegUpdate(const std::string& strPath, uint32_t dwKey,
                                       uint32_t dwDataType, const std::string& strName,
                                       const std::string& strData);
std::optional<std::string> MakeCommandLine(const std::string& strPath,
                                           const std::string& strParameters);

// Every piece of the text between ";", empty ones included; a text without
// a final ";" reads as if it had one.
StringVector SplitKeywords(const std::string& strText);
// The number a text starts with, read as the C library's atoi reads it
// (blanks, a sign, digits; 0 when there are none), kept within 32 bits as
// that function keeps it.
uint32_t LeadingNumber(const std::string& strText);

// Whether an element equals one already listed, by the page's own rule.
bool IsSameItem(const FileTarget& a, const FileTarget& b);
bool IsSameItem(const FileUpdate& a, const FileUpdate& b);
bool IsSameItem(const RegTarget& a, const RegTarget& b);
bool IsSameItem(const RegUpdate& a, const RegUpdate& b);
bool IsSameItem(const std::string& a, const std::string& b);

// The text of a row's column.
std::string ItemText(const FileTarget& item, int nColumn);
std::string ItemText(const FileUpdate& item, int nColumn);
std::string ItemText(const RegTarget& item, int nColumn);
std::string ItemText(const RegUpdate& item, int nColumn);
std::string ItemText(const std::string& item, int nColumn);

// The picture of a row, an index into the pages' image strip; -1 for none.
int ItemImage(const FileTarget& item);
int ItemImage(const FileUpdate& item);
int ItemImage(const RegTarget& item);
int ItemImage(const RegUpdate& item);
int ItemImage(const std::string& item);

// Appends the element unless one the same is listed; whether it did.
template <class Element>
bool AppendUnlessListed(std::vector<Element>& items, const Element& item)
{
    for (const Element& listed : items) {
        if (IsSameItem(listed, item))
            return false;
    }
    items.push_back(item);
    return true;
}

// Erases the row and gives the row to select in its place: the one that
// moved up into it, or the new last; -1 when none is left or the row was
// not there.
template <class Element>
int EraseRow(std::vector<Element>& items, int nRow)
{
    if (nRow < 0 || static_cast<size_t>(nRow) >= items.size())
        return -1;
    items.erase(items.begin() + nRow);
    const int nCount = static_cast<int>(items.size());
    return nCount == 0 ? -1 : (nRow < nCount ? nRow : nCount - 1);
}
