// An action that came from a plugin file and remembers that file.
#pragma once

#include "common/Action.h"

#include <string>

class CPluginAction : public CAction {
public:
    // Reads the action from the file; false when the file cannot be opened
    // or is not a plugin. The action is unchanged on failure.
    virtual bool Load();
    // Writes the action over the existing file, which it neither creates
    // nor replaces; false when the file cannot be opened or written.
    virtual bool Save();

    std::string m_strFilePath;
};
