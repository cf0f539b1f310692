// Resource ids of the rotation watcher.
#pragma once

#define IDS_APP_TITLE 103
#define IDI_VIEWTAP 107
#define IDC_VIEWTAP 109
#define IDM_ABOUT 104
