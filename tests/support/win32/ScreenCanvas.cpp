#include "ScreenCanvas.h"

#include <algorithm>

void PumpThreadMessages(DWORD ms, const std::function<void(const MSG&)>& seen)
{
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (seen)
                seen(message);
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (GetTickCount() - start >= ms)
            return;
        Sleep(5);
    }
}

ScreenCanvas::ScreenCanvas(std::vector<UINT> kept) : kept_(std::move(kept))
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "InkbridTestCanvas";
    RegisterClassA(&windowClass);  // fails harmlessly when a canvas came before
    window_ = CreateWindowExA(0, "InkbridTestCanvas", "canvas", WS_POPUP | WS_VISIBLE, 0, 0,
                              GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(window_);
}

ScreenCanvas::~ScreenCanvas()
{
    if (window_ != nullptr)
        DestroyWindow(window_);
}

void ScreenCanvas::Pump(DWORD ms)
{
    PumpThreadMessages(ms, [this](const MSG& message) {
        if (std::find(kept_.begin(), kept_.end(), message.message) != kept_.end())
            seen.push_back(message);
    });
}

bool ScreenCanvas::PumpUntil(UINT message, DWORD ms)
{
    const DWORD start = GetTickCount();
    while (First(message) == nullptr && GetTickCount() - start < ms)
        Pump(10);
    return First(message) != nullptr;
}

int ScreenCanvas::Count(UINT message) const
{
    return static_cast<int>(
        std::count_if(seen.begin(), seen.end(), [message](const MSG& m) { return m.message == message; }));
}

const MSG* ScreenCanvas::First(UINT message) const
{
    for (const MSG& m : seen)
        if (m.message == message)
            return &m;
    return nullptr;
}
