// Reads a web address into memory on a thread of its own. The caller waits
// for the thread, but no longer than a time limit: a server that accepts the
// connection and never answers does not hold the program.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

class CUrlFetcher {
public:
    // An update file is a few lines; an answer bigger than this is cut here.
    static constexpr DWORD kDefaultSizeLimit = 64 * 1024;
    static constexpr DWORD kDefaultTimeLimit = 20000;  // milliseconds from Start

    // The worker thread holds the fetcher too, so that a fetcher given up
    // on at its time limit lives until the thread ends.
    static std::shared_ptr<CUrlFetcher> Create(DWORD nSizeLimit = kDefaultSizeLimit,
                                               DWORD dwTimeLimit = kDefaultTimeLimit);
    ~CUrlFetcher();
    CUrlFetcher(const CUrlFetcher&) = delete;
    CUrlFetcher& operator=(const CUrlFetcher&) = delete;

    // Starts reading the address; the worker thread's handle, null when it
    // could not start or a fetch of this fetcher still runs.
    HANDLE Start(const std::string& strUrl);
    // Waits until the worker has ended, at most until the time limit after
    // Start. False when it did not end in time: the transfer is then
    // cancelled where the system allows it and given up, and no data is read.
    bool Wait();
    bool IsRunning() const { return m_bRunning; }

    // What was read, after Wait returned true: the bytes with a zero behind
    // them, "" when nothing was read.
    const char* GetText() const { return m_bDone && m_pData ? m_pData : ""; }
    DWORD GetSize() const { return m_bDone ? m_nSize : 0; }

private:
    CUrlFetcher(DWORD nSizeLimit, DWORD dwTimeLimit);

    static DWORD WINAPI ThreadProc(LPVOID pParameter);
    void Fetch();
    void ReadAll(void* hUrl);
    void FreeData();
    // Closes the connection once, from whichever thread comes first.
    void CloseConnection();

    std::string m_strUrl;
    std::atomic<bool> m_bRunning{false};
    char* m_pData = nullptr;  // m_nSize bytes and a zero; null when nothing was read
    DWORD m_nSize = 0;
    HANDLE m_hThread = nullptr;

    const DWORD m_nSizeLimit;
    const DWORD m_dwTimeLimit;
    DWORD m_dwStarted = 0;
    bool m_bDone = false;  // the worker ended in time; its data may be read
    std::atomic<bool> m_bGivenUp{false};
    std::atomic<void*> m_hInternet{nullptr};  // the open connection, until closed
    std::weak_ptr<CUrlFetcher> m_self;
};
