#include "cleaner/shell/ReportText.h"

#include <cstdio>
#include <vector>

namespace {

void ReplaceAll(std::string& strText, const std::string& strFrom, const std::string& strTo)
{
    for (size_t nAt = strText.find(strFrom); nAt != std::string::npos;
         nAt = strText.find(strFrom, nAt + strTo.size()))
        strText.replace(nAt, strFrom.size(), strTo);
}

bool IsLetter(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

bool IsAddressCharacter(char ch)
{
    return IsLetter(ch) || (ch >= '0' && ch <= '9') || ch == '@' || ch == '.' || ch == '_';
}

}  // namespace

std::string SystemName(unsigned long nPlatform, unsigned long nMajor, unsigned long nMinor)
{
    if (nPlatform == 1) {
        if (nMajor == 4 && nMinor == 0)
            return "Microsoft Windows 95";
        if (nMajor >= 4)
            return "Microsoft Windows 98";
    }
    if (nPlatform == 2) {
        if (nMajor == 4)
            return "Microsoft Windows NT 4.0";
        if (nMajor == 5)
            return nMinor == 0 ? "Microsoft Windows 2000" : "Microsoft Windows XP";
    }
    return std::string();
}

std::string FormatSystemInformation(const std::string& strProductName,
                                    const std::string& strVersion, const CSystemFacts& facts)
{
    const char kFormat[] =
        "Application:%s v.%s\r\nSystem:\r\n  %s\r\n  %lu.%lu.%lu\r\n  \r\nUser: %s\r\n"
        "Computer: %s\r\n\r\nDescribe your problem here";
    const std::string strSystem = SystemName(facts.nPlatform, facts.nMajor, facts.nMinor);
    std::vector<char> text(sizeof(kFormat) + 3 * 20 + strProductName.size() +
                           strVersion.size() + strSystem.size() + facts.strUserName.size() +
                           facts.strComputerName.size());
    const int nLength =
        std::snprintf(text.data(), text.size(), kFormat, strProductName.c_str(),
                      strVersion.c_str(), strSystem.c_str(), facts.nMajor, facts.nMinor,
                      facts.nBuild, facts.strUserName.c_str(), facts.strComputerName.c_str());
    return nLength < 0 ? std::string() : std::string(text.data(), static_cast<size_t>(nLength));
}

bool IsValidEmail(const std::string& strAddress)
{
    const long nLength = static_cast<long>(strAddress.size());
    const size_t nAt = strAddress.find('@');
    if (nAt == std::string::npos || strAddress.find('@', nAt + 1) != std::string::npos)
        return false;
    const long nAtPos = static_cast<long>(nAt);
    if (nAtPos < 1 || nAtPos > nLength - 4)
        return false;
    if (strAddress.back() == '.' || strAddress[nAt + 1] == '.')
        return false;
    for (char ch : strAddress) {
        if (!IsAddressCharacter(ch))
            return false;
    }
    return strAddress.find("..", nAt) == std::string::npos;
}

std::string EncodeReportText(const std::string& strText)
{
    static const char* const kReplacements[][2] = {
        {"+", "%2B"}, {"?", "%3F"},       {";", "%3B"}, {"#", "%23"},
        {"&", "%26"}, {"\r\n", "%0D%0A"}, {" ", "%20"},
    };
    std::string strEncoded = strText;
    for (const auto& replacement : kReplacements)
        ReplaceAll(strEncoded, replacement[0], replacement[1]);
    // A control character left over, a line feed without its carriage return
    // for one, would break the request line in two, and the system's web
    // functions turn a backslash into a slash: these go as "%XX" too.
    std::string strSafe;
    strSafe.reserve(strEncoded.size());
    for (char ch : strEncoded) {
        const unsigned char uch = static_cast<unsigned char>(ch);
        if (uch < 0x20 || uch == 0x7F || ch == '\\') {
            char szEscape[4];
            std::snprintf(szEscape, sizeof(szEscape), "%%%02X", uch);
            strSafe += szEscape;
        } else {
            strSafe += ch;
        }
    }
    return strSafe;
}

std::string ReportRequestUrl(const std::string& strReportUrl, const std::string& strDescription,
                             const std::string& strEmail)
{
    return strReportUrl + "?strResp=" + EncodeReportText(strDescription) +
           "&EMail=" + EncodeReportText(strEmail);
}
