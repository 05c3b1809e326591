// The editor program: its main frame, its keyboard shortcuts and the file it
// was started with.
#pragma once

#include "editor/MainFrame.h"
#include "framework/Window.h"

#include <memory>

class CActsmithApp : public CApplication {
public:
    CMainFrame* GetMainFrame() const { return m_pFrame.get(); }

protected:
    bool InitInstance() override;
    bool PreTranslateMessage(MSG& msg) override;

private:
    std::unique_ptr<CMainFrame> m_pFrame;
    HACCEL m_hAccelerators = nullptr;
};

// The file named by the command line (quotes removed); empty when none.
std::string FileOfCommandLine(const std::string& strCommandLine);
