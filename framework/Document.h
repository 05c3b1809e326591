// The document of a multi-document program: the data of one file, the path
// it was last opened from or saved to, and the views that show it.
#pragma once

#include "common/File.h"

#include <string>
#include <vector>

class CDocument;

// A window that shows a document; told when the document wants the views
// to bring it up to date.
class CView {
public:
    virtual ~CView() = default;
    // pSender is the view that asked, null for the document itself.
    virtual void OnUpdate(CView* pSender, long nHint) = 0;
};

class CDocument {
public:
    CDocument() = default;
    virtual ~CDocument() = default;
    CDocument(const CDocument&) = delete;
    CDocument& operator=(const CDocument&) = delete;

    // Empty for a document never saved.
    const std::string& GetPathName() const { return m_strPathName; }
    // The window title: the file's name, or the name a new document got.
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& strTitle) { m_strTitle = strTitle; }

    // Reads the file into this fresh document. False, with the system's
    // error code set, when the file cannot be opened; an empty file reads
    // as nothing, without Serialize.
    bool OnOpenDocument(const std::string& strPath);
    // Writes the document to the file. The file is replaced only once the
    // whole document has been written, so a failed save leaves the old one.
    // False, with the system's error code set, when the file cannot be
    // created or replaced; a Serialize that failed has told the user itself.
    bool OnSaveDocument(const std::string& strPath);

    void AddView(CView* pView) { m_views.push_back(pView); }
    void RemoveView(CView* pView);
    const std::vector<CView*>& GetViews() const { return m_views; }
    void UpdateAllViews(CView* pSender, long nHint = 0);

protected:
    // Reads the document from the file, or writes it; false when the
    // content could not be read or written (the document has said so).
    virtual bool Serialize(CFile& file, bool bStoring) = 0;

private:
    void SetPathName(const std::string& strPath);

    std::string m_strPathName;
    std::string m_strTitle;
    std::vector<CView*> m_views;
};
