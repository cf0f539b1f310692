// A tablet interface that is there but refuses every context, as one whose
// tablet another program holds: the panel beside it must stay open with a
// try-here area that draws nothing.
#include "WintabApi.h"

#include <cstring>

extern "C" {

UINT WINAPI WTInfoA(UINT category, UINT, LPVOID output)
{
    if (category == 0)
        return sizeof(wintab::LOGCONTEXTA);
    if (category != wintab::WTI_DEFSYSCTX || output == nullptr)
        return 0;
    std::memset(output, 0, sizeof(wintab::LOGCONTEXTA));
    return sizeof(wintab::LOGCONTEXTA);
}

HCTX WINAPI WTOpenA(HWND, wintab::LOGCONTEXTA*, BOOL) { return nullptr; }

BOOL WINAPI WTClose(HCTX) { return FALSE; }

int WINAPI WTPacketsGet(HCTX, int, LPVOID) { return 0; }
}
