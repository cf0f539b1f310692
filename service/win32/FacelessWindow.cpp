#include "FacelessWindow.h"

#include <dbt.h>

#include <utility>

namespace {

constexpr const char* FACELESS_CLASS = "ZQV__FacelessWndProc_";

}  // namespace

FacelessWindow::FacelessWindow(std::function<void()> onDeviceArrival, std::function<void()> onSessionEnd)
    : onDeviceArrival_(std::move(onDeviceArrival)), onSessionEnd_(std::move(onSessionEnd))
{
}

HWND FacelessWindow::Create()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = FACELESS_CLASS;
    RegisterClassA(&windowClass);
    window_ = CreateWindowA(FACELESS_CLASS, "", 0, 0, 0, 0, 0, nullptr, nullptr, instance, this);
    if (window_ == nullptr) {
        // Without a desktop (no display) a message-only window still receives
        // device arrivals, though not the end-of-session broadcasts.
        window_ = CreateWindowA(FACELESS_CLASS, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, this);
    }
    return window_;
}

void FacelessWindow::Destroy()
{
    if (window_ != nullptr)
        DestroyWindow(window_);
    window_ = nullptr;
}

LRESULT CALLBACK FacelessWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const CREATESTRUCTA* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    FacelessWindow* self = reinterpret_cast<FacelessWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr)
        return DefWindowProcA(window, message, wParam, lParam);
    return self->Handle(window, message, wParam, lParam);
}

LRESULT FacelessWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_QUERYENDSESSION:
    case WM_ENDSESSION:
    case WM_QUIT:
        if (message == WM_QUIT || lParam == 0) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            DestroyWindow(window);
            window_ = nullptr;
            onSessionEnd_();
            return 1;
        }
        break;
    case WM_DEVICECHANGE:
        if (wParam == DBT_DEVICEARRIVAL)
            onDeviceArrival_();
        break;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
