// The editor's main window: the plugin windows inside it, the File, View,
// Window and Help commands, the toolbar and the status bar. It owns the open
// documents and their windows; a document ends with its last window.
#pragma once

#include "editor/DocKT.h"
#include "framework/DocTemplate.h"
#include "framework/ImageList.h"
#include "framework/MdiFrame.h"
#include "framework/Menu.h"
#include "framework/RecentFileList.h"

#include <memory>
#include <string>
#include <vector>

class CChildFrame;
class CViewKT;

class CMainFrame : public CMdiFrame {
public:
    CMainFrame();
    ~CMainFrame() override;

    // Creates the frame with its bars; nCmdShow as the program was started.
    bool Create(int nCmdShow);

    // A new empty plugin in a window of its own.
    CDocKT* NewDocument();
    // The file in a window, or the window it is open in already. Null, after
    // saying so, when the file cannot be opened.
    CDocKT* OpenDocumentFile(const std::string& strPath);
    // Saves under the path (the document's own when empty, asking for one
    // when it has none); false, after saying why, when it was not saved.
    bool SaveDocument(CDocKT& document, const std::string& strPath);
    // Closes every window of the document, without asking: nothing is ever
    // marked as changed.
    void CloseDocument(CDocKT& document);

    // The document of the active plugin window; null when none is open.
    CDocKT* GetActiveDocument() const;
    CChildFrame* GetActiveFrame() const;
    const std::vector<std::unique_ptr<CDocKT>>& GetDocuments() const { return m_documents; }
    CRecentFileList& GetRecentFiles() { return m_recentFiles; }
    const CDocTemplateStrings& GetTemplateStrings() const { return m_strings; }

    // The help file's prefix, "<program folder>\Veltrin.chm::/htm/".
    static std::string HelpPrefix();

protected:
    bool OnCommand(WORD wId) override;
    bool OnMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    CChildFrame* OpenWindow(CDocKT& document);
    void RemoveClosedWindows();
    void UpdateTitles();
    void UpdateMenus();
    void OnFileOpen();
    void OnRecentFile(WORD wId);
    void OnPrintSetup();
    void OnAbout();
    void OnHelp();
    void OnInitMenuPopup(HMENU hMenu);

    CDocTemplateStrings m_strings;
    CMenu m_menuNoDocument;
    CMenu m_menuDocument;
    CImageList m_toolBarImages;
    CRecentFileList m_recentFiles;
    int m_nNewDocuments = 0;
    std::vector<std::unique_ptr<CDocKT>> m_documents;
    // A plugin window and the view in it; the view goes first.
    struct CPluginWindow {
        std::unique_ptr<CChildFrame> pFrame;
        std::unique_ptr<CViewKT> pView;
        ~CPluginWindow();
    };
    std::vector<std::unique_ptr<CPluginWindow>> m_windows;
};
