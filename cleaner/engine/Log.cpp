#include "cleaner/engine/Log.h"

#include "cleaner/engine/LogLine.h"

#include <cstdarg>
#include <ctime>
#include <mutex>

namespace {

// One lock serialises every caller: the sink sees one line at a time.
std::mutex& LogLock()
{
    static std::mutex* pLock = new std::mutex;  // never destroyed: logging may outlive statics
    return *pLock;
}

ILogSink* g_pSink = nullptr;

}  // namespace

void SetLogSink(ILogSink* pSink)
{
    std::lock_guard<std::mutex> lock(LogLock());
    g_pSink = pSink;
}

void LogMessage(uint32_t nImage, const char* pszFormat, ...)
{
    std::lock_guard<std::mutex> lock(LogLock());
    va_list args;
    va_start(args, pszFormat);
    const std::string strMessage = FormatLogMessage(pszFormat, args);
    va_end(args);

    const std::time_t now = std::time(nullptr);
    std::tm localTime = {};
    if (const std::tm* pLocal = std::localtime(&now))
        localTime = *pLocal;
    const std::string strLine = FormatLogLine(localTime, strMessage);
    if (g_pSink)
        g_pSink->AddLine(nImage, strLine.c_str());
}

void HoldLogRedraw()
{
    std::lock_guard<std::mutex> lock(LogLock());
    if (g_pSink)
        g_pSink->HoldRedraw();
}

void ReleaseLogRedraw()
{
    std::lock_guard<std::mutex> lock(LogLock());
    if (g_pSink)
        g_pSink->ReleaseRedraw();
}
