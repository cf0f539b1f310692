// Resource ids of the double-click settings dialog.
#pragma once

#define IDD_MOUSORA 102
#define IDR_MAINFRAME 128
#define IDB_PICTURE_CLOSED 129
#define IDB_PICTURE_OPENED 130
#define IDD_LANGUAGE 131
#define IDC_SPEED_SLIDER 1000
#define IDC_SCOPE_SLIDER 1001
#define IDC_SLOW 1002
#define IDC_FAST 1003
#define IDC_SMALL 1004
#define IDC_LARGE 1005
#define IDC_PICTURE 1006
#define IDC_SPEED_TITLE 1007
#define IDC_SCOPE_TITLE 1008
#define IDC_LANGUAGE_LIST 1008
#define IDM_LANGUAGE 16
