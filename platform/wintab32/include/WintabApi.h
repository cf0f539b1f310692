// The four Wintab functions of our WinTab32.dll. Clients link the ordinal
// import library (target wintab32_ordinal) and so import them by ordinal.
#pragma once

#include <windows.h>

#include "WintabContract.h"

DECLARE_HANDLE(HCTX);

#if defined(WINTAB32_BUILDING)
#define WINTAB32_API
#else
#define WINTAB32_API __declspec(dllimport)
#endif

extern "C" {

// Size of the item written to `output` (or needed, when `output` is NULL);
// 0 when the item does not exist. Category 0 asks whether a tablet exists.
WINTAB32_API UINT WINAPI WTInfoA(UINT category, UINT index, LPVOID output);
// Opens a context on `window`; NULL when the service cannot be reached.
WINTAB32_API HCTX WINAPI WTOpenA(HWND window, wintab::LOGCONTEXTA* context, BOOL enable);
WINTAB32_API BOOL WINAPI WTClose(HCTX context);
// Takes up to `maxPackets` queued packets into `packets` (32 bytes each) and
// returns their number; with `packets` NULL the whole queue is discarded.
WINTAB32_API int WINAPI WTPacketsGet(HCTX context, int maxPackets, LPVOID packets);

}
