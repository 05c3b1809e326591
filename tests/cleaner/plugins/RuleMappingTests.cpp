// What rule entries become: targets, exclusions, detection, and what is left out.
#include "cleaner/plugins/RuleMapping.h"

#include <gtest/gtest.h>

namespace {

MappedRule Map(const std::string& strKeys)
{
    RuleFile file;
    EXPECT_TRUE(ReadRuleFile("[Test Entry *]\n" + strKeys, file));
    return MapRuleEntry(file.entries.at(0), "rules.ini");
}

// "folder type masks -exclusion..." for each file target, "root key type [value]" for each key.
StringVector Targets(const CAction& action)
{
    StringVector targets;
    for (const FileTarget& t : action.lstFiles) {
        targets.push_back(t.strName + " " + std::to_string(t.dwType) + " " + t.strMask);
        for (const std::string& strName : t.lstExclude)
            targets.back() += " -" + strName;
    }
    for (const RegTarget& t : action.lstKeys)
        targets.push_back(std::to_string(t.dwKey & 0xF) + " " + t.strName + " " +
                          std::to_string(t.dwType) + (t.strValue.empty() ? "" : " " + t.strValue));
    return targets;
}

}  // namespace

// Each case: the keys of one entry, the targets it keeps and the keys it leaves out.
TEST(RuleMapping, KeysBecomeTargetsAndWhatCannotBeUsedSafelyIsLeftOutWithItsReason)
{
    static const struct {
        const char* pszKeys;
        StringVector targets;
        StringVector skipped;
    } cases[] = {
        {"FileKey1=%localappdata%\\B\\*\\Cache\\|*.tmp; *.log\nFileKey3=%Temp%|*|RECURSE\n"
         "FileKey4=%AppData%\\X|*.*|removeself\nFileKey5=C:\\Data|a.txt",
         {"%LocalAppData%\\B\\*\\Cache 2 *.tmp|*.log", "%Temp% 3 *", "%AppData%\\X 4 *.*",
          "C:\\Data 2 a.txt"},
         {}},
        {"FileKey1=%ProgramFiles%\\App|*.log\nFileKey2=%CommonAppData%\\App|*.log",
         {"%ProgramFiles%\\App 2 *.log", "%ProgramW6432%\\App 2 *.log",
          "%ProgramData%\\App 2 *.log"},
         {}},
        {"FileKey1=%AppData%\\X\nFileKey2=%AppData%\\X|\nFileKey3=%AppData%\\X| ; |RECURSE\n"
         "FileKey4=%Desktop%\\X|*\nFileKey5=%SystemDrive%|*.log|RECURSE\nFileKey6=X|*\n"
         "FileKey7=%AppData%\\..\\X|*\nFileKey8=%AppData%|*|DEEP\nFileKey9=%AppData%|sub\\*.x",
         {},
         {"FileKey1: it has no mask", "FileKey2: it has no mask", "FileKey3: it has no mask",
          "FileKey4: the variable %Desktop% is unknown", "FileKey5: it would search a whole drive",
          "FileKey6: its path is not a full path",
          "FileKey7: its path has an empty, \".\" or \"..\" folder name",
          "FileKey8: its flag \"DEEP\" is unknown", "FileKey9: it has no mask"}},
        // Exclusions: a file and masks below the target's folder, masks above it, one
        // elsewhere, and one whose wildcards may or may not meet the target's folder.
        {"FileKey1=%AppData%\\App|*.*|RECURSE\nFileKey2=%AppData%\\App\\Cache|*.*\n"
         "ExcludeKey1=FILE|%AppData%\\App\\|keep.ini\nExcludeKey2=PATH|%AppData%\\App\\Sub\\|"
         "*.db;state\nExcludeKey3=PATH|%AppData%\\|*.json\nExcludeKey4=FILE|%Temp%\\|a.txt",
         {"%AppData%\\App 3 *.* -keep.ini -Sub\\*.db -Sub\\state* -*.json",
          "%AppData%\\App\\Cache 2 *.* -*.json"},
         {}},
        {"FileKey1=%AppData%\\*\\Cache|*|RECURSE\nFileKey2=%Temp%|*\n"
         "ExcludeKey1=PATH|%AppData%\\Default\\Cache\\|*.keep",
         {"%Temp% 2 *"},
         {"FileKey1: ExcludeKey1 may spare some of its files, which cannot be told before a "
          "clean"}},
        {"FileKey1=%Temp%|*\nExcludeKey1=FILE|%Nowhere%\\|a\nExcludeKey2=DISK|x",
         {},
         {"ExcludeKey1: the variable %Nowhere% is unknown", "ExcludeKey2: its kind \"DISK\" is "
          "unknown", "FileKey1: ExcludeKey1 could not be read, so what it spares is unknown"}},
        // Registry: a tree, a value, and the exclusions that spare part of a target.
        {"RegKey1=HKCU\\Software\\App\\MRU\nRegKey2=HKEY_LOCAL_MACHINE\\Software\\App|Last\n"
         "RegKey3=HKCU\\Software\\App\nRegKey4=HKCU\\Software\\Keep\\Sub\nRegKey7=HKXX\\S\n"
         "RegKey8=HKCU\\Software\nRegKey9=HKCU\\Software\\A*\nRegKey10=HKCU\\Software\\App|\n"
         "ExcludeKey1=REG|HKCU\\Software\\App\\Settings\nExcludeKey2=REG|HKCU\\Software\\Keep",
         {"1 Software\\App\\MRU 3", "2 Software\\App 0 Last"},
         {"RegKey3: ExcludeKey1 spares what it would remove",
          "RegKey4: ExcludeKey2 spares what it would remove",
          "RegKey7: its registry key is not one this system has",
          "RegKey8: it would remove a whole top-level key",
          "RegKey9: its registry key holds a wildcard", "RegKey10: it names no value"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszKeys);
        const MappedRule rule = Map(c.pszKeys);
        EXPECT_EQ(Targets(rule.action), c.targets);
        EXPECT_EQ(rule.vecSkipped, c.skipped);
        EXPECT_EQ(rule.IsUsable(), !c.targets.empty());
    }
}

TEST(RuleMapping, NamesDescriptionWarningCategoryAndDetection)
{
    MappedRule rule = Map("LangSecRef=3029\nWarning=Signs you out.\nDetectOS=6.1|10.0\n"
                          "Detect2=HKLM\\Software\\B\nDetect5=Nowhere\\X\nDetectFile=%AppData%\\B*"
                          "\nDetectFile1=%AppData%\\B|x\nSpecialDetect=DET_CHROME\n"
                          "SpecialDetect2=DET_NETSCAPE\nFileKey1=%AppData%\\B|*");
    EXPECT_TRUE(rule.action.strId == "Test Entry" && rule.action.strTitle == "Test Entry" &&
                !rule.action.bEnabled && rule.action.dwWarningLevel == WL_WARNING);
    EXPECT_EQ(rule.action.strCategory, "Google Chrome");
    EXPECT_EQ(rule.action.strDescription,
              "Signs you out.\r\n\r\nImported from rules.ini, category Google Chrome.");
    EXPECT_EQ(rule.detection.vecKeys, StringVector{"HKLM\\Software\\B"});
    EXPECT_EQ(rule.detection.vecFiles,
              (StringVector{"%AppData%\\B*", "%LocalAppData%\\Google\\Chrome\\User Data"}));
    EXPECT_TRUE(rule.detection.bLooksForAnything);
    EXPECT_EQ(rule.vecSkipped,
              (StringVector{"Detect5: its registry key is not one this system has",
                            "DetectFile1: its path holds a \"|\"",
                            "SpecialDetect2: \"DET_NETSCAPE\" is unknown"}));
    const unsigned versions[][3] = {{6, 0, 0}, {6, 1, 1}, {10, 0, 1}, {10, 1, 0}, {5, 9, 0}};
    for (const auto& v : versions)
        EXPECT_EQ(WithinVersionLimits(v[0], v[1], rule.detection), v[2] != 0) << v[0] << "." << v[1];
    rule.detection.strMaxVersion = "latest";  // no number, no limit
    EXPECT_TRUE(WithinVersionLimits(99, 0, rule.detection));

    rule = Map("Section=Games\nFileKey1=%AppData%\\G|*");
    EXPECT_EQ(rule.action.strCategory, "Games");
    EXPECT_FALSE(rule.detection.bLooksForAnything || rule.action.dwWarningLevel != WL_INFORMATION);
    EXPECT_EQ(Map("LangSecRef=4711").action.strCategory, "Other");
}

TEST(RuleMapping, PluginFileNamesHoldNoCharacterAFileNameCannot)
{
    const std::pair<std::string, std::string> cases[] = {
        {"7-Zip", "7-Zip.pld"}, {"A/B: C*?\"<>|\\", "A_B_ C_______.pld"}, {"...", "_.pld"},
        {"Trailing. .", "Trailing.pld"}, {"con", "_con.pld"}, {"Nul.Cache", "_Nul.Cache.pld"},
        {"COM1", "_COM1.pld"}, {"Commander", "Commander.pld"},
        {std::string(300, 'x'), std::string(100, 'x') + ".pld"}};
    for (const auto& c : cases)
        EXPECT_EQ(PluginFileName(c.first), c.second) << c.first;
}
