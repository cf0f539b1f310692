#include "ServiceConsole.h"

#include <windows.h>

#include <cstdio>

void ServiceConsole::Open()
{
    if (open_)
        return;
    open_ = true;
    // A console program started from a console (or with redirected output)
    // already has its streams; only a fresh console needs them bound.
    if (AllocConsole()) {
        std::freopen("CONOUT$", "w", stdout);
        std::freopen("CONOUT$", "w", stderr);
        std::freopen("CONIN$", "r", stdin);
    }
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::setvbuf(stderr, nullptr, _IONBF, 0);
}
