#include "cleaner/shell/UrlFetcher.h"

#include "cleaner/shell/ProductInfo.h"

#include <wininet.h>

#include <cstdlib>

std::shared_ptr<CUrlFetcher> CUrlFetcher::Create(DWORD nSizeLimit, DWORD dwTimeLimit)
{
    std::shared_ptr<CUrlFetcher> pFetcher(new CUrlFetcher(nSizeLimit, dwTimeLimit));
    pFetcher->m_self = pFetcher;
    return pFetcher;
}

CUrlFetcher::CUrlFetcher(DWORD nSizeLimit, DWORD dwTimeLimit)
    : m_nSizeLimit(nSizeLimit), m_dwTimeLimit(dwTimeLimit)
{
}

CUrlFetcher::~CUrlFetcher()
{
    FreeData();
    if (m_hThread)
        CloseHandle(m_hThread);
}

HANDLE CUrlFetcher::Start(const std::string& strUrl)
{
    if (m_bRunning)
        return nullptr;
    if (m_hThread) {
        CloseHandle(m_hThread);
        m_hThread = nullptr;
    }
    m_strUrl = strUrl;
    m_bDone = false;
    m_bGivenUp = false;
    m_bRunning = true;
    m_dwStarted = GetTickCount();
    // The thread's own reference, released by the thread as it ends.
    std::shared_ptr<CUrlFetcher>* pThreadsReference = new std::shared_ptr<CUrlFetcher>(m_self);
    DWORD dwThreadId;
    m_hThread = CreateThread(nullptr, 0, ThreadProc, pThreadsReference, 0, &dwThreadId);
    if (!m_hThread) {
        delete pThreadsReference;
        m_bRunning = false;
    }
    return m_hThread;
}

bool CUrlFetcher::Wait()
{
    if (!m_hThread)
        return false;
    const DWORD dwElapsed = GetTickCount() - m_dwStarted;
    const DWORD dwLeft = dwElapsed < m_dwTimeLimit ? m_dwTimeLimit - dwElapsed : 0;
    if (WaitForSingleObject(m_hThread, dwLeft) == WAIT_OBJECT_0) {
        m_bDone = !m_bGivenUp;
        return m_bDone;
    }
    m_bGivenUp = true;
    CloseConnection();
    return false;
}

DWORD WINAPI CUrlFetcher::ThreadProc(LPVOID pParameter)
{
    std::unique_ptr<std::shared_ptr<CUrlFetcher>> pSelf(
        static_cast<std::shared_ptr<CUrlFetcher>*>(pParameter));
    (*pSelf)->Fetch();
    return 0;
}

void CUrlFetcher::Fetch()
{
    FreeData();
    // The system's own proxy settings; the bytes as they come, never from
    // the cache: an update file read yesterday or a report that was sent
    // already would be no answer.
    HINTERNET hInternet = InternetOpenA(kProductName, INTERNET_OPEN_TYPE_PRECONFIG, nullptr,
                                        nullptr, 0);
    if (hInternet) {
        m_hInternet = hInternet;
        if (m_bGivenUp)
            CloseConnection();
        const DWORD dwFlags =
            INTERNET_FLAG_TRANSFER_BINARY | INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
        HINTERNET hUrl = InternetOpenUrlA(hInternet, m_strUrl.c_str(), nullptr, 0, dwFlags, 0);
        if (hUrl) {
            ReadAll(hUrl);
            InternetCloseHandle(hUrl);
        }
    }
    m_bRunning = false;
    CloseConnection();
}

void CUrlFetcher::ReadAll(void* hUrl)
{
    DWORD nAvailable = 0;
    while (!m_bGivenUp && m_nSize < m_nSizeLimit &&
           InternetQueryDataAvailable(hUrl, &nAvailable, 0, 0) && nAvailable > 0) {
        if (nAvailable > m_nSizeLimit - m_nSize)
            nAvailable = m_nSizeLimit - m_nSize;
        char* pGrown = static_cast<char*>(std::realloc(m_pData, m_nSize + nAvailable + 1));
        if (!pGrown)
            return;
        m_pData = pGrown;
        DWORD nRead = 0;
        const bool bRead = InternetReadFile(hUrl, m_pData + m_nSize, nAvailable, &nRead) != FALSE;
        m_nSize += nRead;
        m_pData[m_nSize] = 0;
        if (!bRead || nRead == 0)
            return;
    }
}

void CUrlFetcher::FreeData()
{
    std::free(m_pData);
    m_pData = nullptr;
    m_nSize = 0;
}

void CUrlFetcher::CloseConnection()
{
    if (void* hInternet = m_hInternet.exchange(nullptr))
        InternetCloseHandle(hInternet);
}
