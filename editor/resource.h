// Resource identifiers of the plugin editor, one prefix per kind.
#pragma once

// Dialogs
#define IDD_ABOUTBOX                100
#define IDD_VIEW_FORM               101  // the form of a plugin window: tree and page frame
#define IDD_SELECT_ITEM             135

// Pages of a plugin window; each number is also the item data of its
// category in the tree.
#define IDD_PAGE_UPDATE_FILES       136
#define IDD_PAGE_ELIMINATE_FILES    146
#define IDD_PAGE_ELIMINATE_KEYS     153
#define IDD_PAGE_GENERAL            154
#define IDD_PAGE_UPDATE_KEYS        155
#define IDD_PAGE_EXECUTABLE         156

// Menus, toolbar, icons, accelerators and the document type's strings
#define IDR_MAINFRAME               128  // frame menu, toolbar, icon, accelerators
#define IDR_PLUGIN_TYPE             129  // menu and icon of a plugin window

// Bitmaps
#define IDB_TOOLBAR                 128
#define IDB_CATEGORY_IMAGES         133
#define IDB_ITEM_IMAGES             134

// Controls of the view's form
#define IDC_CATEGORY_TREE           1001
#define IDC_PAGE_FRAME              1002

// Controls of the item selection dialog
#define IDC_SELECT_LIST             1008

// The pages' controls
#include "editor/PageIds.h"

// Commands of the "&Tools" menu
#define ID_TOOLS_REGEDIT            32771
#define ID_TOOLS_INSTALL            32772

// Framework commands, with the numbers that programs of this kind use
#define ID_FILE_NEW                 0xE100
#define ID_FILE_OPEN                0xE101
#define ID_FILE_CLOSE               0xE102
#define ID_FILE_SAVE                0xE103
#define ID_FILE_SAVE_AS             0xE104
#define ID_FILE_PRINT_SETUP         0xE106
#define ID_FILE_MRU_FILE1           0xE110  // to ID_FILE_MRU_FILE1 + 3
#define ID_APP_ABOUT                0xE140
#define ID_APP_EXIT                 0xE141
#define ID_HELP                     0xE146
#define ID_WINDOW_NEW               0xE130
#define ID_WINDOW_ARRANGE           0xE131
#define ID_WINDOW_CASCADE           0xE132
#define ID_WINDOW_TILE_HORZ         0xE133
#define ID_VIEW_TOOLBAR             0xE800
#define ID_VIEW_STATUS_BAR          0xE801

// The status bar's indicators and its idle prompt
#define ID_INDICATOR_CAPS           0xE701
#define ID_INDICATOR_NUM            0xE702
#define ID_INDICATOR_SCRL           0xE703
#define IDS_IDLE_MESSAGE            0xE001
#define IDS_ABOUTBOX                101

// The first child window's id in the Window menu's list
#define ID_FIRST_MDI_CHILD          0xFF00
