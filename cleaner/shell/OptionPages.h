// Every option page of the settings dialog, by its dialog id.
#pragma once

#include "cleaner/shell/OptionPage.h"

#include <memory>

// The page with that dialog id; null for an id that has no page.
std::unique_ptr<COptionPage> CreateOptionPage(UINT nPageId, CActionManager& manager,
                                              HBITMAP hBackground);
