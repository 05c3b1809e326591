// The problem report: the user's description of a problem, started with
// the details of the program and the system, sent with the user's e-mail
// address to the maker's server.
#pragma once

#include "framework/Dialog.h"

#include <string>

class CDlgProblemReport : public CDialog {
public:
    CDlgProblemReport();

protected:
    bool OnInitDialog() override;
    // "Send report": the dialog closes once the server has said "OK".
    void OnOK() override;
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    std::string m_strSystemInfo;  // what the description starts with
};
