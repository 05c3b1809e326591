// The five list pages: Eliminate Files, Update Files, Eliminate Keys,
// Update Keys and Executable Actions.
#pragma once

#include "editor/PluginPage.h"

#include <memory>

// The list page whose dialog resource is the number; null for any other.
std::unique_ptr<CPluginPage> CreateListPage(UINT nPageId, CAction* pPlugin);
