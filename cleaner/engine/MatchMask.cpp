#include "cleaner/engine/MatchMask.h"

// The pattern is read as pieces separated by runs of stars. The star after a
// piece is also the star before the next one: it makes the piece end before
// the end of the text, and the next piece start at least one character later.
bool MatchMask(const std::string& strText, const std::string& strPattern)
{
    if (strPattern.empty())
        return true;
    if (strText.empty())
        return false;

    const size_t npos = std::string::npos;
    size_t nPiece = 0;
    size_t nPos = 0;
    bool bStarBefore = false;
    for (;;) {
        size_t nStar = strPattern.find('*', nPiece);
        const bool bStarAfter = nStar != npos;
        if (!bStarAfter)
            nStar = strPattern.size();
        const size_t nLength = nStar - nPiece;
        const char* pszPiece = strPattern.data() + nPiece;

        if (bStarBefore) {
            const size_t nFound = strText.find(pszPiece, nPos + 1, nLength);
            if (nFound == npos)
                return false;
            nPos = nFound;
        } else if (strText.compare(nPos, nLength, pszPiece, nLength) != 0) {
            return false;
        }
        nPos += nLength;

        if (!bStarAfter)
            return nPos == strText.size();
        if (nPos >= strText.size())
            return false;
        nPiece = strPattern.find_first_not_of('*', nStar);
        if (nPiece == npos)
            return true;
        bStarBefore = true;
    }
}
