// Arbitrary text for the rule-file reader and the mapping of its entries: nothing that comes out
// may hold a path the cleaner should never clean, and every plugin must survive its own file.
#include "cleaner/plugins/RuleMapping.h"
#include "common/MemFile.h"
#include "common/StringList.h"

#include <cstring>

namespace {

// A full path, of printable characters, with no folder name that is empty or of dots.
bool SafeFolder(const std::string& strPath)
{
    if (strPath.empty() || (strPath[0] != '%' && (strPath.size() < 2 || strPath[1] != ':')))
        return false;
    bool bSafe = strPath.find('|') == std::string::npos;
    for (const char ch : strPath)
        bSafe = bSafe && static_cast<unsigned char>(ch) >= 0x20;
    for (const std::string& strSegment : SplitAtSeparator(strPath, '\\'))
        bSafe = bSafe && strSegment.find_first_not_of(". ") != std::string::npos;
    return bSafe;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize)
{
    RuleFile file;
    if (!ReadRuleFile(std::string(reinterpret_cast<const char*>(pData), nSize), file))
        return 0;
    for (const RuleEntry& entry : file.entries) {
        const MappedRule rule = MapRuleEntry(entry, "fuzz.ini");
        for (const FileTarget& target : rule.action.lstFiles) {
            if (!SafeFolder(target.strName) || target.strMask.empty() ||
                target.strMask.find("||") != std::string::npos || target.dwType < TT_CONTENT ||
                target.dwType > TT_TREE_AND_SELF)
                __builtin_trap();
        }
        for (const RegTarget& target : rule.action.lstKeys) {
            if (target.strName.empty() || (target.dwType == TT_RECURSIVE &&
                                           target.strName.find('\\') == std::string::npos))
                __builtin_trap();
        }
        const std::string strFile = PluginFileName(rule.action.strId);
        if (strFile.find_first_of("\\/:*?\"<>|") != std::string::npos || strFile.size() < 5)
            __builtin_trap();
        CMemFile written;
        CAction reread;
        if (!rule.action.Write(written))
            __builtin_trap();
        written.SeekToBegin();
        if (!reread.Read(written) || !(reread == rule.action))
            __builtin_trap();
    }
    return 0;
}
