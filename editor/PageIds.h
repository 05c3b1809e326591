// Control identifiers of the item editor pages. Included by resource.h.
#pragma once

// On every page: the plugin's "enable" check box.
#define IDC_PLUGIN_ENABLED          1032
