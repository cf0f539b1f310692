// Resource ids of the express-key overlay.
#pragma once

#define IDB_PANEL_LEFT 129
#define IDB_PANEL_RIGHT 130
