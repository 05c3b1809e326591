// A log sink that keeps every line of the activity log for a test to read.
#pragma once

#include "cleaner/engine/Log.h"

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

class CRecordingLog : public ILogSink {
public:
    struct Line {
        uint32_t nImage;
        std::string strText;  // the message, without the time prefix
        bool operator==(const Line& other) const
        {
            return nImage == other.nImage && strText == other.strText;
        }
        friend void PrintTo(const Line& line, std::ostream* pStream)
        {
            *pStream << "\n  {" << line.nImage << ", \"" << line.strText << "\"}";
        }
    };

    CRecordingLog() { SetLogSink(this); }
    ~CRecordingLog() { SetLogSink(nullptr); }
    CRecordingLog(const CRecordingLog&) = delete;
    CRecordingLog& operator=(const CRecordingLog&) = delete;

    void AddLine(uint32_t nImage, const char* pszLine) override
    {
        const char* pszPrefixEnd = strstr(pszLine, ">> ");
        m_lines.push_back({nImage, pszPrefixEnd ? pszPrefixEnd + 3 : pszLine});
    }
    void HoldRedraw() override { ++m_nHolds; }
    void ReleaseRedraw() override { ++m_nReleases; }

    // The messages only, in order.
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const Line& line : m_lines)
            texts.push_back(line.strText);
        return texts;
    }
    void Clear() { m_lines.clear(); }

    std::vector<Line> m_lines;
    int m_nHolds = 0, m_nReleases = 0;
};
