#include "common/FileMask.h"

namespace {

char FoldedCase(char ch)
{
    return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch;
}

// One pass over the name. At a star the match goes on after it; when a
// later character fails, the star takes one character more and the match
// resumes from there. Only the last star needs retrying: whatever an earlier
// star would take more, the last one can take as well.
bool MatchWildcards(const std::string& strName, const std::string& strMask)
{
    const size_t npos = std::string::npos;
    size_t nName = 0;
    size_t nMask = 0;
    size_t nAfterStar = npos;  // where the mask goes on after its last star so far
    size_t nStarTaken = 0;     // where the name goes on after what that star takes
    while (nName < strName.size()) {
        if (nMask < strMask.size() && strMask[nMask] == '*') {
            nAfterStar = ++nMask;
            nStarTaken = nName;
        } else if (nMask < strMask.size() &&
                   (strMask[nMask] == '?' ||
                    FoldedCase(strMask[nMask]) == FoldedCase(strName[nName]))) {
            ++nMask;
            ++nName;
        } else if (nAfterStar != npos) {
            nMask = nAfterStar;
            nName = ++nStarTaken;
        } else {
            return false;
        }
    }
    while (nMask < strMask.size() && strMask[nMask] == '*')
        ++nMask;
    return nMask == strMask.size();
}

}  // namespace

bool MatchFileMask(const std::string& strName, const std::string& strMask)
{
    if (MatchWildcards(strName, strMask))
        return true;
    // A final dot and stars stand for any extension or none.
    const size_t nLastOther = strMask.find_last_not_of('*');
    return nLastOther != std::string::npos && nLastOther + 1 < strMask.size() &&
           strMask[nLastOther] == '.' && MatchWildcards(strName, strMask.substr(0, nLastOther));
}
