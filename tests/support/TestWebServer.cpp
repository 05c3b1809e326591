#include "tests/support/TestWebServer.h"

#include "tests/support/TempFolder.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace {

std::string Variable(const char* pszName)
{
    char szValue[1024];
    const DWORD cch = GetEnvironmentVariableA(pszName, szValue, sizeof(szValue));
    return cch > 0 && cch < sizeof(szValue) ? std::string(szValue, cch) : std::string();
}

}  // namespace

CTestWebServer::CTestWebServer()
    : m_strAddress(Variable("VELTRIN_TEST_SERVER")),
      m_strSilentAddress(Variable("VELTRIN_TEST_SILENT_SERVER")),
      m_strRoot(Variable("VELTRIN_TEST_SERVER_ROOT"))
{
}

std::string CTestWebServer::FilePath(const std::string& strPath) const
{
    std::string strFile = m_strRoot + "\\www";
    for (char ch : strPath)
        strFile += ch == '/' ? '\\' : ch;
    return strFile;
}

void CTestWebServer::Serve(const std::string& strPath, const std::string& bytes) const
{
    const std::string strFile = FilePath(strPath);
    for (size_t nSlash = strFile.find('\\', m_strRoot.size() + 1); nSlash != std::string::npos;
         nSlash = strFile.find('\\', nSlash + 1))
        CreateDirectoryA(strFile.substr(0, nSlash).c_str(), nullptr);
    ASSERT_TRUE(WriteFileBytes(strFile, bytes)) << strFile;
}

void CTestWebServer::Withdraw(const std::string& strPath) const
{
    DeleteFileA(FilePath(strPath).c_str());
}

std::vector<std::string> CTestWebServer::TakeRequests() const
{
    const std::string strLog = m_strRoot + "\\requests.log";
    const std::string log = ReadFileBytes(strLog);
    DeleteFileA(strLog.c_str());
    std::vector<std::string> heads;
    const std::string kEnd = "\r\n\r\n";
    for (size_t nStart = 0; nStart < log.size();) {
        const size_t nEnd = log.find(kEnd, nStart);
        const size_t nNext = nEnd == std::string::npos ? log.size() : nEnd + kEnd.size();
        heads.push_back(log.substr(nStart, nNext - nStart));
        nStart = nNext;
    }
    return heads;
}

std::string RequestLine(const std::string& strHead)
{
    return strHead.substr(0, strHead.find("\r\n"));
}
