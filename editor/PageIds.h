// Control identifiers of the item editor pages. Included by resource.h.
// The pages share numbers where they hold the same kind of field; a number
// is unique within each page.
#pragma once

// On every page: the plugin's "enable" check box.
#define IDC_PLUGIN_ENABLED          1032

// The General page
#define IDC_PLUGIN_NAME             1000
#define IDC_PLUGIN_TITLE            1001  // the trace comment
#define IDC_LEVEL_INFORMATION       1011
#define IDC_LEVEL_WARNING           1012
#define IDC_PLUGIN_DESCRIPTION      1013
#define IDC_PLUGIN_CATEGORY         1014

// Every list page: the list of its items and the path defines
#define IDC_ITEM_LIST               1050
#define IDC_PRESET                  1059

// The Eliminate Files and Update Files pages
#define IDC_FILE_KEYWORDS           1009
#define IDC_FILE_ADD                1052
#define IDC_FILE_REMOVE             1053
#define IDC_FILE_EXCLUDE            1054
#define IDC_FILE_BROWSE             1055
#define IDC_FILE_PATH               1056
#define IDC_FILE_MASK               1057
#define IDC_FILE_FLAG               1058
#define IDC_FILE_METHOD             1058

// The Eliminate Keys and Update Keys pages
#define IDC_KEY_FLAG                1003
#define IDC_KEY_DATA_TYPE           1003
#define IDC_KEY_VALUE               1004  // the value, or the value's name
#define IDC_KEY_DATA                1005
#define IDC_KEY_MASK                1006
#define IDC_KEY_ADD                 1061
#define IDC_KEY_REMOVE              1062
#define IDC_KEY_PATH                1063
#define IDC_KEY_ROOT                1064

// The Executable Actions page
#define IDC_EXEC_PARAMETERS         1005
#define IDC_EXEC_PATH               1006
#define IDC_EXEC_ADD                1009
#define IDC_EXEC_REMOVE             1010
#define IDC_EXEC_BROWSE             1055
