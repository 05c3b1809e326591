// The web server that the test run starts beside a test program on the
// loopback address (with_test_web_server.sh): it serves files that the test
// writes into its folder and records the head of every request it receives.
#pragma once

#include <string>
#include <vector>

class CTestWebServer {
public:
    // Reads where the server is; IsThere is false when the test program runs
    // without it.
    CTestWebServer();

    bool IsThere() const { return !m_strAddress.empty(); }
    // "http://127.0.0.1:<port>", which answers, and the address of a port
    // that accepts connections and never answers.
    const std::string& Address() const { return m_strAddress; }
    const std::string& SilentAddress() const { return m_strSilentAddress; }

    // The server answers a GET of the path ("/veltrin/updatespro.txt") with
    // these bytes, whatever the query.
    void Serve(const std::string& strPath, const std::string& bytes) const;
    // Requests of the path are answered "404 Not Found" again.
    void Withdraw(const std::string& strPath) const;

    // The heads of the requests received since the last call, each exactly
    // as it came, up to and with its blank line.
    std::vector<std::string> TakeRequests() const;

private:
    std::string FilePath(const std::string& strPath) const;

    std::string m_strAddress;
    std::string m_strSilentAddress;
    std::string m_strRoot;
};

// The request line of a request's head, without its line break.
std::string RequestLine(const std::string& strHead);
