// Opens a tablet context on a window of its own, prints its handle and ends,
// closing the context first only when asked to ("close"). Asked to "fault",
// it instead takes the ring's packets into memory it may not write, as a
// broken application would, and dies of it.
#include "WintabApi.h"

#include <cstdio>
#include <cstring>

namespace {

// A page the program may read but not write.
void* ReadOnlyPage()
{
    void* page = VirtualAlloc(nullptr, 4096, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    DWORD previous = 0;
    if (page == nullptr || !VirtualProtect(page, 4096, PAGE_READONLY, &previous))
        return nullptr;
    return page;
}

}  // namespace

int main(int argc, char** argv)
{
    bool closeFirst = argc > 1 && std::strcmp(argv[1], "close") == 0;
    bool fault = argc > 1 && std::strcmp(argv[1], "fault") == 0;
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
    if (fault) {
        void* page = ReadOnlyPage();
        if (page == nullptr)
            return 5;
        WTPacketsGet(handle, 8, page);
        return 6;  // the packets were there: the call must not get here
    }
    if (closeFirst && !WTClose(handle))
        return 4;
    return 0;
}
