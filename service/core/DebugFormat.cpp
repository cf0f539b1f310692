#include "DebugFormat.h"

#include <cstdarg>
#include <cstdio>

void DebugFormat(ISystem& system, const char* format, ...)
{
    char line[DEBUG_LINE_SIZE];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(line, sizeof line, format, arguments);
    va_end(arguments);
    system.DebugOutput(line);
}
