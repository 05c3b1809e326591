#include "cleaner/engine/TextRewriting.h"

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
