// The library form's debug lines: formatted into a 260-byte buffer (longer
// lines are cut) and handed to the debugger output.
#pragma once

#include "SystemInterface.h"

#include <cstddef>

constexpr size_t DEBUG_LINE_SIZE = 260;

void DebugFormat(ISystem& system, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;
