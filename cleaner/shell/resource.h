// Resource identifiers of the cleaner, one prefix per kind.
#pragma once

// Dialogs
#define IDD_ABOUTBOX                100
#define IDD_VELTRIN_DIALOG          102
#define IDD_SETTINGS                135
#define IDD_WIZARD                  148
#define IDD_PROBLEM_REPORT          149
#define IDD_MESSAGE                 188

// Option pages of the settings dialog
#define IDD_PAGE_CONTENTS           130
#define IDD_PAGE_START_MENU         131
#define IDD_PAGE_WINDOWS            132
#define IDD_PAGE_NETSCAPE           133
#define IDD_PAGE_COMMUNICATIONS     141
#define IDD_PAGE_DRIVE_OPERATIONS   145
#define IDD_PAGE_OPERA              151
#define IDD_PAGE_GENERAL            152
#define IDD_PAGE_NETWORK            154
#define IDD_PAGE_PLUGINS            155
#define IDD_PAGE_IE_PROPERTIES      156
#define IDD_PAGE_MULTIMEDIA         157
#define IDD_PAGE_COOKIES            158

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
#define IDB_WIZARD_BANNER           150
#define IDB_DRIVE_IMAGES            171
#define IDB_PAGE_BACKGROUND         182
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

// Controls of the problem report
#define IDC_REPORT_DESCRIPTION      1051
#define IDC_REPORT_INVITATION       1052
#define IDC_REPORT_EMAIL            1060

// Settings dialog
#define IDC_SETTINGS_TREE           1001
#define IDC_PAGE_FRAME              1005

// Wizard: the question and its two answers of row k are these ids + k
#define IDC_WIZARD_QUESTION         12311
#define IDC_WIZARD_YES              13311
#define IDC_WIZARD_NO               14311

// Message box; its buttons are IDOK, IDYES, IDNO and IDCANCEL
#define IDC_MESSAGE_SHOW_AGAIN      1056
#define IDC_MESSAGE_TEXT            1058

