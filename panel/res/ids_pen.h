// Resource ids of the pen page: the pictures of the pressure-curve window and
// the tilt dial, and the two pen-button labels made at run time.
#pragma once

#define IDB_PRESSURE_CURVE_GRID 141
#define IDB_TILT_DIAL_FACE 142
#define IDC_PEN_BUTTON_FIRST 8192
#define IDC_PEN_BUTTON_SECOND 8193
