// Rule files and plugin files brought into the plugin folder: what applies here, what is
// skipped and why, and what a second import replaces.
#include "cleaner/plugins/PluginAction.h"
#include "cleaner/plugins/RuleFile.h"
#include "cleaner/plugins/RuleImport.h"
#include "common/RegistryKeys.h"
#include "tests/support/CleaningRunTest.h"
#include "tests/support/PluginBytes.h"

#include <gtest/gtest.h>

namespace {

class RuleImport : public CManagerTest {
protected:
    ImportReport Import(const std::string& strText, const std::string& strName = "rules.ini")
    {
        EXPECT_TRUE(WriteFileBytes(m_source / strName, strText));
        return ImportIntoPluginFolder(m_source / strName, m_plugins.Path(), *m_settings);
    }
    CAction Plugin(const std::string& strFile)
    {
        CPluginAction plugin;
        plugin.m_strFilePath = m_plugins / strFile;
        EXPECT_TRUE(plugin.Load()) << strFile;
        return plugin;
    }
    CTempFolder m_source, m_plugins;
};

}  // namespace

// One entry of each kind, in UTF-8 with a byte-order mark: detection by folder with
// wildcards, by registry key and by version; keys that cannot be used; names that
// a file name cannot hold, one of them twice.
TEST_F(RuleImport, ImportsWhatAppliesHereAndNamesWhatItSkips)
{
    const std::string strApp = m_source / "App";
    ASSERT_TRUE(CreateDirectoryA(strApp.c_str(), nullptr));
    const std::string strText =
        "\xEF\xBB\xBF; written for the tests\r\n"
        "[App Cache *]\r\nLangSecRef=3021\r\nDetectFile=" + m_source / "Ap?\\" + "\r\n"
        "FileKey1=" + strApp + "\\Cache|*.tmp;*.log|RECURSE\r\nFileKey3=%Nowhere%\\x|*\r\n"
        "[Missing App *]\r\nDetectFile=" + m_source / "Gone*" + "\r\n"
        "Detect=HKCU\\Software\\VeltrinNoSuchKey\r\nFileKey1=" + strApp + "|*\r\n"
        "[Settings Key *]\r\nDetect=HKCU\\Software\\Microsoft\r\nWarning=Forgets the window.\r\n"
        "RegKey1=HKCU\\Software\\VeltrinRuleTest\\MRU\r\n"
        "[Old Windows *]\r\nDetectOS=|5.1\r\nFileKey1=" + strApp + "|*\r\n"
        "[Nothing Left *]\r\nFileKey1=%AppData%\\X\r\nFileKey2=%Desktop%|*\r\n"
        "[Gr\xC3\xBCn: A/B *]\r\nFileKey1=" + strApp + "\\Gr\xC3\xBCn|*\r\n"
        "[Gr\xC3\xBCn? A\\B *]\r\nFileKey1=" + strApp + "|*.x\r\n"
        "[\xD0\x9A\xD1\x8D\xD1\x88 *]\r\nFileKey1=" + strApp + "\\\xD0\x9A|*\r\n"
        "stray line\r\n";
    const ImportReport report = Import(strText);
    ASSERT_TRUE(report.bRead) << report.strError;
    EXPECT_EQ(report.vecLines,
              (StringVector{"Line 27: neither a section nor a key",
                            "Skipped App Cache: FileKey3: the variable %Nowhere% is unknown",
                            "Imported App Cache", "Not installed here: Missing App",
                            "Imported Settings Key", "Not installed here: Old Windows",
                            "Skipped Nothing Left: FileKey1: it has no mask",
                            "Skipped Nothing Left: FileKey2: the variable %Desktop% is unknown",
                            "Skipped Nothing Left: nothing usable remains",
                            "Imported Gr\xFCn: A/B", "Imported Gr\xFCn? A\\B",
                            "Skipped ???: FileKey1: its path holds characters this system "
                            "cannot write",
                            "Skipped ???: nothing usable remains"}));
    EXPECT_EQ(report.Summary(), "4 imported, 2 not installed here, 2 skipped");
    EXPECT_EQ(FilesInListedOrder(m_plugins.Path(), "*").size(), 4u);

    // The files hold what the mapping made of the entries.
    const CAction cache = Plugin("App Cache.pld");
    EXPECT_TRUE(cache.strCategory == "Applications" && !cache.bEnabled &&
                cache.lstFiles.size() == 1 && cache.lstFiles.front().strName == strApp + "\\Cache");
    EXPECT_EQ(Plugin("Settings Key.pld").dwWarningLevel, uint32_t(WL_WARNING));
    EXPECT_EQ(Plugin("Gr\xFCn_ A_B.pld").strId, "Gr\xFCn: A/B");
    EXPECT_EQ(Plugin("Gr\xFCn_ A_B (2).pld").strId, "Gr\xFCn? A\\B");
}

