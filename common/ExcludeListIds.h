// Resource identifiers of the exclude-list dialog, the same in both programs.
#pragma once

#define IDD_EXCLUDE_LIST            137

#define IDC_EXCLUDE_CONTENT         1029
#define IDC_EXCLUDE_LIST            1032
#define IDC_EXCLUDE_ADD             1034
#define IDC_EXCLUDE_REMOVE          1036
#define IDC_EXCLUDE_ADD_ALL         1041
#define IDC_EXCLUDE_REMOVE_ALL      1046
