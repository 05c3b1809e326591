// Resource identifiers of the cleaner, one prefix per kind.
#pragma once

// Dialogs
#define IDD_ABOUTBOX                100
#define IDD_VELTRIN_DIALOG          102

// Strings
#define IDS_ABOUTBOX                101

// Icons
#define IDR_MAINFRAME               128
#define IDI_TRAY                    183

// Menus and the toolbar
#define IDR_TOOLBAR                 131
#define IDR_MAINMENU                133
#define IDR_TRAYMENU                172

// Bitmaps
#define IDB_BANNER                  137
#define IDB_LOG_IMAGES              170
#define IDB_TOOLBAR                 176
#define IDB_TOOLBAR_HOT             180
#define IDB_FEATURE_IMAGES          186

// Controls of the main window
#define IDC_LIST_LOG                1000
#define IDC_LIST_FEATURES           1004
#define IDC_BANNER                  1037

// Controls of the About box
#define IDC_PRODUCT_PAGE            1046
#define IDC_COMPANY_WEBSITE         1047
#define IDC_SUPPORT_EMAIL           1048
#define IDC_ABOUT_VERSION           1058

// Commands
#define IDM_ABOUTBOX                16      // system menu; the system uses the low 4 bits
#define ID_ACTION_START             32771
#define ID_ACTION_STOP              32773
#define ID_OPTIONS_SETTINGS         32774
#define ID_APP_ABOUT                32776
#define ID_HELP_COMPANYWEBSITE      32779
#define ID_HELP_CHECKFORUPDATES     32780
#define ID_ACTION_WIZARD            32782
#define ID_OPTIONS_PROBLEMREPORT    32783
#define ID_OPTIONS_CLEARLOG         32784
#define ID_TRAY_OPEN                32788
#define ID_TRAY_SETTINGS            32789
#define ID_TRAY_EXIT                32790
#define ID_HELP                     57670

// The type of the toolbar resource: button size and command of each button.
#define RT_TOOLBAR_DATA             241