// A second import rewrites the file that holds an identifier, whatever its name; a plugin
// file is copied as it is; what cannot be read is refused with the reason.
TEST_F(RuleImport, ImportingAgainReplacesByIdentifierAndUnreadableFilesAreRefused)
{
    CAction mine;
    mine.strId = "Temp Files";
    ASSERT_TRUE(WriteFileBytes(m_plugins / "mine.pld", PluginBytes(mine)));
    const std::string strRules = "[Temp Files *]\nFileKey1=%Temp%\\VeltrinRuleTest|*.tmp\n";
    for (int nRound = 0; nRound < 2; ++nRound) {
        const ImportReport report = Import(strRules);
        EXPECT_EQ(report.vecLines, StringVector{"Imported Temp Files"});
    }
    EXPECT_EQ(FilesInListedOrder(m_plugins.Path(), "*"), StringVector{"mine.pld"});
    EXPECT_EQ(Plugin("mine.pld").lstFiles.size(), 1u);

    mine.strId = "Copied";
    ASSERT_TRUE(WriteFileBytes(m_source / "copied.pld", PluginBytes(mine)));
    ImportReport report = ImportIntoPluginFolder(m_source / "copied.pld", m_plugins.Path(),
                                                 *m_settings);
    EXPECT_EQ(report.vecLines, StringVector{"Imported Copied"});
    EXPECT_EQ(Plugin("copied.pld").strId, "Copied");

    const struct {
        const char* pszName;
        std::string bytes;
        const char* pszError;
    } unreadable[] = {
        {"missing.ini", "", " could not be opened."},
        {"large.ini", std::string(kMaxRuleFileSize + 1, ';'), " is larger than 16 MiB"},
        {"noise.pld", "not a plugin", " is not a plugin."},
    };
    for (const auto& u : unreadable) {
        ASSERT_TRUE(u.bytes.empty() || WriteFileBytes(m_source / u.pszName, u.bytes));
        report = ImportIntoPluginFolder(m_source / u.pszName, m_plugins.Path(), *m_settings);
        EXPECT_FALSE(report.bRead);
        EXPECT_EQ(report.strError.find("The file " + m_source / u.pszName + u.pszError), 0u)
            << report.strError;
        EXPECT_TRUE(report.vecLines.empty());
    }
}

// Imported rules clean as their entries say: a browser's profiles through wildcard folders, the
// spared files and masks kept, and a cache folder that goes once it is empty.
TEST_F(CleaningRun, ImportedRulesCleanTheProfilesTheyNameAndSpareWhatTheyExclude)
{
    const std::string strTop = m_folder.Path();
    const StringVector kGone = {"Chrome\\User Data\\Default\\Cache\\a.tmp",
                                "Chrome\\User Data\\Profile 1\\Cache\\sub\\b.tmp",
                                "Firefox\\Profiles\\x.default\\cache2\\entries\\e1"},
                       kKept = {"Chrome\\User Data\\Default\\Cache\\index.keep",
                                "Chrome\\User Data\\Profile 1\\Cache\\sub\\state.json",
                                "Chrome\\User Data\\Default\\Bookmarks",
                                "Firefox\\Profiles\\x.default\\prefs.js"};
    MakeTree(strTop, kGone);
    MakeTree(strTop, kKept);
    const CTempFolder plugins, source;
    ASSERT_TRUE(WriteFileBytes(
        source / "rules.ini",
        "[Chrome Cache *]\nDetectFile=" + strTop + "\\Chrome\nFileKey1=" + strTop +
            "\\Chrome\\User Data\\*\\Cache|*|RECURSE\nExcludeKey1=FILE|" + strTop +
            "\\Chrome\\User Data\\*\\Cache\\|index.keep\nExcludeKey2=PATH|" + strTop +
            "\\Chrome\\|*.json\n[Firefox Cache *]\nFileKey1=" + strTop +
            "\\Firefox\\Profiles\\*\\cache2|*|REMOVESELF\n"));
    ASSERT_EQ(ImportIntoPluginFolder(source / "rules.ini", plugins.Path(), *m_settings).nImported,
              2u);
    WriteStringValue(kSettingsKey, "strPluginFolder", plugins.Path());
    Build();
    Enable("Chrome Cache");
    Enable("Firefox Cache");
    ASSERT_TRUE(Run());
    for (const std::string& strFile : kGone)
        EXPECT_FALSE(FileExists(m_folder / strFile)) << strFile;
    for (const std::string& strFile : kKept)
        EXPECT_TRUE(FileExists(m_folder / strFile)) << strFile;
    EXPECT_FALSE(FileExists(m_folder / "Firefox\\Profiles\\x.default\\cache2"));
    EXPECT_TRUE(FileExists(m_folder / "Chrome\\User Data\\Profile 1\\Cache\\sub"));
}
