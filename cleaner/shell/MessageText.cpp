#include "cleaner/shell/MessageText.h"

#include <algorithm>
#include <cstring>

namespace {

const char kBreakCharacters[] = "\r\t .,;=-";

bool IsBreakCharacter(char ch)
{
    return ch != '\0' && std::strchr(kBreakCharacters, ch) != nullptr;
}

}  // namespace

WrappedText WrapMessageText(const std::string& strText)
{
    WrappedText wrapped = {std::string(), 0};
    std::string& strOut = wrapped.strText;
    strOut.reserve(strText.size() + strText.size() / kWrapColumn * 2);
    size_t nLineStart = 0;
    for (size_t i = 0; i < strText.size(); ++i) {
        const char ch = strText[i];
        if (ch == '\r') {
            wrapped.nLongestLine = std::max(wrapped.nLongestLine, strOut.size() - nLineStart);
            strOut += ch;
            if (i + 1 < strText.size() && strText[i + 1] == '\n')
                strOut += strText[++i];
            nLineStart = strOut.size();
            continue;
        }
        strOut += ch;
        const size_t nLength = strOut.size() - nLineStart;
        if (!IsBreakCharacter(ch) || nLength < kWrapColumn)
            continue;
        if (i + 1 == strText.size() || strText[i + 1] == '\r')
            continue;
        strOut += "\r\n";
        wrapped.nLongestLine = std::max(wrapped.nLongestLine, nLength);
        nLineStart = strOut.size();
    }
    return wrapped;
}

size_t MessageColumns(const WrappedText& wrapped)
{
    const std::string& strText = wrapped.strText;
    const size_t nLastEnd = strText.find_last_of("\r\n");
    const size_t nLastLine =
        nLastEnd == std::string::npos ? strText.size() : strText.size() - nLastEnd - 1;
    return std::max(wrapped.nLongestLine, std::min(nLastLine, kWrapColumn));
}
