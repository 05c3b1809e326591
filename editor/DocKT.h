// A plugin file open in the editor: one action, read and written with the
// plugin format shared with the cleaner.
#pragma once

#include "common/Action.h"
#include "framework/Document.h"

class CDocKT : public CDocument {
public:
    // The action the pages edit in place; empty for a new document.
    CAction m_plugin;

protected:
    // Loading reads the action and says "Document file is corrupt" when the
    // file is no plugin; storing first lets the views store their fields,
    // then writes the action and says "Can't save document" on failure.
    bool Serialize(CFile& file, bool bStoring) override;
};
