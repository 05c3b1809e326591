#include "tests/support/HostilePlugins.h"

#include "common/Action.h"
#include "tests/support/PluginBytes.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <random>

namespace {

std::string Word(uint32_t dwValue)
{
    std::string bytes;
    for (int nShift = 0; nShift < 32; nShift += 8)
        bytes += char(dwValue >> nShift);
    return bytes;
}

// A length-prefixed string as the format stores it.
std::string Text(const std::string& strText)
{
    return Word(uint32_t(strText.size())) + strText;
}

// The signature, an id and a title: what every plugin file starts with.
std::string Head(const std::string& strId)
{
    return Text("[&&^%&A c t i o n##]") + Text(strId) + Text("Hostile " + strId) + '\1' +
           Word(0);
}

}  // namespace

CAction FullPlugin(const std::string& strId)
{
    CAction action;
    action.strId = strId;
    action.strTitle = "Clear the traces of " + strId;
    action.strDescription = "Removes the cache and the recent files of " + strId + ".";
    action.lstFiles.resize(1);
    FileTarget& folder = action.lstFiles.front();
    folder.strName = "[APPDATA]\\" + strId + "\\Cache";
    folder.dwType = TT_RECURSIVE;
    folder.strMask = "*.tmp|*.log";
    folder.lstExclude = {"keep.log"};
    folder.vecMasks = {"*.dat"};
    RegUpdate update;
    update.target.strName = "Software\\" + strId + "\\Recent";
    update.target.dwType = TT_CONTENT;
    update.target.strValueMask = "*";
    update.strData = "x";
    action.lstKeys = {update.target};
    action.lstKeyUpdates = {update};
    action.lstCommands = {"notepad.exe"};
    action.lstFilePairs = {{"[APPDATA]\\h.dat", "[APPDATA]\\h.txt", 1}};
    action.lstFileUpdates = {{"[APPDATA]\\prefs.js", FileUpdate::FU_CLEAR_LINES, {"history"}}};
    return action;
}

namespace {

// Small, so that its cuts stay some 150 files, with every section of the
// format present.
CAction SmallPlugin(const std::string& strId)
{
    CAction action;
    action.strId = strId;
    action.strDescription = "d";
    action.lstFiles.resize(1);
    action.lstFiles.front().strName = "C:\\x";
    action.lstFiles.front().strMask = "*";
    action.lstCommands = {"c"};
    action.lstKeyUpdates.resize(1);
    action.lstKeyUpdates.front().target.strName = "K";
    action.lstFileUpdates = {{"f", FileUpdate::FU_CLEAR_LINES, {}}};
    return action;
}

}  // namespace

CHostilePluginFolder::CHostilePluginFolder(const std::string& strFolder)
    : m_strFolder(strFolder)
{
    std::mt19937 random(20261207);
    for (int n = 0; n < 5; ++n) {
        const std::string strId = "Good" + std::to_string(n);
        Write(strId + ".pld", PluginBytes(FullPlugin(strId)));
        m_loadableIds.push_back(strId);
    }

    // Cut at every offset.
    const std::string whole = PluginBytes(SmallPlugin("Cut"));
    for (size_t n = 0; n < whole.size(); ++n)
        Write("cut" + std::to_string(n) + ".pld", whole.substr(0, n));
    m_loadableIds.push_back("Cut");

    // Counts and lengths that the file cannot hold, at every list.
    const std::string head = Head("Huge");
    Write("huge-id.pld", Text("[&&^%&A c t i o n##]") + Word(0xFFFFFFF0u) + "x");
    Write("huge-files.pld", head + Word(0x7FFFFFFF) + std::string(64, 'a'));
    Write("huge-keys.pld", head + Word(0) + Word(0x10000000) + std::string(64, 'b'));
    Write("negative-count.pld", head + Word(0x80000000u) + Word(0xFFFFFFFFu));
    Write("huge-string-in-list.pld", head + Word(0) + Word(0) + Word(1) + Word(0x7FFFFFFF));
    const CAction full = FullPlugin("Huge");
    const std::string fullBytes = PluginBytes(full);
    Write("huge-description.pld",
          fullBytes.substr(0, fullBytes.size() - full.strDescription.size() - 4) +
              Word(0xFFFFFFFFu) + full.strDescription);

    // Random bytes, with and without the signature in front.
    for (int n = 0; n < 5; ++n) {
        std::string noise(size_t(random() % 4096), '\0');
        for (char& c : noise)
            c = char(random());
        Write("noise" + std::to_string(n) + ".pld", noise);
        Write("signed-noise" + std::to_string(n) + ".pld",
              Text("[&&^%&A c t i o n##]") + noise);
    }
    Write("empty.pld", std::string());
    Write("signature-only.pld", Text("[&&^%&A c t i o n##]"));

    // Not files to read at all.
    CreateDirectoryA((m_strFolder + "\\folder.pld").c_str(), nullptr);
    ++m_nEntries;
    Write("locked.pld", PluginBytes(FullPlugin("Locked")));
    m_hLocked = CreateFileA((m_strFolder + "\\locked.pld").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
    std::sort(m_loadableIds.begin(), m_loadableIds.end());
}

CHostilePluginFolder::~CHostilePluginFolder()
{
    if (m_hLocked != INVALID_HANDLE_VALUE)
        CloseHandle(m_hLocked);
}

bool CHostilePluginFolder::Write(const std::string& strName, const std::string& bytes)
{
    ++m_nEntries;
    return WriteFileBytes(m_strFolder + "\\" + strName, bytes);
}
