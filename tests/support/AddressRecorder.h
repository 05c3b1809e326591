// Keeps the web addresses that the code under test opens, instead of
// opening them in a browser, for as long as it lives.
#pragma once

#include "cleaner/shell/ProductInfo.h"

#include <string>
#include <vector>

class CAddressRecorder {
public:
    CAddressRecorder() : m_pfnPrevious(SetAddressOpener(Note)) { Opened().clear(); }
    ~CAddressRecorder() { SetAddressOpener(m_pfnPrevious); }
    CAddressRecorder(const CAddressRecorder&) = delete;
    CAddressRecorder& operator=(const CAddressRecorder&) = delete;

    static std::vector<std::string>& Opened()
    {
        static std::vector<std::string> s_opened;
        return s_opened;
    }

private:
    static void Note(const char* pszAddress) { Opened().push_back(pszAddress); }
    AddressOpener m_pfnPrevious;
};
