#include "cleaner/engine/TextRewriting.h"

#include "cleaner/engine/MatchMask.h"

#include <string_view>

namespace {

bool ContainsAny(std::string_view line, const StringVector& needles)
{
    for (const std::string& strNeedle : needles) {
        if (!strNeedle.empty() && line.find(strNeedle) != std::string_view::npos)
            return true;
    }
    return false;
}

// The first keyword that matches the line decides its fate.
bool IsClearedLine(const std::string& strLine, const StringVector& vecKeywords)
{
    for (const std::string& strKeyword : vecKeywords) {
        if (MatchMask(strLine, strKeyword))
            return !strKeyword.empty();
    }
    return false;
}

bool ClearLines(std::string& text, const StringVector& vecKeywords)
{
    std::string kept;
    kept.reserve(text.size());
    bool bChanged = false;
    size_t nLine = 0;
    while (nLine < text.size()) {
        const size_t nFeed = text.find('\n', nLine);
        const size_t nNext = nFeed == std::string::npos ? text.size() : nFeed + 1;
        const std::string strLine = text.substr(nLine, nNext - nLine);
        if (IsClearedLine(strLine, vecKeywords))
            bChanged = true;
        else
            kept += strLine;
        nLine = nNext;
    }
    if (bChanged)
        text.swap(kept);
    return bChanged;
}

// Searching on from the place of a cut finds only occurrences that begin
// after the cut, and the text from there on is the text that followed the
// occurrence, so one pass over the original does every cut.
bool ClearKeyword(std::string& text, const std::string& strKeyword)
{
    size_t nFound = text.find(strKeyword);
    if (nFound == std::string::npos)
        return false;
    std::string kept;
    kept.reserve(text.size());
    size_t nFrom = 0;
    do {
        kept.append(text, nFrom, nFound - nFrom);
        nFrom = nFound + strKeyword.size();
        nFound = text.find(strKeyword, nFrom);
    } while (nFound != std::string::npos);
    kept.append(text, nFrom, std::string::npos);
    text.swap(kept);
    return true;
}

bool ClearKeywords(std::string& text, const StringVector& vecKeywords)
{
    bool bChanged = false;
    for (const std::string& strKeyword : vecKeywords) {
        if (!strKeyword.empty() && ClearKeyword(text, strKeyword))
            bChanged = true;
    }
    return bChanged;
}

bool ClearFile(std::string& text, const StringVector& vecKeywords)
{
    for (const std::string& strKeyword : vecKeywords) {
        if (!strKeyword.empty() && text.find(strKeyword) != std::string::npos) {
            text.clear();
            return true;
        }
    }
    return false;
}

}  // namespace

bool RemoveLinesContaining(std::string& text, const StringVector& needles)
{
    std::string kept;
    kept.reserve(text.size());
    bool bRemoved = false;
    size_t nLine = 0;
    for (;;) {
        const size_t nFeed = text.find('\n', nLine);
        if (nFeed == std::string::npos)
            break;
        const size_t nNext = nFeed + 1;
        if (ContainsAny(std::string_view(text).substr(nLine, nNext - nLine), needles))
            bRemoved = true;
        else
            kept.append(text, nLine, nNext - nLine);
        nLine = nNext;
    }
    if (!bRemoved)
        return false;
    kept.append(text, nLine, std::string::npos);
    text.swap(kept);
    return true;
}

bool UpdateText(std::string& text, uint32_t dwMethod, const StringVector& vecKeywords)
{
    switch (dwMethod) {
    case FileUpdate::FU_CLEAR_LINES:
        return ClearLines(text, vecKeywords);
    case FileUpdate::FU_CLEAR_KEYWORDS:
        return ClearKeywords(text, vecKeywords);
    case FileUpdate::FU_CLEAR_FILE:
        return ClearFile(text, vecKeywords);
    default:
        return false;
    }
}

std::string ToLineFeeds(const std::string& bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (size_t n = 0; n < bytes.size(); ++n) {
        if (bytes[n] != '\r' || n + 1 == bytes.size() || bytes[n + 1] != '\n')
            text += bytes[n];
    }
    return text;
}

std::string ToCrLf(const std::string& text)
{
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    for (char ch : text) {
        if (ch == '\n')
            bytes += '\r';
        bytes += ch;
    }
    return bytes;
}
