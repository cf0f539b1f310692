#include "ServiceCommander.h"

#include "ChildProcess.h"
#include "ObjectNames.h"

#include <string>

ServiceCommander::~ServiceCommander()
{
    if (commandEvent_ != nullptr)
        CloseHandle(commandEvent_);
}

bool ServiceCommander::Open(bool globalNames, bool libraryForm)
{
    std::string prefix = globalNames ? objnames::GLOBAL_PREFIX : "";
    if (!connection_.Open(prefix + objnames::CONNECTION_SECTION))
        return false;
    if (libraryForm) {
        commandEvent_ = OpenEventA(EVENT_ALL_ACCESS, FALSE, objnames::COMMAND_EVENT);
        return commandEvent_ != nullptr;
    }
    HANDLE service = OpenProcess(PROCESS_DUP_HANDLE, FALSE, static_cast<DWORD>(Connection()->processId));
    if (service == nullptr)
        return false;
    BOOL duplicated = DuplicateHandle(service, ULongToHandle(Connection()->commandEvent), GetCurrentProcess(),
                                      &commandEvent_, 0, FALSE, DUPLICATE_SAME_ACCESS);
    CloseHandle(service);
    return duplicated != 0;
}

void ServiceCommander::SetContext(int32_t id, HWND window, uint32_t status, uint32_t options)
{
    ConnectionSection* connection = Connection();
    connection->contextId = id;
    connection->contextWindow = HandleToULong(window);
    connection->contextStatus = status;
    connection->contextOptions = options;
}

bool ServiceCommander::Taken(DWORD timeoutMs) const
{
    return WaitUntil([&] { return WaitForSingleObject(commandEvent_, 0) == WAIT_TIMEOUT; }, timeoutMs);
}

bool ServiceCommander::Send(int32_t code)
{
    Connection()->command = code;
    SetEvent(commandEvent_);
    if (!Taken(5000))
        return false;
    // The loop reads the command word and its fields just after the reset and
    // shows nothing when it is done with them: nothing to wait on, so leave
    // them alone a moment, as the tablet interface spaces its commands.
    Sleep(50);
    return true;
}

bool ServiceCommander::Ping(DWORD timeoutMs)
{
    Connection()->command = 0;
    SetEvent(commandEvent_);
    return Taken(timeoutMs);
}

void ServiceCommander::Raise(int32_t code)
{
    Connection()->command = code;
    SetEvent(commandEvent_);
}

namespace {
constexpr const char* SINK_CLASS = "InkbridTestMessageSink";
}

MessageSink::MessageSink()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = SINK_CLASS;
    RegisterClassA(&windowClass);
    window_ = CreateWindowA(SINK_CLASS, "sink", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleA(nullptr),
                            nullptr);
}

MessageSink::~MessageSink()
{
    if (window_ != nullptr)
        DestroyWindow(window_);
}

LRESULT CALLBACK MessageSink::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(window, message, wParam, lParam);
}

bool MessageSink::WaitFor(UINT message, DWORD timeoutMs, WPARAM* wParam, LPARAM* lParam)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        MSG received;
        while (PeekMessageA(&received, window_, 0, 0, PM_REMOVE)) {
            if (received.message == message) {
                if (wParam != nullptr)
                    *wParam = received.wParam;
                if (lParam != nullptr)
                    *lParam = received.lParam;
                return true;
            }
        }
        Sleep(5);
    }
    return false;
}

int MessageSink::CountFor(UINT message, DWORD ms)
{
    int count = 0;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < ms) {
        MSG received;
        while (PeekMessageA(&received, window_, 0, 0, PM_REMOVE))
            count += received.message == message ? 1 : 0;
        Sleep(5);
    }
    return count;
}
