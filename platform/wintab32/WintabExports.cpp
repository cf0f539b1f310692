// The exported functions, at the Wintab ordinals given in the .def file.
#include "WintabLibrary.h"

extern "C" {

UINT WINAPI WTInfoA(UINT category, UINT index, LPVOID output)
{
    return WintabLibrary::Instance().Info(category, index, output);
}

HCTX WINAPI WTOpenA(HWND window, wintab::LOGCONTEXTA* context, BOOL enable)
{
    return WintabLibrary::Instance().Open(window, context, enable != FALSE);
}

BOOL WINAPI WTClose(HCTX context) { return WintabLibrary::Instance().Close(context) ? TRUE : FALSE; }

int WINAPI WTPacketsGet(HCTX context, int maxPackets, LPVOID packets)
{
    return WintabLibrary::Instance().PacketsGet(context, maxPackets, packets);
}

}
