// The texts of a problem report: the system details that start the
// description, the check of the sender's e-mail address, and the request
// that carries both to the maker's server. Portable code.
#pragma once

#include <string>

// What the report says about the computer it comes from.
struct CSystemFacts {
    unsigned long nPlatform = 0;  // 1 for Windows 95, 98 and ME, 2 for the NT family
    unsigned long nMajor = 0;
    unsigned long nMinor = 0;
    unsigned long nBuild = 0;
    std::string strUserName;
    std::string strComputerName;
};

// "Microsoft Windows 98", "Microsoft Windows XP", ...; empty for systems the
// report has no name for.
std::string SystemName(unsigned long nPlatform, unsigned long nMajor, unsigned long nMinor);

// The text that the description starts with: the program, the system, the
// user and the computer, then "Describe your problem here".
std::string FormatSystemInformation(const std::string& strProductName,
                                    const std::string& strVersion, const CSystemFacts& facts);

// An address of letters, digits, "_" and full stops around one "@", with at
// least three characters after it, none of them a full stop next to the "@",
// no two full stops in a row after it, and no full stop at its end.
bool IsValidEmail(const std::string& strAddress);

// The text as it goes into the request's query: "+", "?", ";", "#", "&",
// line breaks, blanks, other control characters and "\" are written as
// "%XX"; every other character, "%" among them, stays as it is.
std::string EncodeReportText(const std::string& strText);

// "<report URL>?strResp=<description>&EMail=<address>", both encoded.
std::string ReportRequestUrl(const std::string& strReportUrl, const std::string& strDescription,
                             const std::string& strEmail);
