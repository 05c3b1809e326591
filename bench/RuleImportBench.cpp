// Importing rule files: reading a file of 4,000 entries (about 1.8 MB) and
// evaluating their detection on a machine that has none of their programs,
// and importing 300 entries that all apply (300 plugin files written).
//   bench_rule_import [--quick] [--repetitions N]
#include "bench/support/Bench.h"
#include "cleaner/model/GeneralSettings.h"
#include "cleaner/plugins/RuleImport.h"
#include "common/RegistryKeys.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestRegistry.h"

#include <cstdio>
#include <string>

namespace {

// An entry of the usual shape: detection, a few folders with wildcards, an
// exclusion and a key. It applies when strDetectFolder exists.
std::string Entry(int nNumber, const std::string& strDetectFolder)
{
    const std::string strName = "Bench Program " + std::to_string(nNumber);
    const std::string strVendor = "%LocalAppData%\\Vendor" + std::to_string(nNumber);
    return "[" + strName + " *]\r\nLangSecRef=3021\r\nDetect=HKCU\\Software\\Vendor" +
           std::to_string(nNumber) + "\\" + strName + "\r\nDetectFile=" + strDetectFolder +
           "\r\nDefault=False\r\nFileKey1=" + strVendor + "\\" + strName +
           "*\\Cache|*.*|RECURSE\r\nFileKey2=" + strVendor + "\\" + strName +
           "\\Profiles\\*\\Logs|*.log;*.txt\r\nFileKey3=%AppData%\\Vendor" +
           std::to_string(nNumber) + "\\Temp|*.tmp|REMOVESELF\r\nExcludeKey1=FILE|" + strVendor +
           "\\" + strName + "\\Cache\\|index.dat\r\nRegKey1=HKCU\\Software\\Vendor" +
           std::to_string(nNumber) + "\\" + strName + "\\Recent\r\n\r\n";
}

double ImportSeconds(const std::string& strRules, int nRepetitions, ImportReport& report)
{
    CTempFolder source;
    WriteFileBytes(source / "rules.ini", strRules);
    CGeneralSettings settings;
    return MedianSeconds(
        nRepetitions, [] {},
        [&] {
            CTempFolder plugins;
            report = ImportIntoPluginFolder(source / "rules.ini", plugins.Path(), settings);
        });
}

}  // namespace

int main(int argc, char** argv)
{
    const BenchOptions options = ParseBenchOptions(argc, argv);
    const int nEntries = options.bQuick ? 400 : 4000;
    const int nApplying = options.bQuick ? 30 : 300;
    DeleteProductKey();
    CTempFolder installed;

    std::string strMissing, strApplying;
    for (int n = 0; n < nEntries; ++n)
        strMissing += Entry(n, "%ProgramFiles%\\Vendor" + std::to_string(n) + "\\Program*");
    for (int n = 0; n < nApplying; ++n)
        strApplying += Entry(n, installed.Path());

    ImportReport report;
    const double dRead = ImportSeconds(strMissing, options.nRepetitions, report);
    char szNote[200];
    std::snprintf(szNote, sizeof(szNote),
                  "%d entries, %zu bytes, %u not installed here: %.3f s (target: at most 2 s)",
                  nEntries, strMissing.size(), report.nNotInstalled, dRead);
    ReportNote("9 rule import", szNote);

    const double dImport = ImportSeconds(strApplying, options.nRepetitions, report);
    std::snprintf(szNote, sizeof(szNote),
                  "%d entries that apply, %u plugin files written: %.3f s (target: at most 3 s)",
                  nApplying, report.nImported, dImport);
    ReportNote("9 rule import", szNote);
    DeleteProductKey();
    return 0;
}
