// The action record: one cleaning job with its targets and steps.
// Shared by the cleaner, which runs actions, and the plugin editor, which
// edits one action per document. The record and its file format are portable
// code: nothing here includes a Windows header.
#pragma once

#include "common/RootKey.h"

#include <cstdint>
#include <list>
#include <string>
#include <vector>

class CFile;

// Selects the handler of a clean. Codes outside 0..7 behave like AK_NONE.
enum ActionKind : uint32_t {
    AK_STANDARD = 0,
    AK_CLIPBOARD = 1,
    AK_FREESPACE = 2,
    AK_RECYCLEBIN = 3,
    AK_NNHISTORY = 4,
    AK_NONE = 5,
    AK_PSTORE = 6,
    AK_MRU = 7,
};

// Target type codes of FileTarget and RegTarget.
enum TargetType : uint32_t {
    TT_SINGLE = 0,     // one file, or one registry value
    TT_CONTENT = 2,    // folder content or key values matching a mask
    TT_RECURSIVE = 3,  // folder tree, or a whole key with its subkeys
    TT_TREE_AND_SELF = 4,  // folder tree, then the folder itself when it ends empty
};

// Outcomes of removing a file that a FileTarget logs.
enum ReportFlag : uint32_t {
    RF_NOT_FOUND = 0x001,
    RF_DELETED = 0x010,
    RF_AT_REBOOT = 0x100,
    RF_ALL = RF_NOT_FOUND | RF_DELETED | RF_AT_REBOOT,
};

// The platform's system-time layout (eight 16-bit fields, 16 bytes), kept
// here so that the record needs no Windows header. Windows code copies it to
// and from SYSTEMTIME unchanged.
struct SysTime {
    uint16_t wYear = 0;
    uint16_t wMonth = 0;
    uint16_t wDayOfWeek = 0;
    uint16_t wDay = 0;
    uint16_t wHour = 0;
    uint16_t wMinute = 0;
    uint16_t wSecond = 0;
    uint16_t wMilliseconds = 0;

    bool operator==(const SysTime& other) const;
    bool operator!=(const SysTime& other) const { return !(*this == other); }
};
static_assert(sizeof(SysTime) == 16, "SysTime must match SYSTEMTIME");

typedef std::list<std::string> StringList;
typedef std::vector<std::string> StringVector;

// A file, a folder's content or a folder tree to remove.
struct FileTarget {
    std::string strName;  // path; macros and several paths separated by "|"
    uint32_t dwType = TT_SINGLE;
    // Files spared, named relative to the folder cleaned: a name without
    // wildcards ("index.dat") is compared exactly in every folder of the walk;
    // one whose last part holds "*" or "?" ("*.json", "Cache\*.keep") spares
    // the matching files of that folder and of every folder below it.
    StringList lstExclude;
    StringVector vecMasks;  // used instead of strMask when bUseMaskList is set
    std::string strMask = "*.*";
    bool bUseMaskList = false;
    bool bWipe = false;  // kept with the target; wiping follows the global option
    bool bUseDate = false;
    SysTime stDate;  // with bUseDate, files last written before it stay
    uint32_t dwReportFlags = RF_ALL;

    bool operator==(const FileTarget& other) const;
};

// A registry value, a key's values matching a mask, or a whole key to remove.
struct RegTarget {
    std::string strName;  // key path below the root
    std::string strValue;  // value name for TT_SINGLE
    std::string strValueMask;  // value-name mask for TT_CONTENT
    uint32_t dwKey = RK_CURRENT_USER;
    StringList lstExcludeKeys;
    StringList lstExcludeValues;  // value data spared by TT_CONTENT
    uint32_t dwType = TT_SINGLE;

    bool operator==(const RegTarget& other) const;
};

// A registry value to overwrite.
struct RegUpdate {
    enum DataType : uint32_t { DT_TEXT = 0, DT_NUMBER = 1 };

    RegTarget target;  // root, key path and value name
    std::string strData;
    uint32_t dwData = 0;
    uint32_t dwDataType = DT_TEXT;

    bool operator==(const RegUpdate& other) const;
};

// A text file to rewrite.
struct FileUpdate {
    enum Method : uint32_t { FU_CLEAR_LINES = 0, FU_CLEAR_KEYWORDS = 1, FU_CLEAR_FILE = 2 };

    std::string strPath;
    uint32_t dwMethod = FU_CLEAR_LINES;
    StringVector vecKeywords;

    bool operator==(const FileUpdate& other) const;
};

// Two paths and a code, read by the history handler of one browser.
struct FilePairItem {
    std::string strFirst;
    std::string strSecond;
    uint32_t dwCode = 0;

    bool operator==(const FilePairItem& other) const;
};

// The totals of a clean. Counters wrap at 2^32, as the stored values do.
struct CleanStats {
    uint32_t dwReleasedSpace = 0;
    uint32_t nDeletedFiles = 0;
    uint32_t nUpdatedFiles = 0;
    uint32_t nRebootFiles = 0;
    uint32_t nDeletedRegEntries = 0;

    CleanStats& operator+=(const CleanStats& other);
    bool operator==(const CleanStats& other) const;
};

CleanStats operator+(CleanStats left, const CleanStats& right);

enum WarningLevel : uint32_t { WL_INFORMATION = 0, WL_WARNING = 1 };

class CAction {
public:
    CAction() = default;
    CAction(const CAction&) = default;
    CAction& operator=(const CAction&) = default;
    CAction(CAction&&) = default;
    CAction& operator=(CAction&&) = default;

    // Fills this action from the file's current position, appending to the
    // lists. On false the action is left exactly as it was.
    virtual bool Read(CFile& file);
    // Writes every field, the optional tail sections included.
    virtual bool Write(CFile& file) const;
    virtual ~CAction() = default;

    // Back to the constructed state.
    void Reset();

    // Compares every field.
    bool operator==(const CAction& other) const;
    bool operator!=(const CAction& other) const { return !(*this == other); }

    uint32_t dwKind = AK_STANDARD;
    std::list<FileTarget> lstFiles;
    std::list<RegTarget> lstKeys;
    StringList lstFreeSpaceDrives;
    StringList lstRecycleBinDrives;
    StringList lstCommands;
    std::list<FilePairItem> lstFilePairs;
    std::list<RegUpdate> lstKeyUpdates;
    std::list<FileUpdate> lstFileUpdates;
    std::string strId;
    std::string strTitle;
    uint32_t dwWarningLevel = WL_INFORMATION;
    std::string strDescription;
    std::string strCategory;  // the group the plugins page shows it in; may be empty
    bool bWarned = false;  // the user asked not to be asked again; never stored
    bool bEnabled = false;
};
