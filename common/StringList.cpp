#include "common/StringList.h"

StringVector SplitAtSeparator(const std::string& strText, char chSeparator)
{
    StringVector pieces;
    if (strText.empty())
        return pieces;
    size_t nStart = 0;
    for (;;) {
        const size_t nEnd = strText.find(chSeparator, nStart);
        if (nEnd == std::string::npos) {
            pieces.push_back(strText.substr(nStart));
            return pieces;
        }
        pieces.push_back(strText.substr(nStart, nEnd - nStart));
        nStart = nEnd + 1;
    }
}

StringVector SplitString(const std::string& strText, char chSeparator)
{
    StringVector pieces = SplitAtSeparator(strText, chSeparator);
    if (!pieces.empty() && strText.back() == chSeparator)
        pieces.pop_back();
    return pieces;
}
