// The program an express key launches in the tests: it sets the event named
// on its command line, so the test sees when it was started.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int)
{
    HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, commandLine);
    if (started == nullptr)
        return 1;
    SetEvent(started);
    CloseHandle(started);
    return 0;
}
