// Opens a tablet context on a window of its own, prints its handle and ends,
// closing the context first only when asked to ("close").
#include "WintabApi.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv)
{
    bool closeFirst = argc > 1 && std::strcmp(argv[1], "close") == 0;
    if (WTInfoA(0, 0, nullptr) == 0)
        return 2;
    wintab::LOGCONTEXTA context{};
    WTInfoA(wintab::WTI_DEFSYSCTX, 0, &context);
    HWND window = CreateWindowExA(0, "STATIC", "wintab client", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr);
    HCTX handle = WTOpenA(window, &context, TRUE);
    if (handle == nullptr)
        return 3;
    std::printf("context %lu window %lu\n", static_cast<unsigned long>(reinterpret_cast<uintptr_t>(handle)),
                HandleToULong(window));
    std::fflush(stdout);
    if (closeFirst && !WTClose(handle))
        return 4;
    return 0;
}
