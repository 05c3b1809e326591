#include "cleaner/engine/FileUpdates.h"

#include "cleaner/engine/TextRewriting.h"
#include "cleaner/engine/WholeFile.h"

#include <windows.h>

namespace {

bool IsMissingFile(const std::string& strPath)
{
    return GetFileAttributesA(strPath.c_str()) == INVALID_FILE_ATTRIBUTES &&
           GetLastError() == ERROR_FILE_NOT_FOUND;
}

}  // namespace

CleanStats UpdateFile(const FileUpdate& update, IChanges& changes)
{
    CleanStats stats;
    if (update.dwMethod > FileUpdate::FU_CLEAR_FILE)
        return stats;
    std::string bytes;
    // A file in use or out of reach would lose its whole content if it were
    // written back from what could not be read.
    if (!ReadWholeFile(update.strPath, bytes) && !IsMissingFile(update.strPath))
        return stats;
    std::string text = ToLineFeeds(bytes);
    const bool bChanged = UpdateText(text, update.dwMethod, update.vecKeywords);
    if (changes.RewriteFile(update.strPath, ToCrLf(text), true, bChanged) && bChanged)
        stats.nUpdatedFiles = 1;
    return stats;
}

void StripHistoryLines(const std::string& strPath, IChanges& changes)
{
    static const StringVector kHistoryMarks = {"browser.url_history", "<RDF:li>"};
    std::string bytes;
    if (!ReadWholeFile(strPath, bytes))
        return;
    const bool bChanged = RemoveLinesContaining(bytes, kHistoryMarks);
    changes.RewriteFile(strPath, bytes, false, bChanged);
}
