// Resource ids of the control panel, one header per area of the program.
#pragma once

#include "res/ids_main.h"
#include "res/ids_pen.h"
#include "res/ids_keys.h"
#include "res/ids_mapping.h"
