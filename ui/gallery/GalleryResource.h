// Resource and control ids of the control gallery.
#pragma once

#define IDD_GALLERY 100
#define IDD_SHAPED 101
#define IDD_KNOB_TEST 102

#define IDI_APP 200
#define IDI_PEN 201
#define IDI_MAPPING 202
#define IDI_KEYS 203
#define IDI_ABOUT 204
#define IDI_SAVE 205
#define IDI_EXIT 206
#define IDI_CLEAN_IN 207
#define IDI_CLEAN_OUT 208
#define IDI_DEFAULT_IN 209
#define IDI_DEFAULT_OUT 210
#define IDI_CALIBRATE_IN 211
#define IDI_CALIBRATE_OUT 212
#define IDI_KNOB 213

#define IDB_TILE 300
#define IDB_SHAPED 301
#define IDB_MENU_OPEN 310
#define IDB_MENU_SAVE 311
#define IDB_MENU_CLOSE 312

#define IDR_DROPDOWN 400
#define ID_DROPDOWN_OPEN 401
#define ID_DROPDOWN_SAVE 402
#define ID_DROPDOWN_CLOSE 403

#define IDC_PEN 1001
#define IDC_CLEAN 1002
#define IDC_DEFAULT 1003
#define IDC_DISABLED 1004
#define IDC_ICON_ONLY 1005
#define IDC_GREY 1006
#define IDC_TRANSPARENT 1007
#define IDC_CHECK_ON 1010
#define IDC_CHECK_OFF 1011
#define IDC_SHADE_SELECT 1020
#define IDC_SHADE_OK 1021
#define IDC_KNOB 1030
#define IDC_KNOB_PLAIN 1031
#define IDC_KNOB_VALUE 1032
#define IDC_LABEL 1040
#define IDC_HELP_LINK 1041
#define IDC_PLAIN_LABEL 1042
#define IDC_TIP_KEY1 1043
#define IDC_TIP_KEY2 1044
#define IDC_FUNCTION_MENU 1050
#define IDC_DROPDOWN 1051
#define IDC_EDIT 1060
#define IDC_COMBO 1061
#define IDC_RADIO_A 1070
#define IDC_RADIO_B 1071
#define IDC_RADIO_C 1072

// The function menu's first command; nine entries follow one by one.
#define ID_FUNCTION_FIRST 4867
