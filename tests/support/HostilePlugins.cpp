#include "tests/support/HostilePlugins.h"

#include "common/Action.h"
#include "tests/support/PluginBytes.h"

#include <algorithm>
#include <random>

namespace {

std::string Word(uint32_t dwValue)
{
    return {char(dwValue), char(dwValue >> 8), char(dwValue >> 16), char(dwValue >> 24)};
}

// A length-prefixed string as the format stores it.
std::string Text(const std::string& strText)
{
    return Word(uint32_t(strText.size())) + strText;
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

CHostilePluginFolder::CHostilePluginFolder(const std::string& strFolder)
    : m_strFolder(strFolder)
{
    for (int n = 0; n < 5; ++n) {
        m_loadableIds.push_back("Good" + std::to_string(n));
        Write(m_loadableIds.back() + ".pld", PluginBytes(FullPlugin(m_loadableIds.back())));
    }

    // A small plugin with every section of the format, cut at every offset.
    CAction small;
    small.strId = "Cut";
    small.strDescription = "d";
    small.lstFiles.resize(1);
    small.lstFiles.front().strName = "C:\\x";
    small.lstFiles.front().strMask = "*";
    small.lstCommands = {"c"};
    small.lstKeyUpdates.resize(1);
    small.lstKeyUpdates.front().target.strName = "K";
    small.lstFileUpdates = {{"f", FileUpdate::FU_CLEAR_LINES, {}}};
    const std::string whole = PluginBytes(small);
    for (size_t n = 0; n < whole.size(); ++n)
        Write("cut" + std::to_string(n) + ".pld", whole.substr(0, n));
    m_loadableIds.push_back("Cut");

    // Counts and lengths that the file cannot hold, at every list.
    const std::string signature = Text("[&&^%&A c t i o n##]");
    const std::string head = signature + Text("Huge") + Text("Hostile Huge") + '\1' + Word(0);
    Write("huge-id.pld", signature + Word(0xFFFFFFF0u) + "x");
    Write("huge-files.pld", head + Word(0x7FFFFFFF) + std::string(64, 'a'));
    Write("huge-keys.pld", head + Word(0) + Word(0x10000000) + std::string(64, 'b'));
    Write("negative-count.pld", head + Word(0x80000000u) + Word(0xFFFFFFFFu));
    Write("huge-string-in-list.pld", head + Word(0) + Word(0) + Word(1) + Word(0x7FFFFFFF));
    const CAction full = FullPlugin("Huge");
    const std::string fullBytes = PluginBytes(full);
    const size_t nDescription = fullBytes.size() - 4 - full.strDescription.size() - 4;
    Write("huge-description.pld",
          fullBytes.substr(0, nDescription) + Word(0xFFFFFFFFu) + full.strDescription);

    // Random bytes, with and without the signature in front.
    std::mt19937 random(20261207);
    for (int n = 0; n < 5; ++n) {
        std::string noise(size_t(random() % 4096), '\0');
        for (char& c : noise)
            c = char(random());
        Write("noise" + std::to_string(n) + ".pld", noise);
        Write("signed-noise" + std::to_string(n) + ".pld", signature + noise);
    }
    Write("empty.pld", std::string());
    Write("signature-only.pld", signature);

    // Not files to read at all.
    CreateDirectoryA((m_strFolder + "\\folder.pld").c_str(), nullptr);
    ++m_nEntries;
    Write("locked.pld", PluginBytes(FullPlugin("Locked")));
    m_hLocked = CreateFileA((m_strFolder + "\\locked.pld").c_str(), GENERIC_READ, 0, nullptr,
                            OPEN_EXISTING, 0, nullptr);
    std::sort(m_loadableIds.begin(), m_loadableIds.end());
}
