// The activity log: the engine's only way to the user. Lines go to a sink
// that the program installs (the main window's list); without one they are
// formatted and dropped.
#pragma once

#include <cstdint>

// The picture shown beside a line.
enum LogImage : uint32_t {
    LI_FILE_DELETED = 0,
    LI_FILE_AT_REBOOT = 1,
    LI_FILE_NOT_FOUND = 2,
    LI_ACTION_START = 3,
    LI_ACTION_COMPLETE = 4,
    LI_STATISTICS = 5,
    LI_FILE_FAILED = 6,  // a file or folder that stays although the clean meant to remove it
};

class ILogSink {
public:
    // One finished line with its time prefix. Called under the log's lock,
    // from whatever thread logs.
    virtual void AddLine(uint32_t nImage, const char* pszLine) = 0;
    // A clean holds repainting of the log for its whole length and lets it
    // go at the end; the sink repaints at intervals in between.
    virtual void HoldRedraw() {}
    virtual void ReleaseRedraw() {}

protected:
    ~ILogSink() = default;
};

// Installs the sink (nullptr removes it). The sink must stay alive until it
// is removed.
void SetLogSink(ILogSink* pSink);

// Formats a message as printf does, cut to 511 characters, and hands the
// line "time>> message" to the sink. Safe from any thread.
void LogMessage(uint32_t nImage, const char* pszFormat, ...)
#ifdef __GNUC__
    __attribute__((format(gnu_printf, 2, 3)))
#endif
    ;

// A clean calls these around its actions.
void HoldLogRedraw();
void ReleaseLogRedraw();
