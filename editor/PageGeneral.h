// The General page: the plugin's name, trace comment, warning level,
// category, description and whether it is enabled after installation.
#pragma once

#include "editor/PluginPage.h"

class CPageGeneral : public CPluginPage {
public:
    explicit CPageGeneral(CAction* pPlugin);

    bool StoreToPlugin() override;

protected:
    bool OnInitDialog() override;
};
