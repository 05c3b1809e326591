// A request to stop a running clean, made on one thread and seen on another.
// The clean looks at it between actions and between files.
#pragma once

#include <atomic>

class CStopRequest {
public:
    void Request() { m_bRequested.store(true); }
    void Clear() { m_bRequested.store(false); }
    bool IsRequested() const { return m_bRequested.load(); }

private:
    std::atomic<bool> m_bRequested{false};
};
