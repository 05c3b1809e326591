// Writes the seed corpus of the plugin reader's fuzzer into the folder given
// on the command line: actions of every shape that the format knows, and the
// shorter layouts of earlier versions.
#include "common/Action.h"
#include "common/MemFile.h"

#include <cstdio>
#include <string>

namespace {

bool Save(const std::string& strFolder, const char* pszName, const std::vector<unsigned char>& data)
{
    const std::string strPath = strFolder + "/" + pszName;
    FILE* pFile = std::fopen(strPath.c_str(), "wb");
    if (!pFile)
        return false;
    const bool bWritten = std::fwrite(data.data(), 1, data.size(), pFile) == data.size();
    return std::fclose(pFile) == 0 && bWritten;
}

std::vector<unsigned char> Bytes(const CAction& action)
{
    CMemFile file;
    action.Write(file);
    return file.GetData();
}

CAction FullAction()
{
    CAction a;
    a.strId = "Seed";
    a.strTitle = "Seed plugin";
    a.bEnabled = true;
    a.dwWarningLevel = WL_WARNING;
    a.strDescription = "Every list has elements.";
    FileTarget f;
    f.strName = "[PATH_TEMP]|C:\\Temp";
    f.dwType = TT_RECURSIVE;
    f.strMask = "*.tmp|*.bak";
    f.bUseDate = true;
    f.stDate.wYear = 2004;
    f.stDate.wMonth = 1;
    f.stDate.wDay = 2;
    f.lstExclude = {"keep.tmp", "other.bak"};
    f.vecMasks = {"*.old", "~*.*"};
    a.lstFiles = {f, FileTarget()};
    RegTarget r;
    r.strName = "Software\\Seed";
    r.strValue = "Value";
    r.strValueMask = "url*";
    r.dwType = TT_CONTENT;
    a.lstKeys = {r, RegTarget()};
    a.lstFreeSpaceDrives = {"C:\\"};
    a.lstRecycleBinDrives = {"C:\\", "D:\\"};
    a.lstCommands = {"notepad.exe"};
    a.lstFilePairs = {FilePairItem{"a", "b", 1}};
    RegUpdate u;
    u.target.strName = "Software\\Seed";
    u.strData = "text";
    u.dwData = 5;
    u.dwDataType = RegUpdate::DT_NUMBER;
    a.lstKeyUpdates = {u};
    FileUpdate fu;
    fu.strPath = "prefs.js";
    fu.dwMethod = FileUpdate::FU_CLEAR_KEYWORDS;
    fu.vecKeywords = {"history"};
    a.lstFileUpdates = {fu};
    return a;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::string strFolder = argv[1];

    const std::vector<unsigned char> full = Bytes(FullAction());
    // Without the three tail sections: the layout of the oldest files.
    CAction noTail = FullAction();
    noTail.lstKeyUpdates.clear();
    noTail.lstFileUpdates.clear();
    noTail.dwWarningLevel = 0;
    noTail.strDescription.clear();
    std::vector<unsigned char> oldest = Bytes(noTail);
    oldest.resize(oldest.size() - 16);
    std::vector<unsigned char> withUpdates = Bytes(noTail);
    withUpdates.resize(withUpdates.size() - 12);

    const bool bSaved = Save(strFolder, "empty.pld", Bytes(CAction())) &&
                        Save(strFolder, "full.pld", full) &&
                        Save(strFolder, "old-layout.pld", oldest) &&
                        Save(strFolder, "registry-updates-layout.pld", withUpdates);
    return bSaved ? 0 : 1;
}
