// A host of Inkbrid.dll for the tests: loads the library from its own folder,
// calls the three exports in order with a stop event of its own and reports
// each step on standard output. The test drives it through two named events:
// "<name>-exit" asks for ExitDevService (when it fails, InitRZVirtualHIDDev
// once more), "<name>-unload" for the unload and the end of the program.
#include "LibraryExports.h"

#include <fcntl.h>
#include <io.h>
#include <tlhelp32.h>

#include <cstdio>
#include <string>

namespace {

int ThreadCount()
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        count += entry.th32OwnerProcessID == GetCurrentProcessId() ? 1 : 0;
    CloseHandle(snapshot);
    return count;
}

// Ended threads may linger in the list for a moment.
int ThreadCountSettled(int expected)
{
    int count = ThreadCount();
    for (int tries = 0; tries < 100 && count > expected; ++tries) {
        Sleep(20);
        count = ThreadCount();
    }
    return count;
}

bool WaitForTest(const std::string& name)
{
    HANDLE event = OpenEventA(SYNCHRONIZE, FALSE, name.c_str());
    if (event == nullptr)
        return false;
    const bool signalled = WaitForSingleObject(event, 120000) == WAIT_OBJECT_0;
    CloseHandle(event);
    return signalled;
}

template <typename Proc> Proc Export(HMODULE library, const char* name)
{
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

int main(int argc, char** argv)
{
    // Unbuffered and untranslated: the test reads each line as it comes.
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    _setmode(_fileno(stdout), _O_BINARY);
    if (argc < 2)
        return 2;
    const std::string events = argv[1];
    const int baseline = ThreadCount();
    HMODULE library = LoadLibraryA("Inkbrid.dll");
    if (library == nullptr) {
        std::printf("load failed %lu\n", GetLastError());
        return 3;
    }
    auto init = Export<InitRZVirtualHIDDevProc>(library, "InitRZVirtualHIDDev");
    auto start = Export<StartDevServiceProc>(library, "StartDevService");
    auto exitService = Export<ExitDevServiceProc>(library, "ExitDevService");
    if (init == nullptr || start == nullptr || exitService == nullptr) {
        std::printf("exports missing\n");
        return 4;
    }

    std::printf("init %d\n", init());
    HANDLE stop = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    start(stop);
    std::printf("started\n");

    if (!WaitForTest(events + "-exit"))
        return 5;
    int exited = exitService();
    std::printf("exit %d\n", exited);
    if (exited == 0)
        std::printf("init again %d\n", init());
    DWORD flags = 0;
    // The library owns the stop event from the start on and closes it.
    std::printf("stop event closed %d\n", GetHandleInformation(stop, &flags) ? 0 : 1);
    std::printf("threads %d of %d\n", ThreadCountSettled(baseline), baseline);
    std::printf("exited\n");

    if (!WaitForTest(events + "-unload"))
        return 6;
    // The library stays loaded while a thread of its own still runs.
    for (int tries = 0; exited == 0 && tries < 10; ++tries)
        exited = exitService();
    if (exited == 0)
        return 7;
    FreeLibrary(library);
    std::printf("unloaded\n");
    return 0;
}
