// A web server in the test's own process, on the loopback address only: it
// answers a GET with the bytes served at the request's path, whatever the
// query, or "404 Not Found", and records the head of every request exactly
// as it came. Below "/silent/" it accepts and never answers.
#pragma once

#include "common/RegistryKeys.h"
#include "tests/support/TestRegistry.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

class CTestWebServer {
public:
    CTestWebServer()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        sockaddr_in address = {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int cbAddress = sizeof(address);
        m_listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        bind(m_listener, reinterpret_cast<sockaddr*>(&address), cbAddress);
        listen(m_listener, 8);
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &cbAddress);
        m_strAddress = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
        m_hThread = CreateThread(nullptr, 0, Answer, this, 0, nullptr);
    }
    // The silent connections close here too.
    ~CTestWebServer()
    {
        closesocket(m_listener);
        WaitForSingleObject(m_hThread, INFINITE);
        CloseHandle(m_hThread);
        WSACleanup();
    }

    const std::string& Address() const { return m_strAddress; }  // "http://127.0.0.1:<port>"
    void Serve(const std::string& strPath, const std::string& bytes)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_served[strPath] = bytes;
    }
    // The heads of the requests since the last call, each with its blank line.
    std::vector<std::string> TakeRequests()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return std::move(m_requests);
    }

private:
    static DWORD WINAPI Answer(LPVOID pParameter)
    {
        CTestWebServer& server = *static_cast<CTestWebServer*>(pParameter);
        SOCKET connection;
        while ((connection = accept(server.m_listener, nullptr, nullptr)) != INVALID_SOCKET) {
            std::string head;
            char buffer[4096];
            int cb;
            while (head.find("\r\n\r\n") == std::string::npos &&
                   (cb = recv(connection, buffer, sizeof(buffer), 0)) > 0)
                head.append(buffer, cb);
            std::lock_guard<std::mutex> lock(server.m_lock);
            server.m_requests.push_back(head);
            const std::string strPath = head.substr(4, head.find_first_of(" ?", 4) - 4);
            if (strPath.compare(0, 8, "/silent/") == 0)
                continue;
            const auto found = server.m_served.find(strPath);
            const bool bFound = found != server.m_served.end();
            const std::string strBody = bFound ? found->second : "Not found";
            const std::string strAnswer =
                std::string(bFound ? "HTTP/1.1 200 OK" : "HTTP/1.1 404 Not Found") +
                "\r\nContent-Length: " + std::to_string(strBody.size()) +
                "\r\nConnection: close\r\n\r\n" + strBody;
            send(connection, strAnswer.data(), static_cast<int>(strAnswer.size()), 0);
            closesocket(connection);
        }
        return 0;
    }

    SOCKET m_listener;
    HANDLE m_hThread;
    std::string m_strAddress;
    std::mutex m_lock;
    std::map<std::string, std::string> m_served;
    std::vector<std::string> m_requests;
};

inline std::string RequestLine(const std::string& strHead)
{
    return strHead.substr(0, strHead.find("\r\n"));
}

// A test against the server, which the settings name as the maker's.
class CWebServerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_registry.Set(HKEY_CURRENT_USER, kSettingsKey, "strServerUrl", m_server.Address());
    }

    CTestWebServer m_server;
    CScratchRegistry m_registry;
};
