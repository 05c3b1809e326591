#include "cleaner/plugins/RuleFile.h"

#include <cctype>
#include <map>

namespace {

const char kByteOrderMark[] = "\xEF\xBB\xBF";
const char kEntryMark[] = " *";
// Key numbers have at most this many digits, so that they fit an unsigned.
const size_t kMaxNumberDigits = 9;

// The entry's name from the text between the brackets.
std::string EntryName(const std::string& strSection)
{
    const std::string strName = TrimBlanks(strSection);
    const size_t nMark = sizeof(kEntryMark) - 1;
    if (strName.size() > nMark && strName.compare(strName.size() - nMark, nMark, kEntryMark) == 0)
        return TrimBlanks(strName.substr(0, strName.size() - nMark));
    return strName;
}

// Splits "Name12" into its name and number; the reason when it cannot be used.
std::string SplitKeyName(const std::string& strKey, RuleKey& key)
{
    size_t nDigits = strKey.size();
    while (nDigits > 0 && std::isdigit(static_cast<unsigned char>(strKey[nDigits - 1])))
        --nDigits;
    key.strName = strKey.substr(0, nDigits);
    if (key.strName.empty())
        return "a key without a name";
    const std::string strNumber = strKey.substr(nDigits);
    if (strNumber.size() > kMaxNumberDigits)
        return "the number of \"" + key.strName + "\" is too large";
    key.nNumber = strNumber.empty() ? 0 : unsigned(std::stoul(strNumber));
    return std::string();
}

}  // namespace

std::string TrimBlanks(const std::string& strText)
{
    const size_t nFirst = strText.find_first_not_of(" \t");
    if (nFirst == std::string::npos)
        return std::string();
    return strText.substr(nFirst, strText.find_last_not_of(" \t") - nFirst + 1);
}

bool EqualsIgnoringCase(const std::string& strLeft, const std::string& strRight)
{
    if (strLeft.size() != strRight.size())
        return false;
    for (size_t n = 0; n < strLeft.size(); ++n) {
        if (std::tolower(static_cast<unsigned char>(strLeft[n])) !=
            std::tolower(static_cast<unsigned char>(strRight[n])))
            return false;
    }
    return true;
}

std::vector<RuleKey> RuleEntry::Keys(const std::string& strKeyName) const
{
    std::map<unsigned, const RuleKey*> byNumber;
    for (const RuleKey& key : keys) {
        if (EqualsIgnoringCase(key.strName, strKeyName))
            byNumber[key.nNumber] = &key;
    }
    std::vector<RuleKey> found;
    for (const auto& numbered : byNumber)
        found.push_back(*numbered.second);
    return found;
}

StringVector RuleEntry::Values(const std::string& strKeyName) const
{
    StringVector values;
    for (const RuleKey& key : Keys(strKeyName))
        values.push_back(key.strValue);
    return values;
}

std::string RuleEntry::Value(const std::string& strKeyName) const
{
    std::string strValue;
    for (const RuleKey& key : keys) {
        if (key.nNumber == 0 && EqualsIgnoringCase(key.strName, strKeyName))
            strValue = key.strValue;
    }
    return strValue;
}

bool ReadRuleFile(const std::string& text, RuleFile& file)
{
    file = RuleFile();
    if (text.size() > kMaxRuleFileSize)
        return false;
    size_t nStart = text.compare(0, 3, kByteOrderMark) == 0 ? 3 : 0;
    RuleEntry* pEntry = nullptr;  // null outside an entry, or in one whose name was unusable
    for (unsigned nLine = 1; nStart <= text.size(); ++nLine) {
        size_t nEnd = text.find('\n', nStart);
        if (nEnd == std::string::npos)
            nEnd = text.size();
        std::string strLine = text.substr(nStart, nEnd - nStart);
        nStart = nEnd + 1;
        if (!strLine.empty() && strLine.back() == '\r')
            strLine.pop_back();
        strLine = TrimBlanks(strLine);
        if (strLine.empty() || strLine[0] == ';')
            continue;
        const auto report = [&file, nLine](const std::string& strWhat) {
            file.vecProblems.push_back("Line " + std::to_string(nLine) + ": " + strWhat);
        };
        if (strLine[0] == '[') {
            pEntry = nullptr;
            if (strLine.back() != ']') {
                report("a section without its closing bracket");
                continue;
            }
            const std::string strName = EntryName(strLine.substr(1, strLine.size() - 2));
            if (strName.empty()) {
                report("a section without a name");
                continue;
            }
            file.entries.push_back(RuleEntry{strName, nLine, {}});
            pEntry = &file.entries.back();
            continue;
        }
        const size_t nEquals = strLine.find('=');
        if (nEquals == std::string::npos) {
            report("neither a section nor a key");
            continue;
        }
        if (!pEntry) {
            report("a key outside any entry");
            continue;
        }
        RuleKey key;
        const std::string strReason = SplitKeyName(TrimBlanks(strLine.substr(0, nEquals)), key);
        if (!strReason.empty()) {
            report(strReason);
            continue;
        }
        key.strValue = TrimBlanks(strLine.substr(nEquals + 1));
        pEntry->keys.push_back(key);
    }
    return true;
}