// Page controls. The pages reuse numbers; each page's names carry its name.
// Contents
#define IDC_CONTENTS_ADDRESS_HISTORY        1003
#define IDC_CONTENTS_HISTORY                1008
#define IDC_CONTENTS_CACHE                  1012
#define IDC_CONTENTS_AOL_ADDRESS_HISTORY    1020
#define IDC_CONTENTS_CACHE_EXCLUDE          1044
#define IDC_CONTENTS_ADDRESS_EXCLUDE        1049
#define IDC_CONTENTS_DOWNLOADED_EXCLUDE     1052
#define IDC_CONTENTS_AUTOCOMPLETE           1068
#define IDC_CONTENTS_AUTOCOMPLETE_PSW       1072
#define IDC_CONTENTS_HELPER                 1076
#define IDC_CONTENTS_DOWNLOADED             1081
// Start Menu
#define IDC_STARTMENU_RUN                   1007
#define IDC_STARTMENU_FIND                  1010
#define IDC_STARTMENU_RECENT                1014
#define IDC_STARTMENU_CLICK                 1018
#define IDC_STARTMENU_ORDER                 1024
// Opera
#define IDC_OPERA_COOKIES                   1006
#define IDC_OPERA_ADDRESS_HISTORY           1008
#define IDC_OPERA_CACHE                     1012
#define IDC_OPERA_CACHE_EXCLUDE             1044
// Network
#define IDC_NETWORK_USER_LOGON              1075
#define IDC_NETWORK_DOMAIN_LOGON            1078
// Multimedia
#define IDC_MULTIMEDIA_MEDIA_PLAYER         1013
#define IDC_MULTIMEDIA_REALPLAYER           1021
#define IDC_MULTIMEDIA_ACDSEE               1028
// General
#define IDC_GENERAL_RUN_AT_SHUTDOWN         1066
#define IDC_GENERAL_START_WITH_WINDOWS      1069
#define IDC_GENERAL_WIPE_ZERO               1088
#define IDC_GENERAL_WIPE_RANDOM             1090
#define IDC_GENERAL_NO_WIPE                 1100
#define IDC_GENERAL_MOVE_TO_TRAY            1102
#define IDC_GENERAL_WIPE_FRAME              1103
#define IDC_GENERAL_LOG_FRAME               1104
#define IDC_GENERAL_CLEAR_LOG_AT_START      1117
#define IDC_GENERAL_CLEAR_LOG_AT_CLOSE      1118
// Cookies & index.dat
#define IDC_COOKIES_CLEAR                   1006
#define IDC_COOKIES_EXCLUDE                 1040
#define IDC_COOKIES_AFTER_DATE              1054
#define IDC_COOKIES_DATE                    1094
// Properties (IE Only)
#define IDC_IEPROP_NOTE                     1053
#define IDC_IEPROP_WINDOW_TITLE             1092
#define IDC_IEPROP_HOME_PAGE                1093
#define IDC_IEPROP_TITLE_TEXT               1095
#define IDC_IEPROP_HOME_TEXT                1096
#define IDC_IEPROP_SET_DEFAULT              1097
#define IDC_IEPROP_SET_BLANK                1098
// Windows & Common Controls
#define IDC_WINDOWS_OPEN_HISTORY            1009
#define IDC_WINDOWS_SWAP                    1017
#define IDC_WINDOWS_CLIPBOARD               1023
#define IDC_WINDOWS_SWAP_DRIVE              1061
#define IDC_WINDOWS_SWAP_DRIVE_LABEL        1064
#define IDC_WINDOWS_RECYCLE_BIN             1067
#define IDC_WINDOWS_REGEDIT_KEY             1070
#define IDC_WINDOWS_TEMP_DIR                1071
#define IDC_WINDOWS_SWAP_FRAME              1103
// Netscape & Mozilla
#define IDC_NETSCAPE_COOKIES                1006
#define IDC_NETSCAPE_HISTORY                1008
#define IDC_NETSCAPE_CACHE                  1012
#define IDC_NETSCAPE4_ROOT                  1022
#define IDC_NETSCAPE6_ROOT                  1027
#define IDC_NETSCAPE4_CACHE                 1031
#define IDC_NETSCAPE6_CACHE                 1033
#define IDC_NETSCAPE4_ROOT_BROWSE           1101
#define IDC_NETSCAPE6_ROOT_BROWSE           1112
#define IDC_NETSCAPE4_CACHE_BROWSE          1114
#define IDC_NETSCAPE6_CACHE_BROWSE          1116
// Comunications
#define IDC_MAIL_AIM_HISTORY                1008
#define IDC_MAIL_OUTLOOK_EXPRESS            1038
#define IDC_MAIL_NETSCAPE_TRASH_SENT        1042
#define IDC_MAIL_NETSCAPE_HIDDEN            1047
#define IDC_MAIL_HIDDEN_MASK                1050
#define IDC_MAIL_AIM_FOLDER                 1062
#define IDC_MAIL_AIM_FOLDER_LABEL           1065
#define IDC_MAIL_AIM_FOLDER_BROWSE          1110
// Drive Operations
#define IDC_DRIVES_ADD_MASK                 1034
#define IDC_DRIVES_REMOVE_MASK              1036
#define IDC_DRIVES_SCAN                     1039
#define IDC_DRIVES_MASKS                    1055
#define IDC_DRIVES_MASK                     1057
#define IDC_DRIVES_FREE_SPACE               1059
#define IDC_DRIVES_LIST                     1099
#define IDC_DRIVES_FRAME                    1103
// Plug-Ins
#define IDC_PLUGINS_LIST                    1200
#define IDC_PLUGINS_DESCRIPTION             1201
#define IDC_PLUGINS_ICON                    1202
#define IDC_PLUGINS_SELECT_ALL              1203
#define IDC_PLUGINS_UNSELECT_ALL            1204
#define IDC_PLUGINS_IMPORT                  1205
#define IDC_PLUGINS_CHECK_FOR_NEW           1206

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
#define ID_ACTION_ANALYZE           32791
#define ID_HELP                     57670

// The type of the toolbar resource: button size and command of each button.
#define RT_TOOLBAR_DATA             241
