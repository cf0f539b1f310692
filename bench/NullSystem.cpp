#include "NullSystem.h"

size_t NullSystem::GetWindowTitle(uint32_t, char* buffer, size_t size)
{
    if (buffer != nullptr && size > 0)
        buffer[0] = '\0';
    return 0;
}

size_t NullSystem::GetWindowClass(uint32_t window, char* buffer, size_t size)
{
    return GetWindowTitle(window, buffer, size);
}
