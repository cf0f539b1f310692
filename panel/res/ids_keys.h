// Resource ids of the express-key page, the on-screen keyboard and the
// launch-program dialog.
#pragma once

#define IDD_KEY_PAGE 156
#define IDD_KEYBOARD 153
#define IDD_LAUNCH_APP 167

#define IDB_KEY_PAGE 164
#define IDB_KEY_PAGE_LARGE 176
#define IDB_LAUNCH_APP 168
#define IDI_KEY_CHECK_ON 162
#define IDI_KEY_CHECK_OFF 163

#define IDC_TABLET_ID_LABEL 1058
#define IDC_TABLET_ID 1059
#define IDC_KEYBOARD_KEYS 1036
#define IDC_KEYBOARD_SAVE 1038
#define IDC_KEYBOARD_CANCEL 1039
#define IDC_KEYBOARD_CLEAN 1040
#define IDC_LAUNCH_LABEL 1053
#define IDC_LAUNCH_SELECT 1054
#define IDC_LAUNCH_PATH 1055
#define IDC_LAUNCH_PARAMETERS 1056
#define IDC_LAUNCH_PARAMETER_LABEL 1057
